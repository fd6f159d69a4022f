#include "ui/results/results_placement.hpp"

#include <algorithm>

namespace ferrolith {

namespace {

int coveredArea(const QRect& main, const QRect& results) {
    const QRect covered = main.intersected(results);
    return covered.isEmpty() ? 0 : covered.width() * covered.height();
}

// The top of the results window: level with the main window, kept on the screen.
int topFor(const QRect& main, const QSize& results, const QRect& room) {
    return std::clamp(main.top(), room.top(),
                      std::max(room.top(), room.bottom() + 1 - results.height()));
}

}  // namespace

ResultsPlacement placeResults(const QRect& main, const QSize& results, const QRect& room,
                              bool mayMoveMain) {
    const int top = topFor(main, results, room);
    if (main.right() + results.width() <= room.right()) return {{main.right() + 1, top}, {}};
    if (main.left() - results.width() >= room.left())
        return {{main.left() - results.width(), top}, {}};
    if (mayMoveMain && main.width() + results.width() <= room.width()) {
        const int left = room.left() + (room.width() - main.width() - results.width()) / 2;
        return {{left + main.width(), top}, QPoint(left, main.top())};
    }
    // At the screen's right or left edge, whichever covers less of the main window.
    const QPoint right(std::max(room.left(), room.right() + 1 - results.width()), top);
    const QPoint left(room.left(), top);
    return coveredArea(main, {left, results}) < coveredArea(main, {right, results})
               ? ResultsPlacement{left, {}}
               : ResultsPlacement{right, {}};
}

QSize fittedSize(const QSize& preferred, const QSize& minimum, const QSize& room,
                 const QSize& frame) {
    const QSize inside = room - frame;
    return preferred.boundedTo(inside).expandedTo(minimum);
}

}  // namespace ferrolith
