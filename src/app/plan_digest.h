// Digests that name a job and a plan in the offcut inventory, so that a keep
// or a taking is known again after a restart. FNV-1a, 128 bits, over the
// values in a fixed layout (lengths before texts, integers as 8 bytes, little
// end first): the same job and plan give the same digest on any machine and
// in any later version, as long as the layout's tag is kept.
#pragma once

#include <string>
#include <string_view>

#include "job/job_document.h"
#include "plan/plan_result.h"

namespace yobina {

// 32 lower-case hex digits.
std::string Fnv1a128(std::string_view bytes);

// The job as its file holds it: the fields, the trial choice and both lists,
// cell by cell as typed (not the minimum offcut length, which is no part of
// the file).
std::string JobDigest(const JobDocument& document);

// The job as planned, with its minimum offcut length, and the plan: each
// pattern's bar, bar count and pieces.
std::string PlanDigest(const PlanResult& result);

}  // namespace yobina
