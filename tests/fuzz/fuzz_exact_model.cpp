// Turns arbitrary bytes into a small job (up to 100 rows a table, counts up to
// 2^31 - 1, lengths from 1 mm to 2^31 - 1, odd margins and kerfs) and runs it
// through the optimal planner's model and its search stages on small work
// budgets: none may crash, hang or run out of memory, and every plan found
// must keep the model's promises.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "exact/case_search.h"
#include "exact/job_model.h"
#include "exact/packing_search.h"
#include "exact/pattern_pricing.h"
#include "exact/plan_assembly.h"
#include "job/job_io.h"

namespace {

using namespace yobina;

// Jobs whose pricing tables pass this are left after the model: the budget
// of one input is small.
constexpr int64_t kMaxTableBytes = int64_t{1} << 18;
constexpr int64_t kPackNodes = 100'000;
constexpr double kSafetySeconds = 2;

SearchBudget SmallBudget() {
  SearchBudget budget;
  budget.ColumnRounds = 60;
  budget.DiveSteps = 10;
  budget.PackNodes = 20'000;
  budget.EnumerationNodes = 200'000;
  budget.MaxListed = 2'000;
  budget.ProofNodes = 200;
  budget.PoolNodes = 200;
  budget.ArcFlowNodes = 200;
  return budget;
}

// The input's bytes in order, round and round, so that a short input also
// gives many rows (none for an empty one).
class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint32_t Next(int bytes) {
    uint32_t value = 0;
    for (int b = 0; b < bytes; ++b) value = value << 8 | (size_ == 0 ? 0 : data_[at_++ % size_]);
    return value;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

int32_t Length(Bytes& in) {
  switch (in.Next(1) % 8) {
    case 0:
    case 1:
    case 2:
      return 250 + static_cast<int32_t>(in.Next(2) % 12000);  // members and bars as sold
    case 3:
      return 1 + static_cast<int32_t>(in.Next(1));  // slivers
    case 4:
      return static_cast<int32_t>(in.Next(3) % 200'000);  // bars of up to 200 m
    case 5:
      return std::numeric_limits<int32_t>::max() - static_cast<int32_t>(in.Next(1));
    case 6:
      return 1'000'000'000 + static_cast<int32_t>(in.Next(2));
    default:
      return static_cast<int32_t>(in.Next(4));  // anything, negative too
  }
}

int32_t Count(Bytes& in) {
  switch (in.Next(1) % 4) {
    case 0:
      return static_cast<int32_t>(in.Next(1));
    case 1:
      return static_cast<int32_t>(in.Next(2));
    case 2:
      return static_cast<int32_t>(in.Next(4) & 0x7fffffff);  // up to 2^31 - 1
    default:
      return static_cast<int32_t>(in.Next(4));  // negative too
  }
}

int32_t Allowance(Bytes& in) {
  const uint32_t tag = in.Next(1);
  return tag % 4 != 3 ? static_cast<int32_t>(tag % 32) : static_cast<int32_t>(in.Next(4));
}

void ReadTable(Bytes& in, TLengthTable& table, int32_t& count) {
  const auto rows = static_cast<int32_t>(in.Next(1) % (kTableCapacity + 1));
  count = 0;
  for (int32_t r = 0; r < rows; ++r) {
    const int32_t length = Length(in);
    const int32_t pieces = Count(in);
    if (length == 0) continue;  // a read drops such a row
    table[++count] = {length, pieces, 0};
  }
}

TJob ReadFuzzJob(Bytes& in) {
  TJob job;
  job.Margin = Allowance(in);
  job.Kerf = Allowance(in);
  if (in.Next(1) % 4 == 0) job.SmallStockLimit = static_cast<int32_t>(in.Next(2));
  ReadTable(in, job.StockTable, job.StockCount);
  ReadTable(in, job.CutTable, job.CutCount);
  SortStockTable(job);
  SortCutTable(job);
  return job;
}

// A plan of the model: its bar limits kept, every piece covered, its stock
// as stated, and no less than the bound.
void CheckBest(const CaseSearch& search) {
  const Incumbent& best = search.Best;
  if (best.StockLength == kNoStock) return;
  const CuttingModel& model = search.Model;
  if (!KeepsBarLimits(model, best.Patterns, best.Bars)) std::abort();
  if (StockLengthOf(model, best.Patterns, best.Bars) != best.StockLength) std::abort();
  if (search.Bound > best.StockLength) std::abort();
  for (size_t i = 0; i < model.Items.size(); ++i) {
    int64_t supplied = 0;
    for (size_t p = 0; p < best.Patterns.size(); ++p)
      supplied += int64_t{best.Patterns[p].Pieces[i]} * best.Bars[p];
    if (supplied < model.Items[i].Demand) std::abort();
  }
  for (const CutPattern& pattern : best.Patterns) {
    if (PatternWeight(model, pattern) > std::max<int64_t>(model.Types[pattern.Type].Capacity, 0))
      std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in(data, size);
  const TJob job = ReadFuzzJob(in);
  if (RefusalOf(job)) return 0;
  const CuttingModel model = ModelOf(job);
  for (const CutItem& item : model.Items) {
    if (item.Weight <= 0 || item.Demand <= 0) std::abort();
  }
  for (const StockType& type : model.Types) {
    if (type.MaxBars < 0 || type.MaxBars > type.OnHand) std::abort();
  }
  if (!EveryPieceFits(model) || PatternPricing(model).TableBytes() > kMaxTableBytes) return 0;

  const Deadline deadline(kSafetySeconds, nullptr);
  const SearchBudget budget = SmallBudget();
  for (CuttingModel& caseModel : ShortFirstCases(model)) {
    CaseSearch search(std::move(caseModel));
    ExploreCase(
        search, {}, budget, deadline, [](double) {}, [](int64_t) {});
    CheckBest(search);
    // The packing search at the bound, deeper than its share above: plans of
    // many bars.
    if (search.Bound != kNoStock) {
      if (const auto packed = PackToTotal(search.Model, search.Bound, kPackNodes, deadline)) {
        if (StockLengthOf(search.Model, packed->Patterns, packed->Bars) != search.Bound ||
            !KeepsBarLimits(search.Model, packed->Patterns, packed->Bars))
          std::abort();
      }
    }
    CloseCase(search, search.Best.StockLength, budget, deadline, [](int64_t) {});
    CheckBest(search);
    if (search.Best.StockLength != kNoStock) AssemblePlan(job, model, search.Best.Patterns, search.Best.Bars);
  }
  return 0;
}
