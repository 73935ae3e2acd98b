// The picture mapping: in every orientation and at any enlargement, the window pixel under a
// picture pixel's centre maps back to that picture pixel.
#include <gtest/gtest.h>

#include <cmath>

#include "views/ImageViewGeometry.h"
#include "views/PictureMapping.h"

namespace xelo {
namespace {

TEST(PictureMapping, WindowPointsOfPixelCentresMapBackInEveryOrientation) {
    const Size natural{12, 8};
    for (int orientation = 0; orientation < 8; ++orientation) {
        for (double factor : {1.0, 2.0, 3.0}) {
            const PictureGeometry g{natural, DisplayedSize(natural, factor, orientation),
                                    Point{-3, 5}, orientation};
            for (int y = 0; y < natural.height; ++y) {
                for (int x = 0; x < natural.width; ++x) {
                    const WindowPointF w = WindowPointOf(g, x + 0.5, y + 0.5);
                    bool inside = false;
                    const Point back = PicturePixelAt(
                        g, {static_cast<int>(std::floor(w.x)), static_cast<int>(std::floor(w.y))},
                        &inside);
                    EXPECT_TRUE(inside);
                    EXPECT_EQ(back, (Point{x, y})) << orientation << " " << factor;
                }
            }
        }
    }
    // Off the picture: clamped to the nearest pixel and reported outside.
    const PictureGeometry g{natural, natural, Point{0, 0}, 0};
    bool inside = true;
    EXPECT_EQ(PicturePixelAt(g, {-5, 20}, &inside), (Point{0, 7}));
    EXPECT_FALSE(inside);
}

}  // namespace
}  // namespace xelo
