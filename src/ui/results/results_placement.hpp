#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

namespace ferrolith {

// Where the results window opens, and where the main window goes should the pair be arranged.
struct ResultsPlacement {
    QPoint results;              // the results window's frame, top left
    std::optional<QPoint> main;  // the main window's frame, top left, when it is to move
};

// The results window (frame size results) beside the main window's frame main on the available
// screen area room: to the right or the left where there is room; else, when mayMoveMain and the
// screen holds both side by side, the pair arranged side by side and centred; else where it
// covers the least of the main window.
ResultsPlacement placeResults(const QRect& main, const QSize& results, const QRect& room,
                              bool mayMoveMain);

// The results window's size: its preferred size, less where the room (less the frame) is smaller,
// but never below its minimum.
QSize fittedSize(const QSize& preferred, const QSize& minimum, const QSize& room,
                 const QSize& frame);

}  // namespace ferrolith
