// The texts the Run command shows while it works, and the trial count it reads
// from the trial-count group.
#pragma once

#include <cstdint>
#include <string>

#include "job/input_page.h"

namespace yobina {

// "%7.3f %%  (%d)": the loss rate of a trial and its number. Always a '.' as
// the decimal point, whatever the process's locale.
std::string FormatTrialLossLabel(double lossRate, int32_t trial);

// "%7.3f %%": the best loss rate so far.
std::string FormatBestLossLabel(double lossRate);

// "下限%6.3f" (code page 932): the optimal planner's lower bound while it
// works, short enough for the trial label.
std::string FormatBoundLabel(double boundLossRate);

// "　ロス率" (code page 932): the trial label's caption between Runs.
const std::string& IdleTrialLabel();

// The number at the start of the selected item's caption, read through the
// full-width to half-width conversion; at least 1. With no item selected, 10,
// the fewest the group offers.
int32_t TrialCountFromPage(const InputPage& page);

}  // namespace yobina
