#include "views/ViewOrientation.h"

#include <array>
#include <utility>

#include "views/ImageViewGeometry.h"

namespace xelo {

namespace {

using Row = std::array<int, 8>;
// Each row: the orientation after the command, indexed by the one before. Values 4 … 7 are
// k quarter turns clockwise followed by a left-right mirror.
constexpr Row kRotateRight{1, 2, 3, 0, 7, 4, 5, 6};
constexpr Row kRotateLeft{3, 0, 1, 2, 5, 6, 7, 4};
constexpr Row kRotate180{2, 3, 0, 1, 6, 7, 4, 5};
constexpr Row kFlipLeftRight{4, 5, 6, 7, 0, 1, 2, 3};
constexpr Row kFlipUpDown{6, 7, 4, 5, 2, 3, 0, 1};

// The offsets and displayed size moved with the picture by one elementary step; the window
// keeps its size and halves are integer halves.
struct Moving {
    int x, y, dw, dh;
    const int cw, ch;

    void TurnClockwise() {
        const int nx = dh - cw / 2 - ch / 2 - y;
        const int ny = cw / 2 - ch / 2 + x;
        x = nx;
        y = ny;
        std::swap(dw, dh);
    }
    void TurnAnticlockwise() {
        const int nx = ch / 2 - cw / 2 + y;
        const int ny = dw - cw / 2 - ch / 2 - x;
        x = nx;
        y = ny;
        std::swap(dw, dh);
    }
    void HalfTurn() {
        x = dw - cw - x;
        y = dh - ch - y;
    }
    void MirrorLeftRight() { x = dw - cw - x; }
    void MirrorUpDown() { y = dh - ch - y; }
};

}  // namespace

int NextOrientation(OrientCommand command, int orientation) {
    const int o = orientation & 7;
    switch (command) {
        case OrientCommand::kRotateRight:
            return kRotateRight[o];
        case OrientCommand::kRotateLeft:
            return kRotateLeft[o];
        case OrientCommand::kRotate180:
            return kRotate180[o];
        case OrientCommand::kFlipLeftRight:
            return kFlipLeftRight[o];
        case OrientCommand::kFlipUpDown:
            return kFlipUpDown[o];
        case OrientCommand::kReset:
            break;
    }
    return 0;
}

ViewPlacement ApplyOrientation(OrientCommand command, const ViewPlacement& before, Size natural,
                               double factor, Size window) {
    Moving m{before.offset.x,         before.offset.y, before.displayed.width,
             before.displayed.height, window.width,    window.height};
    switch (command) {
        case OrientCommand::kRotateRight:
            m.TurnClockwise();
            break;
        case OrientCommand::kRotateLeft:
            m.TurnAnticlockwise();
            break;
        case OrientCommand::kRotate180:
            m.HalfTurn();
            break;
        case OrientCommand::kFlipLeftRight:
            m.MirrorLeftRight();
            break;
        case OrientCommand::kFlipUpDown:
            m.MirrorUpDown();
            break;
        case OrientCommand::kReset: {
            // Undo: the mirror came last, so it goes first; then the turns backwards.
            const int o = before.orientation & 7;
            if (o >= 4) m.MirrorLeftRight();
            if (o % 4 == 1) m.TurnAnticlockwise();
            if (o % 4 == 3) m.TurnClockwise();
            if (o % 4 == 2) m.HalfTurn();
            break;
        }
    }
    ViewPlacement after;
    after.orientation = NextOrientation(command, before.orientation);
    after.displayed = DisplayedSize(natural, factor, after.orientation);
    after.offset = {ClampOffset(m.x, after.displayed.width, window.width),
                    ClampOffset(m.y, after.displayed.height, window.height)};
    return after;
}

}  // namespace xelo
