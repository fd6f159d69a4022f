#pragma once

#include <QRect>

namespace ferrolith {

// The window's layout is given in twips, 15 to a device-independent pixel.
inline constexpr double twipsPerPixel = 15.0;

constexpr int twipsToPixels(int twips) { return (2 * twips + 15) / 30; }

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

}  // namespace ferrolith
