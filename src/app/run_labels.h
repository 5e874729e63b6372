// The texts the planners' labels show while they work, and the trial count
// a Run reads from the trial-count choice.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "job/job_document.h"

namespace yobina {

// "%7.3f %%  (%d)": the loss rate of a trial and its number. Always a '.' as
// the decimal point, whatever the process's locale.
std::string FormatTrialLossLabel(double lossRate, int32_t trial);

// "%7.3f %%": the best loss rate so far.
std::string FormatBestLossLabel(double lossRate);

// "下限%6.3f %%" (code page 932): the optimal planner's lower bound while it works.
std::string FormatBoundLabel(double boundLossRate);

// "計画%6.3f %%" (code page 932): the loss rate of the optimal planner's best plan while it works.
std::string FormatPlanLabel(double lossRate);

// The number at the start of a trial-count caption (code page 932), read
// through the full-width to half-width conversion; at least 1.
int32_t TrialCountOfCaption(std::string_view caption);

// The trials the document's choice of the trial-count group asks for; with
// no item chosen, 10, the fewest the group offers.
int32_t TrialCountOf(const JobDocument& document);

}  // namespace yobina
