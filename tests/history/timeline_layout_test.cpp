// The timeline's points and the check made when a pilot is opened, from kept states alone.

#include "history/timeline_layout.h"

#include <gtest/gtest.h>

#include "history/career_loss.h"
#include "history_test_support.h"

namespace orlenda {
namespace {

KeptState State(int number, std::int64_t seen, int won, bool current = false) {
  KeptState state;
  state.number = number;
  state.firstSeen = state.lastSeen = seen;
  state.current = current;
  state.summary = SummaryOf(test::HistoryPilot("Ace", won));
  return state;
}

// A layout of points at the given places (x, totalY), for the thinning alone.
TimelineLayout PointsAt(const std::vector<std::pair<double, double>>& places) {
  TimelineLayout layout;
  for (const auto& [x, y] : places)
    layout.points.push_back({static_cast<int>(layout.points.size()) + 1, x, y, 0});
  return layout;
}

TEST(TimelineLayoutTest, ThinsPointsThatShareAPixelColumnToTheirShape) {
  // Three columns' width: no two points share one, so every point is drawn.
  const TimelineLayout sparse = PointsAt({{0.0, 0.1}, {0.5, 0.9}, {1.0, 0.4}});
  const VisibleLine all = VisiblePoints(sparse, &TimelinePoint::totalY, 3);
  EXPECT_EQ(all.path, (std::vector<std::size_t>{0, 1, 2}));
  EXPECT_EQ(all.dots, (std::vector<std::size_t>{0, 1, 2}));

  // Two columns: the first holds five points, whose line keeps its first, lowest, highest and last in
  // order, one dot at the last; the second column's lone point stays (the right edge is in the last).
  const TimelineLayout dense =
      PointsAt({{0.0, 0.5}, {0.1, 0.9}, {0.2, 0.3}, {0.3, 0.2}, {0.4, 0.6}, {1.0, 0.1}});
  const VisibleLine thinned = VisiblePoints(dense, &TimelinePoint::totalY, 2);
  EXPECT_EQ(thinned.path, (std::vector<std::size_t>{0, 1, 3, 4, 5}));
  EXPECT_EQ(thinned.dots, (std::vector<std::size_t>{4, 5}));
  EXPECT_TRUE(VisiblePoints(TimelineLayout{}, &TimelinePoint::totalY, 0).path.empty());
}

TEST(TimelineLayoutTest, PlacesOnePointPerStateByTimeAndScore) {
  const std::vector<KeptState> states = {State(1, 1000, 2), State(2, 1100, 4), State(3, 2000, 0)};
  const TimelineLayout layout = LayOutTimeline(states);
  ASSERT_EQ(layout.points.size(), 3u);
  EXPECT_DOUBLE_EQ(layout.points[0].x, 0.0);
  EXPECT_DOUBLE_EQ(layout.points[1].x, 0.1);
  EXPECT_DOUBLE_EQ(layout.points[2].x, 1.0);
  EXPECT_DOUBLE_EQ(layout.points[1].totalY, 1.0);
  EXPECT_DOUBLE_EQ(layout.points[0].missionsY, 0.5);
  EXPECT_DOUBLE_EQ(layout.points[2].totalY, 0.0);  // a career lost down to nothing reaches the bottom
  EXPECT_EQ(layout.points[2].state, 3);

  // One state, or all seen at one moment with nothing won: the middle of the time axis, the bottom line.
  const TimelineLayout flat = LayOutTimeline({State(1, 50, 0), State(2, 50, 0)});
  EXPECT_DOUBLE_EQ(flat.points[0].x, 0.5);
  EXPECT_DOUBLE_EQ(flat.points[1].totalY, 0.0);
  EXPECT_TRUE(LayOutTimeline({}).points.empty());
}

TEST(TimelineLayoutTest, TheMouseNamesTheNearestPointAndTheKeysStayWithinThePoints) {
  const TimelineLayout layout = LayOutTimeline({State(1, 0, 1), State(2, 10, 2), State(3, 100, 3)});
  EXPECT_EQ(PointNear(layout, 0.12, 0.05), std::optional<std::size_t>(1));
  EXPECT_EQ(PointNear(layout, 0.5, 0.05), std::nullopt);
  EXPECT_EQ(SteppedPoint(layout, std::nullopt, +1), std::optional<std::size_t>(0));
  EXPECT_EQ(SteppedPoint(layout, std::nullopt, -1), std::optional<std::size_t>(2));
  EXPECT_EQ(SteppedPoint(layout, 2, +1), std::optional<std::size_t>(2));
  EXPECT_EQ(SteppedPoint(layout, 0, -1), std::optional<std::size_t>(0));
  EXPECT_EQ(SteppedPoint(LayOutTimeline({}), std::nullopt, +1), std::nullopt);
}

// Only the state last seen counts: a pilot that lost missions once and was seen so since is not
// warned of again, and a career that only grew is never a loss.
TEST(CareerLossTest, ComparesTheFileWithTheStateLastSeen) {
  const StateSummary now = SummaryOf(test::HistoryPilot("Ace", 3));
  EXPECT_FALSE(CareerLostSince({}, now).has_value());
  const auto lost = CareerLostSince({State(1, 0, 2), State(2, 10, 5, true)}, now);
  ASSERT_TRUE(lost.has_value());
  EXPECT_EQ(lost->number, 2);
  EXPECT_FALSE(CareerLostSince({State(1, 0, 5), State(2, 10, 3, true)}, now).has_value());
  EXPECT_FALSE(CareerLostSince({State(1, 0, 2, true)}, now).has_value());
}

}  // namespace
}  // namespace orlenda
