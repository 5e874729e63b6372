#include "plan/plan_totals.h"

#include <algorithm>

#include "text/numeric.h"

namespace yobina {

double MemberLengthOf(const TJob& job) {
  double memberLength = 0;
  for (int32_t k = 1; k <= std::clamp(job.CutCount, 0, kTableCapacity); ++k) {
    const TLengthRow& row = job.CutTable[k];
    memberLength += static_cast<double>(static_cast<int64_t>(row.Length) * row.Count);
  }
  return memberLength;
}

double LeftoverRateOf(double leftoverLength, double stockLength) {
  return leftoverLength * 100 / RealMax(stockLength, 1);
}

double LossRateOf(double stockLength, double memberLength) {
  return RealMax(stockLength - memberLength, 0) * 100 / RealMax(memberLength, 1);
}

}  // namespace yobina
