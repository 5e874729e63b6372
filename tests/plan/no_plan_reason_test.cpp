#include "plan/no_plan_reason.h"

#include <gtest/gtest.h>

#include "support/test_jobs.h"
#include "text/codec.h"

namespace yobina {
namespace {

using test::MakeJob;

TEST(NoPlanReason, SaysWhatNoPlanCanGetPast) {
  struct Case {
    const char* name;
    TJob job;
    const char* reason;  // UTF-8
  };
  const Case cases[] = {
      {"a piece longer than every bar", MakeJob({{6000, 9}, {5000, 3}}, {{6500, 1}, {900, 2}}, 0, 5),
       "6500mm の部材が入る素材がありません（最長 6000mm＋余裕 0mm）"},
      {"the margin counts", MakeJob({{6000, 9}}, {{6030, 1}}, 30, 5), ""},
      {"a bar without a count is no bar", MakeJob({{9000, 0}, {6000, 2}}, {{7000, 1}}, 10, 0),
       "7000mm の部材が入る素材がありません（最長 6000mm＋余裕 10mm）"},
      {"too little stock in all", MakeJob({{6000, 1}}, {{2000, 6}}, 0, 5),
       "素材が少なくとも 6.000m 足りません"},
      {"with the margin of every bar", MakeJob({{6000, 2}}, {{2000, 7}}, 100, 0),
       "素材が少なくとも 1.800m 足りません"},
      {"no bars at all", MakeJob({}, {{1000, 3}}, 0, 0), "素材が少なくとも 3.000m 足りません"},
      {"enough in all, but not in one bar's room", MakeJob({{6000, 2}}, {{4000, 3}}, 0, 0), ""},
      {"a negative kerf proves no shortfall", MakeJob({{6000, 1}}, {{2000, 6}}, 0, -5), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(NoPlanReason(c.job), Cp932(c.reason));
  }
}

}  // namespace
}  // namespace yobina
