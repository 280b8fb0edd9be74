#include "app/form_rules.h"

#include <gtest/gtest.h>

#include "workflow/form.h"

namespace app {
namespace {

TEST(CentredCoordinate, TruncatesTowardZeroEitherSide) {
  EXPECT_EQ(workflow::CentredCoordinate(1920, 859), 530);   // 1061 / 2 = 530.5
  EXPECT_EQ(workflow::CentredCoordinate(1080, 180), 450);
  EXPECT_EQ(workflow::CentredCoordinate(800, 859), -29);    // -59 / 2 = -29.5: toward zero, not -30
  EXPECT_EQ(workflow::CentredCoordinate(600, 764), -82);
  EXPECT_EQ(workflow::CentredCoordinate(858, 859), 0);      // -1 / 2 = -0.5
}

TEST(IntervalChange, SameValueTwiceKeepsTheRunningPeriod) {
  const IntervalChange first = DecideIntervalChange(0, 5000);
  EXPECT_EQ(first.interval, 5000);
  EXPECT_TRUE(first.start);
  EXPECT_FALSE(first.stop);
  const IntervalChange second = DecideIntervalChange(first.interval, 5000);
  EXPECT_EQ(second.interval, 5000);
  EXPECT_FALSE(second.start);
  EXPECT_FALSE(second.stop);
}

TEST(IntervalChange, ZeroStopsAndNegativeCountsAsZero) {
  const IntervalChange stop = DecideIntervalChange(5000, 0);
  EXPECT_TRUE(stop.stop);
  EXPECT_FALSE(stop.start);
  EXPECT_EQ(stop.interval, 0);
  const IntervalChange negative = DecideIntervalChange(5000, -7);
  EXPECT_TRUE(negative.stop);
  EXPECT_FALSE(negative.start);
  EXPECT_EQ(negative.interval, 0);
  // Already stopped: a negative value is the same value and changes nothing.
  const IntervalChange stillStopped = DecideIntervalChange(0, -1);
  EXPECT_FALSE(stillStopped.stop);
  EXPECT_FALSE(stillStopped.start);
}

TEST(IntervalChange, NewPeriodRestartsARunningTimer) {
  const IntervalChange change = DecideIntervalChange(5000, 1000);
  EXPECT_TRUE(change.stop);
  EXPECT_TRUE(change.start);
  EXPECT_EQ(change.interval, 1000);
}

}  // namespace
}  // namespace app
