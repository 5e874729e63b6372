#include "project/section_planner.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "exact/deadline.h"
#include "project/length_choice.h"
#include "project/length_sets.h"
#include "project/section_job.h"
#include "project/section_pricing.h"
#include "report/report_text.h"
#include "text/codec.h"

namespace yobina {
namespace {

class QuietObserver : public ExactObserver {
 public:
  void BetterPlan(double) override {}
  void BetterBound(double) override {}
};

// One plan of the section with some lengths offered for purchase.
struct Attempt {
  std::vector<int32_t> Offered;
  TJob Job;
  ExactResult Exact;
  std::vector<PurchaseLine> Purchase;

  bool HasPlan() const { return Exact.Plan.PatternCount > 0; }
  // A plan proven least, or a proof that none exists.
  bool Settled() const { return Exact.Status == ExactStatus::Proven || Exact.Status == ExactStatus::NoPlan; }
  std::vector<int32_t> BoughtLengths() const {
    std::vector<int32_t> lengths;
    for (const PurchaseLine& line : Purchase) {
      if (line.Bought > 0) lengths.push_back(line.Length);
    }
    return lengths;
  }
};

// How attempts compare: cost (or bought stock length where that is the same
// order), then bars, then the lengths from the longest down.
struct AttemptKey {
  double Primary = 0;
  int64_t Bars = 0;
  std::vector<int32_t> LengthsDown;

  bool operator<(const AttemptKey& other) const {
    const double tolerance = 1e-9 * std::max(Primary, other.Primary);
    if (Primary < other.Primary - tolerance) return true;
    if (other.Primary < Primary - tolerance) return false;
    if (Bars != other.Bars) return Bars < other.Bars;
    return LengthsDown < other.LengthsDown;
  }
};

class SectionWork {
 public:
  SectionWork(const SectionInput& section, double seconds, const std::atomic<bool>* stop)
      : section_(section), pricing_(PricingOf(section)), deadline_(seconds, stop) {}

  const SectionPricing& Pricing() const { return pricing_; }
  bool OutOfTime() const { return deadline_.Passed(); }
  const Deadline& Limit() const { return deadline_; }
  bool Stopped() const { return deadline_.Stopped(); }
  int32_t Plans() const { return plans_; }

  Attempt Plan(std::vector<int32_t> offered) {
    Attempt attempt;
    attempt.Offered = std::move(offered);
    attempt.Job = SectionJob(section_, attempt.Offered);
    ExactLimits limits;
    limits.TimeLimitSeconds = deadline_.SecondsLeft();
    limits.Threads = 1;  // the sections share the machine's cores
    // Fewer set-ups cost some sections seconds each, and a building of
    // hundreds must plan in a minute; a section opened in the window gets them.
    limits.SecondAims = false;
    limits.Stop = deadline_.StopFlag();
    QuietObserver observer;
    attempt.Exact = PlanExact(attempt.Job, limits, observer);
    ++plans_;
    if (attempt.HasPlan()) attempt.Purchase = PurchaseOf(section_, attempt.Job, attempt.Exact.Plan);
    return attempt;
  }

  AttemptKey KeyOf(const Attempt& attempt) const {
    AttemptKey key;
    const bool byCost = pricing_.Priced && !pricing_.Proportional;
    for (const PurchaseLine& line : attempt.Purchase) {
      if (line.Bought == 0) continue;
      key.Bars += line.Bought;
      key.LengthsDown.push_back(line.Length);
      key.Primary += (byCost ? BarYen(section_, line.Length).value_or(0) : line.Length) * line.Bought;
    }
    std::sort(key.LengthsDown.rbegin(), key.LengthsDown.rend());
    return key;
  }

 private:
  const SectionInput& section_;
  SectionPricing pricing_;
  Deadline deadline_;
  int32_t plans_ = 0;
};

// The best of the attempts made, and what they say together.
struct Choice {
  std::optional<Attempt> Best;
  AttemptKey BestKey;
  bool AllSettled = true;
  bool AnyNotFound = false;
  std::string Refusal;

  // An attempt whose set is one of those to choose from.
  void Consider(Attempt attempt, const SectionWork& work) {
    AllSettled = AllSettled && attempt.Settled();
    if (attempt.Exact.Status == ExactStatus::Refused) Refusal = attempt.Exact.Message;
    if (attempt.Exact.Status == ExactStatus::NotFound) AnyNotFound = true;
    Offer(std::move(attempt), work);
  }

  // A plan that may be taken, whose proof the sets' plans give or withhold.
  void Offer(Attempt attempt, const SectionWork& work) {
    if (!attempt.HasPlan()) return;
    const AttemptKey key = work.KeyOf(attempt);
    if (!Best || key < BestKey) {
      Best = std::move(attempt);
      BestKey = key;
    }
  }
};

bool UsesEveryBarOnHand(const SectionInput& section, const Attempt& attempt) {
  for (const BarsOnHand& bars : section.OnHand) {
    const auto line = std::find_if(attempt.Purchase.begin(), attempt.Purchase.end(),
                                   [&](const PurchaseLine& l) { return l.Length == bars.Length; });
    if (line == attempt.Purchase.end() || line->FromStock < bars.Count) return false;
  }
  return true;
}

std::string Note(const char* utf8) {
  return Cp932(utf8);
}

void PlanEverySet(const SectionInput& section, int32_t k, SectionWork& work, Choice& choice,
                  SectionResult& result) {
  const bool byCost = work.Pricing().Priced && !work.Pricing().Proportional;
  // For two lengths, the plan over every length first: its stock bounds every
  // set's, the lengths it buys most point to the likely best pair, and it is a
  // purchase within K when it buys no more lengths. (Single lengths have
  // bounds close enough not to need it.)
  double floor = 0;
  std::map<int32_t, int64_t> usage;
  if (k == 2 && !byCost && section.OnHand.empty() && section.Lengths.size() > 2) {
    std::vector<int32_t> every;
    for (const BuyableLength& length : section.Lengths) every.push_back(length.Length);
    Attempt all = work.Plan(every);
    if (all.Exact.Status == ExactStatus::Proven) floor = work.KeyOf(all).Primary;
    for (const PurchaseLine& line : all.Purchase) usage[line.Length] = int64_t{line.Length} * line.Bought;
    if (all.HasPlan() && std::ssize(all.BoughtLengths()) <= k) choice.Offer(std::move(all), work);
  }
  const std::vector<LengthSet> sets = LengthSets(section, k, byCost, floor, usage);
  size_t planned = 0;
  size_t ruledOut = 0;
  for (const LengthSet& set : sets) {
    if (choice.Best && CannotBeat(set, floor, choice.BestKey.Primary)) {
      ++ruledOut;
      continue;
    }
    if (work.OutOfTime()) break;
    choice.Consider(work.Plan(set.Lengths), work);
    ++planned;
  }
  const size_t looked = planned + ruledOut;
  if (looked < sets.size()) {
    choice.AllSettled = false;  // a set not looked at may hold a better plan
    result.Notes.push_back(Cp932("時間の上限までに、定尺の組み合わせ ") + IntText(std::ssize(sets), 0) +
                           Cp932(" 通りのうち ") + IntText(static_cast<int64_t>(looked), 0) +
                           Cp932(" 通りしか調べられませんでした。"));
  } else if (!choice.AllSettled) {
    result.Notes.push_back(Note("定尺の組み合わせのうち、証明できなかった計画があります。"));
  }
  result.CostProven = choice.AllSettled && (k == 1 || !byCost);
  if (k == 2 && byCost)
    result.Notes.push_back(
        Note("定尺の単価が長さに比例しないため、最安は証明していません("
             "組み合わせごとに素材長が最小の計画の金額で比べました)。"));
}

// The least used bought length that the needed length does not hang on; 0 when none.
int32_t LeastUsed(const SectionInput& section, const Attempt& attempt) {
  const int32_t needed = NeededLength(section);
  const std::vector<int32_t> bought = attempt.BoughtLengths();
  std::optional<std::tuple<int64_t, int32_t, int32_t>> least;  // stock length, bars, length
  for (const PurchaseLine& line : attempt.Purchase) {
    if (line.Bought == 0) continue;
    const bool othersHold = std::any_of(bought.begin(), bought.end(), [&](int32_t other) {
      return other != line.Length && Holds(section, other, needed);
    });
    if (!othersHold) continue;
    const auto usage = std::make_tuple(int64_t{line.Length} * line.Bought, line.Bought, line.Length);
    if (!least || usage < *least) least = usage;
  }
  return least ? std::get<2>(*least) : 0;
}

void PlanDroppingLengths(const SectionInput& section, int32_t k, SectionWork& work, Choice& choice,
                         SectionResult& result) {
  std::vector<int32_t> offered;
  for (const BuyableLength& length : section.Lengths) offered.push_back(length.Length);
  bool dropped = false;
  bool programPlanned = false;
  for (;;) {
    Attempt attempt = work.Plan(offered);
    if (!attempt.HasPlan() || k == 0 || std::ssize(attempt.BoughtLengths()) <= k) {
      const bool proven = attempt.Exact.Status == ExactStatus::Proven && !dropped;
      choice.Consider(std::move(attempt), work);
      result.CostProven = proven && work.Pricing().Proportional;
      break;
    }
    // More lengths than allowed. The integer program's choice is planned
    // first, so that a plan within K exists should dropping run out of time;
    // dropping may still find a cheaper one, and the cheaper is taken.
    if (!programPlanned) {
      programPlanned = true;
      const bool byCost = work.Pricing().Priced && !work.Pricing().Proportional;
      const std::vector<int32_t> chosen = ChooseLengths(section, k, byCost, work.Limit());
      if (!chosen.empty() && !work.OutOfTime()) choice.Offer(work.Plan(chosen), work);
    }
    const int32_t drop = LeastUsed(section, attempt);
    if (drop == 0 || work.OutOfTime()) {
      if (!choice.Best)
        result.Notes.push_back(Cp932("定尺を ") + IntText(k, 0) +
                               Cp932(" 種類以内にした計画は見つかりませんでした。"));
      choice.AllSettled = false;
      break;
    }
    offered = attempt.BoughtLengths();
    std::erase(offered, drop);
    dropped = true;
  }
  if (programPlanned && choice.Best) {
    result.Notes.push_back(
        Cp932("定尺を ") + IntText(k, 0) +
        Cp932(" 種類以内にするため、整数計画で選んだ定尺と、使用の少ない定尺を外していく方法のうち、"
              "安い方の計画にしました(最安は未証明)。"));
  }
  if (!work.Pricing().Proportional && choice.Best) {
    result.Notes.push_back(
        Note("定尺の単価が長さに比例しないため、最安は証明していません(素材長が最小の計画の金額です)。"));
  }
}

std::optional<std::string> RefusalOf(const SectionInput& section) {
  if (section.Cuts.size() > static_cast<size_t>(kTableCapacity)) {
    return Cp932("長さが ") + IntText(std::ssize(section.Cuts), 0) + Cp932(" 種類あります。一つの部材名は ") +
           IntText(kTableCapacity, 0) + Cp932(" 種類までです。");
  }
  std::set<int32_t> stock;
  for (const BuyableLength& length : section.Lengths) stock.insert(length.Length);
  for (const BarsOnHand& bars : section.OnHand) stock.insert(bars.Length);
  if (stock.size() > static_cast<size_t>(kTableCapacity)) {
    return Cp932("定尺と在庫の長さが ") + IntText(std::ssize(stock), 0) + Cp932(" 種類あります。") +
           IntText(kTableCapacity, 0) + Cp932(" 種類までです。");
  }
  return std::nullopt;
}

void TakeChoice(const SectionInput& section, const SectionWork& work, Choice& choice, SectionResult& result) {
  if (choice.Best) {
    Attempt& best = *choice.Best;
    result.Status = SectionStatus::Planned;
    result.Purchase = best.Purchase;
    result.Exact = std::move(best.Exact);
    result.Job = UsedStockJob(best.Job, result.Exact.Plan);
    // Bars on hand left uncut could have stood in for some bought: then least
    // stock need not be least bought.
    if (result.CostProven && !best.BoughtLengths().empty() && !UsesEveryBarOnHand(section, best)) {
      result.CostProven = false;
      result.Notes.push_back(Note("在庫の一部を使わない計画のため、購入の最小は証明していません。"));
    }
  } else if (!choice.Refusal.empty()) {
    result.Status = SectionStatus::Refused;
    result.Notes.push_back(choice.Refusal);
  } else {
    result.Status =
        choice.AnyNotFound || !choice.AllSettled ? SectionStatus::NotFound : SectionStatus::NoPlan;
    result.CostProven = false;
  }
  if (work.Stopped()) {
    result.Status = SectionStatus::Stopped;
    result.CostProven = false;
  }
}

}  // namespace

SectionResult PlanSection(const SectionInput& section, int32_t maxLengths, double seconds,
                          const std::atomic<bool>* stop) {
  const auto start = std::chrono::steady_clock::now();
  SectionResult result;
  if (const std::optional<std::string> refusal = RefusalOf(section)) {
    result.Status = SectionStatus::Refused;
    result.Notes.push_back(*refusal);
    return result;
  }
  SectionWork work(section, seconds, stop);
  Choice choice;
  if (!section.OnHand.empty()) {
    // Nothing bought is the cheapest purchase there is.
    Attempt onHand = work.Plan({});
    if (onHand.HasPlan() || work.OutOfTime()) {
      result.CostProven = onHand.HasPlan();
      choice.Consider(std::move(onHand), work);
      TakeChoice(section, work, choice, result);
      result.PlansMade = work.Plans();
      result.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      return result;
    }
  }
  if (maxLengths == 1 || maxLengths == 2) {
    PlanEverySet(section, maxLengths, work, choice, result);
  } else {
    PlanDroppingLengths(section, maxLengths, work, choice, result);
  }
  TakeChoice(section, work, choice, result);
  result.PlansMade = work.Plans();
  result.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return result;
}

}  // namespace yobina
