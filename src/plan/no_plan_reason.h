// Why a job has no cutting plan, said on the line under "ヨビナ不能です。".
#pragma once

#include <string>

#include "job/job.h"

namespace yobina {

// Code page 932. A piece longer than every bar on hand with its margin:
// "6500mm の部材が入る素材がありません（最長 6000mm＋余裕 0mm）". Else too little
// stock in all, counting each bar with its margin and each piece without its
// kerf, so only a lower bound: "素材が少なくとも 12.300m 足りません". Empty when
// neither holds, or when a negative kerf makes the lower bound unsound.
std::string NoPlanReason(const TJob& job);

}  // namespace yobina
