#include "ui/results/results_placement.hpp"

#include <gtest/gtest.h>

namespace ferrolith::test {
namespace {

// The main window's frame is 758 x 609; the results window's 840 x 832.
struct PlacementCase {
    const char* name;
    QRect room;
    QPoint main;
    bool mayMoveMain;
    QPoint results;
    std::optional<QPoint> movedMain;
};

TEST(ResultsPlacement, BesideWhereThereIsRoomElseTheArrangedPairElseCoveringLeast) {
    const QSize main(758, 609);
    const QSize results(840, 832);
    const std::vector<PlacementCase> cases{
        {"2560 wide, room on the right", {0, 0, 2560, 1410}, {901, 400}, true, {1659, 400}, {}},
        {"2560 wide, room only on the left", {0, 0, 2560, 1410}, {1800, 0}, true, {960, 0}, {}},
        {"1600 wide, centred: the pair arranged",
         {0, 0, 1600, 1170},
         {421, 280},
         true,
         {1 + 758, 280},
         QPoint(1, 280)},
        {"1600 wide, moved by the user: right edge",
         {0, 0, 1600, 1170},
         {421, 280},
         false,
         {760, 280},
         {}},
        {"1366 x 768: the side covering less", {0, 0, 1366, 740}, {500, 100}, true, {0, 0}, {}},
        {"1024 x 768, main at the left: right edge", {0, 0, 1024, 740}, {0, 0}, true, {184, 0}, {}},
        {"screen with an offset", {1600, 0, 2560, 1410}, {1700, 0}, false, {2458, 0}, {}},
    };
    for (const PlacementCase& c : cases) {
        const ResultsPlacement placed =
            placeResults({c.main, main}, results, c.room, c.mayMoveMain);
        EXPECT_EQ(placed.results, c.results) << c.name;
        EXPECT_EQ(placed.main, c.movedMain) << c.name;
    }
}

TEST(ResultsPlacement, SizeFitsTheScreenDownToTheMinimum) {
    const QSize preferred(820, 800);
    const QSize minimum(560, 480);
    const QSize frame(10, 32);
    EXPECT_EQ(fittedSize(preferred, minimum, {1600, 1170}, frame), QSize(820, 800));
    EXPECT_EQ(fittedSize(preferred, minimum, {1366, 740}, frame), QSize(820, 708));
    EXPECT_EQ(fittedSize(preferred, minimum, {640, 400}, frame), QSize(630, 480));
}

}  // namespace
}  // namespace ferrolith::test
