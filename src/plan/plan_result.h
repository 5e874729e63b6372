// What a planner returns: the job as planned, the plan, and how it was made.
// Every output of a plan (the report on screen and paper, the diagrams, CSV,
// JSON, PDF) reads only this, so what reaches paper is the job as planned,
// whatever the page shows since.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "job/job_document.h"
#include "plan/plan.h"

namespace yobina {

enum class PlanStatus {
  Planned,   // the plan has patterns
  NoPlan,    // the job cannot be cut ("ヨビナ不能です。")
  NotFound,  // stopped or out of time before any plan was found
  Refused,   // the optimal planner does not take the job; Message says why
};

// A Run: the best of its randomized trials.
struct RunMethod {
  int32_t Trials = 0;  // asked for; a stopped Run did fewer
};

// The optimal planner: its plan uses the least stock it could prove, or shows how far it may be off.
struct OptimalMethod {
  bool Proven = false;
  double BoundLossRate = 0;  // percent: no plan loses less
  double GapMeters = 0;      // stock between the plan and the bound (0 when proven)
  // The saw set-ups: the plan's patterns, the least any plan of its stock
  // could have (0: not known), and whether the count is proven least.
  struct SetupCount {
    int32_t Patterns = 0;
    int32_t LowerBound = 0;
    bool Proven = false;
  };
  SetupCount Setups;
  // The best plan without the short-first rule, where that would use less stock.
  struct Reference {
    double StockLength = 0;  // mm
    double LossRate = 0;     // percent
    bool Proven = false;     // no such plan uses less stock
  };
  std::optional<Reference> WithoutShortFirst;
  // With offcuts on (Document.OffcutMin > 0): whether no plan of this stock
  // leaves less scrap. Not set with offcuts off.
  std::optional<bool> ScrapProven;
};

struct PlanResult {
  JobDocument Document;  // the job as planned: names, date, unit weight and lists as they were
  yobina::Plan Plan;     // its tables sorted; no patterns unless Status is Planned
  std::variant<RunMethod, OptimalMethod> Method;
  PlanStatus Status = PlanStatus::NotFound;
  // Cut short by a stop (the user, a signal, or a Run's time limit): the plan
  // is the best so far, and without one that says nothing about the job.
  bool Stopped = false;
  std::string Message;  // code page 932: why Refused
};

inline const OptimalMethod* OptimalMethodOf(const PlanResult& result) {
  return std::get_if<OptimalMethod>(&result.Method);
}

}  // namespace yobina
