#include "realistic_job.h"

#include <algorithm>
#include <array>
#include <functional>
#include <set>
#include <vector>

#include "optimizer/random_job.h"

namespace yobina::bench {
namespace {

using test::JobRandom;

constexpr std::array<std::string_view, 12> kProjects{
    "東浜工場増築工事",     "緑ヶ丘保育園新築工事", "桜台共同住宅新築工事", "中央市場改修工事",
    "西港倉庫新築工事",     "旭町店舗新築工事",     "川端橋梁補修工事",     "本町事務所ビル新築工事",
    "第二物流センター工事", "市民体育館屋根改修",   "若葉台自転車置場",     "山手配送センター増築",
};

constexpr std::array<Section, 13> kSections{{
    {"Ｈ－２００×１００×５．５×８", 20.9},
    {"Ｈ－１５０×７５×５×７", 14.0},
    {"Ｈ－２５０×１２５×６×９", 29.0},
    {"Ｈ－３００×１５０×６．５×９", 36.7},
    {"Ｌ－６５×６５×６", 5.91},
    {"Ｌ－７５×７５×６", 6.85},
    {"Ｌ－５０×５０×４", 3.06},
    {"Ｃ－１００×５０×２０×２．３", 4.06},
    {"Ｃ－１２５×５０×２０×３．２", 6.13},
    {"□－１００×１００×３．２", 9.52},
    {"□－１２５×１２５×４．５", 16.6},
    {"［－１５０×７５×６．５×１０", 18.6},
    {"ＦＢ－９×７５", 5.30},
}};

constexpr int32_t kLongestStock = 12000;
constexpr int32_t kShortestStock = 5500;
constexpr int32_t kLongestRemnant = 4999;
constexpr int32_t kShortestRemnant = 1200;

template <typename T, std::size_t N>
const T& Pick(JobRandom& random, const std::array<T, N>& items) {
  return items[static_cast<std::size_t>(random.Between(0, static_cast<int32_t>(N) - 1))];
}

int32_t PieceCount(JobRandom& random) {
  const int32_t draw = random.Between(1, 100);
  if (draw <= 55) return random.Between(1, 4);
  if (draw <= 85) return random.Between(5, 12);
  return random.Between(13, 30);
}

void AddCutRows(JobRandom& random, TJob& job) {
  const int32_t rows = random.Between(8, kGridDataRows);
  std::set<int32_t> lengths;
  while (job.CutCount < rows) {
    const int32_t length = random.Between(250, 5200);
    if (lengths.insert(length).second) job.CutTable[++job.CutCount] = {length, PieceCount(random), 0};
  }
}

// Ascending, as a supplier lists them.
std::vector<int32_t> StandardLengths(JobRandom& random) {
  const int32_t draw = random.Between(1, 100);
  const int32_t step = draw <= 35 ? 500 : draw <= 80 ? 100 : 1;
  const int32_t rows = random.Between(1, 4);
  std::set<int32_t> lengths;
  while (static_cast<int32_t>(lengths.size()) < rows) {
    lengths.insert(kShortestStock + step * random.Between(0, (kLongestStock - kShortestStock) / step));
  }
  return {lengths.begin(), lengths.end()};
}

// Every piece of the cut list, shortest first.
std::vector<int32_t> AllPieces(const TJob& job) {
  std::vector<int32_t> pieces;
  for (int32_t k = 1; k <= job.CutCount; ++k)
    pieces.insert(pieces.end(), job.CutTable[k].Count, job.CutTable[k].Length);
  std::sort(pieces.begin(), pieces.end());
  return pieces;
}

// Adds the remnant rows; returns how many bars they hold. Each remnant is at
// least as long as the piece of its rank among the shortest, so the shortest
// pieces can go one to a remnant.
int32_t AddRemnants(JobRandom& random, const std::vector<int32_t>& pieces, TJob& job) {
  std::vector<int32_t> counts(static_cast<std::size_t>(random.Between(1, 5)));
  for (int32_t& count : counts) count = random.Between(1, 5);
  const auto fitting =
      static_cast<int32_t>(std::upper_bound(pieces.begin(), pieces.end(), kLongestRemnant) - pieces.begin());
  int32_t bars = 0;
  for (int32_t& count : counts) {
    count = std::min(count, fitting - bars);
    bars += count;
  }
  if (bars == 0) return 0;
  const int32_t lo = std::max(kShortestRemnant, pieces[static_cast<std::size_t>(bars - 1)]);
  std::set<int32_t> lengths;
  for (int32_t count : counts) {
    if (count == 0) continue;
    int32_t length = random.Between(lo, kLongestRemnant);
    while (!lengths.insert(length).second) length = random.Between(lo, kLongestRemnant);
    job.StockTable[++job.StockCount] = {length, count, 0};
  }
  return bars;
}

// Bars of each standard length a first-fit-decreasing cut of `pieces` opens,
// a new bar's length drawn at random.
std::vector<int32_t> FirstFitBars(JobRandom& random, const std::vector<int32_t>& lengths,
                                  std::vector<int32_t> pieces, const TJob& job) {
  std::sort(pieces.begin(), pieces.end(), std::greater<>());
  std::vector<int32_t> opened(lengths.size(), 0);
  std::vector<int64_t> room;  // per open bar: weight it can still take
  for (int32_t piece : pieces) {
    const int64_t weight = int64_t{piece} + job.Kerf;
    auto bar = std::find_if(room.begin(), room.end(), [&](int64_t free) { return free >= weight; });
    if (bar == room.end()) {
      const auto row = static_cast<std::size_t>(random.Between(0, static_cast<int32_t>(lengths.size()) - 1));
      ++opened[row];
      room.push_back(int64_t{lengths[row]} + job.Margin + job.Kerf);
      bar = room.end() - 1;
    }
    *bar -= weight;
  }
  return opened;
}

void AddStandardRows(JobRandom& random, const std::vector<int32_t>& lengths,
                     const std::vector<int32_t>& opened, TJob& job) {
  const int32_t draw = random.Between(1, 100);
  for (std::size_t r = 0; r < lengths.size(); ++r) {
    const int32_t needed = opened[r];
    int32_t count = draw <= 35   ? needed + random.Between(0, 2)
                    : draw <= 85 ? needed + random.Between(1, needed / 2 + 5)
                                 : std::max(99, needed);
    job.StockTable[++job.StockCount] = {lengths[r], std::max(count, 1), 0};
  }
}

}  // namespace

Section SectionFor(uint64_t seed) {
  JobRandom random(seed);
  return Pick(random, kSections);
}

RealisticJob MakeRealisticJob(uint64_t seed) {
  JobRandom random(seed * 0x9E3779B97F4A7C15u + 3);
  RealisticJob made;
  made.ProjectName = Pick(random, kProjects);
  made.Member = Pick(random, kSections);
  made.Month = random.Between(1, 12);
  made.Day = random.Between(1, 28);
  TJob& job = made.Job;
  job.Kerf = random.Between(0, 7);
  job.Margin = random.Between(0, 25);
  AddCutRows(random, job);

  const std::vector<int32_t> standard = StandardLengths(random);
  std::vector<int32_t> pieces = AllPieces(job);
  // Remnants go after the standard rows, as typed; the pieces they take are set aside first.
  TJob remnants;
  const int32_t remnantBars = seed % 2 == 0 ? AddRemnants(random, pieces, remnants) : 0;
  pieces.erase(pieces.begin(), pieces.begin() + remnantBars);
  AddStandardRows(random, standard, FirstFitBars(random, standard, pieces, job), job);
  for (int32_t k = 1; k <= remnants.StockCount; ++k)
    job.StockTable[++job.StockCount] = remnants.StockTable[k];
  return made;
}

}  // namespace yobina::bench
