#pragma once

class QPainter;

namespace ferrolith {

// Draws the static sketch of the simply supported beam across the top of the window.
void paintBeamSketch(QPainter& painter);

}  // namespace ferrolith
