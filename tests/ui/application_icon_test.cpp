#include "ui/widgets/application_icon.hpp"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

namespace ferrolith {
namespace {

TEST(ApplicationIcon, DrawsTheLoadedBeamAtEverySize) {
    const QIcon icon = applicationIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes().size(), 8);
    for (int size : {16, 32, 256}) {
        const QImage image = icon.pixmap(size).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        const auto at = [&](double x, double y) {  // in the SVG's 64-unit square
            return image.pixelColor(static_cast<int>(x * size / 64),
                                    static_cast<int>(y * size / 64));
        };
        EXPECT_EQ(at(0.2, 0.2).alpha(), 0) << size;  // outside the rounded corner
        EXPECT_GT(at(32, 23).red(), 180) << size;    // the load arrow
        EXPECT_LT(at(32, 23).blue(), 80) << size;
        EXPECT_LT(at(32, 33.5).lightness(), 100) << size;  // the beam
        EXPECT_GT(at(32, 45).lightness(), 200) << size;    // the open field under the beam
    }
}

}  // namespace
}  // namespace ferrolith
