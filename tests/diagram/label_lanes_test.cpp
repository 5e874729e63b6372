#include "diagram/label_lanes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace yobina {
namespace {

// As the diagrams set them on A4: the lanes from the page's left, the bar from 14 mm.
constexpr double kLeft = 0;
constexpr double kBarLeft = 14;
constexpr double kRight = 192;
constexpr double kSpacing = 1;
constexpr double kClearance = 0.2;
constexpr double kBytePitch = 1.45;
constexpr double kSlack = 1e-9;

void ExpectClearLanes(const std::vector<TLaneLabel>& labels, int lanes) {
  std::vector<int> perLane(static_cast<size_t>(std::max(lanes, 0)));
  for (const TLaneLabel& a : labels) {
    ASSERT_TRUE(a.Lane >= 0 && a.Lane < lanes);
    ++perLane[static_cast<size_t>(a.Lane)];
    EXPECT_GE(a.Left, kLeft - kSlack);
    EXPECT_LE(a.Left + a.Width, kRight + kSlack);
    // Its own leader, straight down at the anchor, ends on it.
    EXPECT_TRUE(a.Anchor >= a.Left - kSlack && a.Anchor <= a.Left + a.Width + kSlack) << a.Anchor;
    for (const TLaneLabel& b : labels) {
      if (&a == &b) continue;
      if (a.Lane == b.Lane) {
        EXPECT_TRUE(a.Left + a.Width + kSpacing <= b.Left + kSlack ||
                    b.Left + b.Width + kSpacing <= a.Left + kSlack)
            << "overlap in lane " << a.Lane << " at " << a.Left << " and " << b.Left;
      } else if (a.Lane < b.Lane) {
        EXPECT_FALSE(b.Anchor > a.Left - kClearance + kSlack &&
                     b.Anchor < a.Left + a.Width + kClearance - kSlack)
            << "leader at " << b.Anchor << " to lane " << b.Lane << " passes the label at " << a.Left
            << " in lane " << a.Lane;
      }
    }
  }
  for (int count : perLane) EXPECT_GT(count, 0);
}

// Anchors `clearance` or more apart, as narrow neighbouring pieces give them:
// spread over the bar, crowded at its end, or crowded somewhere in between.
std::vector<TLaneLabel> Generated(std::mt19937& random, int shape) {
  const int count = std::uniform_int_distribution<int>(1, 36)(random);
  std::uniform_real_distribution<double> wide(0.2, 12), narrow(0.2, 1.2);
  std::vector<double> steps;
  for (int i = 0; i < count; ++i) {
    const bool crowded = shape == 1 || (shape == 2 && i > count / 3 && i < 2 * count / 3);
    steps.push_back(crowded ? narrow(random) : wide(random));
  }
  double total = 0;
  for (double step : steps) total += step;
  // Spread ones run from the bar's start; a crowd at the end finishes at `right`.
  double x = shape == 1 ? std::max(kBarLeft, kRight - total - count * kClearance) : kBarLeft;
  const double squeeze = std::min(1.0, (kRight - kBarLeft - count * kClearance) / total);
  std::vector<TLaneLabel> labels;
  for (double step : steps) {
    x += kClearance + step * squeeze;
    TLaneLabel& label = labels.emplace_back();
    label.Anchor = x;
    label.Width = std::uniform_int_distribution<int>(3, 9)(random) * kBytePitch;  // "7×3" .. "残1234567"
  }
  std::shuffle(labels.begin(), labels.end(), random);
  return labels;
}

TEST(LabelLanes, LeadersPassNoLabelOfAnUpperLane) {
  std::mt19937 random(2024);
  for (int round = 0; round < 300; ++round) {
    std::vector<TLaneLabel> labels = Generated(random, round % 3);
    const int lanes = PlaceInLanes(labels, kLeft, kRight, kSpacing, kClearance);
    SCOPED_TRACE(round);
    ExpectClearLanes(labels, lanes);
    if (HasFailure()) return;
  }
}

TEST(LabelLanes, LeadersCloserThanTheClearanceCrossNoLabel) {
  // Anchors a hair apart, as single pieces far narrower than a millimetre give
  // them: at the bar's start with less room on the left than a label needs, at
  // its end, and in the middle; labels of mixed widths.
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE(round);
    const int count = std::uniform_int_distribution<int>(2, 36)(random);
    const double start = std::vector<double>{2, 100, kRight - 3}[round % 3];
    std::uniform_real_distribution<double> step(0, 0.15);
    std::vector<TLaneLabel> labels;
    double anchor = start;
    for (int i = 0; i < count; ++i) {
      TLaneLabel& label = labels.emplace_back();
      label.Anchor = anchor;
      label.Width = std::uniform_int_distribution<int>(2, 12)(random) * kBytePitch;
      anchor = std::min(kRight, anchor + step(random));
    }
    std::shuffle(labels.begin(), labels.end(), random);
    const int lanes = PlaceInLanes(labels, kLeft, kRight, kSpacing, kClearance);
    for (const TLaneLabel& a : labels) {
      ASSERT_TRUE(a.Lane >= 0 && a.Lane < lanes);
      EXPECT_TRUE(a.Left >= kLeft && a.Left + a.Width <= kRight + kSlack);
      EXPECT_TRUE(a.Anchor >= a.Left - kSlack && a.Anchor <= a.Left + a.Width + kSlack);
      for (const TLaneLabel& b : labels) {
        // A leader may touch the edge of a label above its own, never run through it.
        if (a.Lane < b.Lane) {
          EXPECT_FALSE(b.Anchor > a.Left + kSlack && b.Anchor < a.Left + a.Width - kSlack)
              << "leader at " << b.Anchor << " passes the label at " << a.Left << " in lane " << a.Lane;
        }
        if (&a != &b && a.Lane == b.Lane) {
          EXPECT_TRUE(a.Left + a.Width <= b.Left + kSlack || b.Left + b.Width <= a.Left + kSlack);
        }
      }
    }
    if (HasFailure()) return;
  }
}

TEST(LabelLanes, CrowdsBeyondAnyRoomStillGetALaneEach) {
  // Equal anchors, and a label wider than the room: every label placed, one lane at most each.
  std::vector<TLaneLabel> labels(4);
  for (TLaneLabel& label : labels) label = {100, 6};
  labels.push_back({50, kRight + 30});
  const int lanes = PlaceInLanes(labels, kLeft, kRight, kSpacing, kClearance);
  EXPECT_LE(lanes, 5);
  for (const TLaneLabel& label : labels) {
    EXPECT_LT(label.Lane, lanes);
    EXPECT_GE(label.Left, kLeft);
  }
}

}  // namespace
}  // namespace yobina
