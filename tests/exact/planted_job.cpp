#include "exact/planted_job.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "optimizer/random_job.h"

namespace yobina::test {
namespace {

constexpr int32_t kMinPiece = 250;

// 5-(35-K) lengths, the first short enough that a bar can always take one more.
std::vector<int32_t> PieceLengths(JobRandom& random, int32_t bars, int32_t maxPiece) {
  const int32_t most = kGridDataRows - bars;  // each bar adds at most one length of its own
  const int32_t wanted = random.Between(std::min(5, most), most);
  std::set<int32_t> lengths{random.Between(kMinPiece, 2000)};
  while (static_cast<int32_t>(lengths.size()) < wanted) lengths.insert(random.Between(kMinPiece, maxPiece));
  return {lengths.begin(), lengths.end()};
}

// Fills a bar whose pieces may weigh `room` in all: palette pieces while more
// than the longest piece is left, then the one piece that takes the rest.
void CutBar(JobRandom& random, const std::vector<int32_t>& palette, int32_t maxPiece, int32_t kerf,
            int64_t room, std::map<int32_t, int32_t>& pieces) {
  while (room - kerf > maxPiece) {
    std::vector<int32_t> fitting;  // those that leave room for one more piece
    for (int32_t length : palette) {
      if (room - length - 2 * kerf >= kMinPiece) fitting.push_back(length);
    }
    const int32_t length =
        fitting[static_cast<size_t>(random.Between(0, static_cast<int32_t>(fitting.size()) - 1))];
    ++pieces[length];
    room -= length + kerf;
  }
  ++pieces[static_cast<int32_t>(room - kerf)];
}

// Stock lengths in (K L / (K + 1), L - slack), long stock only; mostly whole 100 mm.
int32_t DistractorLength(JobRandom& random, int32_t bars, int32_t length, int32_t slack) {
  const int64_t above = int64_t{bars} * length / (bars + 1);
  const int32_t lo = std::max(static_cast<int32_t>(above) + 1, kSmallStockLimit);
  const int32_t hi = length - slack - 1;
  const int32_t firstRound = (lo + 99) / 100;
  if (firstRound * 100 <= hi && random.Chance(75)) return 100 * random.Between(firstRound, hi / 100);
  return random.Between(lo, hi);
}

}  // namespace

PlantedJob MakePlantedJob(uint64_t seed, const PlantedShape& shape) {
  JobRandom random(seed * 0x2545F4914F6CDD1Du + 17);
  PlantedJob planted;
  TJob& job = planted.Job;
  planted.Bars = random.Between(shape.minBars, shape.maxBars);
  planted.StockLength = 500 * random.Between(12, 24);
  job.Kerf = random.Between(0, 7);
  job.Margin = random.Between(0, 25);
  const int32_t bars = planted.Bars;
  const int32_t length = planted.StockLength;

  const std::vector<int32_t> palette = PieceLengths(random, bars, shape.maxPieceLength);
  // Keeps the distractors' range open, and above the small-stock limit.
  const int32_t slackLimit = std::min(length / (bars + 1), length - kSmallStockLimit) - 3;
  int32_t slack = 0;
  std::map<int32_t, int32_t> pieces;
  for (int32_t b = 0; b < bars; ++b) {
    int32_t barSlack = random.Between(0, shape.maxSlackPerBar);
    if (slack + barSlack > slackLimit) barSlack = 0;
    slack += barSlack;
    CutBar(random, palette, shape.maxPieceLength, job.Kerf,
           int64_t{length} + job.Margin + job.Kerf - barSlack, pieces);
  }
  for (const auto& [pieceLength, count] : pieces) job.CutTable[++job.CutCount] = {pieceLength, count, 0};

  job.StockTable[++job.StockCount] = {length, bars + random.Between(0, bars), 0};
  const int32_t distractors = random.Between(1, 3);
  for (int32_t d = 0; d < distractors; ++d) {
    const int32_t distractor = DistractorLength(random, bars, length, slack);
    const auto end = job.StockTable.begin() + job.StockCount + 1;
    if (std::find_if(job.StockTable.begin() + 1, end,
                     [&](const TLengthRow& row) { return row.Length == distractor; }) != end) {
      continue;
    }
    job.StockTable[++job.StockCount] = {distractor, random.Between(1, std::max(1, bars - 1)), 0};
  }
  ExchangeSort(job.StockTable, job.StockCount);
  return planted;
}

}  // namespace yobina::test
