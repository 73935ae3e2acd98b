// RenderTransformed against a plain per-pixel mapping written from the orientation definitions:
// unscaled and exactly doubled pictures in all eight orientations, with sizes that cross the
// quarter-turn copy's 64-column strips unevenly, destinations sticking out of the buffer, and
// parts of a larger logical picture (the target stays where the part does not reach).
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "image/RenderTransformed.h"

namespace xelo {
namespace {

// The pixel of a w × h picture that shows at (x, y) of the picture turned by `orientation`.
Point SourceOf(int orientation, int x, int y, int w, int h) {
    switch (orientation) {
        case kOrientNormal:
            return {x, y};
        case kOrientRotate90:
            return {y, h - 1 - x};
        case kOrientRotate180:
            return {w - 1 - x, h - 1 - y};
        case kOrientRotate270:
            return {w - 1 - y, x};
        case kOrientMirrorLeftRight:
            return {w - 1 - x, y};
        case kOrientTranspose:
            return {y, x};
        case kOrientMirrorTopBottom:
            return {x, h - 1 - y};
        default:
            return {w - 1 - y, h - 1 - x};  // transverse
    }
}

bool Contains(const Rect& r, Point p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

struct Case {
    Size image;
    Point offset;               // where the image lies in the logical picture
    std::optional<Size> whole;  // the logical picture's size
    std::optional<Rect> sourceClip;
    Point destOrigin;
    int scale;  // whole target pixels per picture pixel
    Size target;
    int pad;
    std::optional<Rect> clip;
};

TEST(RenderOrientationReference, EveryOrientationMatchesThePlainMapping) {
    const Case cases[] = {
        // Sticking out on every side, row pad in source and target.
        {{150, 97}, {}, {}, {}, {-11, -7}, 1, {130, 90}, 1, {}},
        // Inside a clip, wider than two strips.
        {{67, 129}, {}, {}, {}, {20, -30}, 1, {200, 100}, 3, Rect{30, 2, 120, 77}},
        // One pixel wide, then exactly one strip half outside the buffer.
        {{1, 200}, {}, {}, {}, {0, 0}, 1, {210, 210}, 0, {}},
        {{64, 64}, {}, {}, {}, {-32, 0}, 1, {64, 64}, 0, {}},
        // A part decoded on its own, limited again by a source clip.
        {{70, 40}, {30, 10}, Size{100, 90}, Rect{25, 0, 80, 45}, {-5, 3}, 1, {95, 110}, 2,
         Rect{1, 1, 94, 100}},
        // A part that misses only the logical picture's first column, then only its last: one
        // target line at an end of the quarter-turned picture lies outside it.
        {{70, 40}, {1, 0}, Size{71, 40}, {}, {0, 0}, 1, {80, 80}, 0, {}},
        {{70, 40}, {0, 0}, Size{71, 40}, {}, {0, 0}, 1, {80, 80}, 0, {}},
        {{70, 40}, {0, 1}, Size{70, 41}, {}, {0, 0}, 1, {80, 80}, 0, {}},
        // Enlarged exactly twice: each picture pixel becomes a 2 × 2 block.
        {{45, 33}, {}, {}, {}, {-9, 4}, 2, {100, 80}, 1, {}},
    };
    for (const Case& c : cases) {
        CDibImage image;
        image.Create(c.image.width, c.image.height, 3, false);
        for (int y = 0; y < c.image.height; ++y) {
            for (int x = 0; x < c.image.width; ++x) {
                uint8_t* p = image.Row(y) + x * 3;
                p[0] = static_cast<uint8_t>(x), p[1] = static_cast<uint8_t>(y);
                p[2] = static_cast<uint8_t>(x * 7 + y * 13 + 1);
            }
        }
        const Size whole = c.whole.value_or(c.image);
        // The logical pixels the image can show.
        Rect shown = Intersect(
            Rect{c.offset.x, c.offset.y, c.offset.x + c.image.width, c.offset.y + c.image.height},
            Rect{0, 0, whole.width, whole.height});
        if (c.sourceClip) shown = Intersect(shown, *c.sourceClip);

        for (int o = 0; o < 8; ++o) {
            SCOPED_TRACE(::testing::Message() << "image " << c.image.width << "x" << c.image.height
                                              << ", orientation " << o);
            const bool swap = SwapsAxes(o);
            const Rect dest{c.destOrigin.x, c.destOrigin.y,
                            c.destOrigin.x + c.scale * (swap ? whole.height : whole.width),
                            c.destOrigin.y + c.scale * (swap ? whole.width : whole.height)};
            // Each target row is pad pixels longer; one guard row lies above and below it.
            const size_t stride = static_cast<size_t>(c.target.width + c.pad) * 3;
            std::vector<uint8_t> memory(stride * (c.target.height + 2));
            for (size_t i = 0; i < memory.size(); ++i)
                memory[i] = static_cast<uint8_t>(i * 31 + 5);
            std::vector<uint8_t> expected = memory;
            for (int y = 0; y < c.target.height; ++y) {
                for (int x = 0; x < c.target.width; ++x) {
                    if (!Contains(dest, {x, y}) || (c.clip && !Contains(*c.clip, {x, y}))) continue;
                    // Where the logical picture lies outside the part, the target stays.
                    const Point s = SourceOf(o, (x - dest.left) / c.scale, (y - dest.top) / c.scale,
                                             whole.width, whole.height);
                    if (!Contains(shown, s)) continue;
                    const uint8_t* p = image.Row(s.y - c.offset.y) + (s.x - c.offset.x) * 3;
                    std::copy(p, p + 3, &expected[(y + 1) * stride + x * 3]);
                }
            }
            RenderTransformed(
                image, dest,
                BgrBuffer{memory.data() + stride, c.target.width, c.target.height, c.pad}, c.clip,
                o, RenderSource{c.offset, c.whole, c.sourceClip});
            const auto bad = std::mismatch(memory.begin(), memory.end(), expected.begin()).first;
            ASSERT_TRUE(bad == memory.end())
                << "first bad row " << (bad - memory.begin()) / static_cast<long>(stride) - 1;
        }
    }
}

}  // namespace
}  // namespace xelo
