// The image view's rotate and flip commands: the orientation they lead to and the scroll
// offsets that keep the picture point at the window centre where it was.
#pragma once

#include "image/Geometry.h"

namespace xelo {

enum class OrientCommand {
    kRotateRight,
    kRotateLeft,
    kRotate180,
    kFlipLeftRight,
    kFlipUpDown,
    kReset
};

// The orientation (0 … 7, as RenderTransformed counts them) after `command`.
int NextOrientation(OrientCommand command, int orientation);

struct ViewPlacement {
    int orientation = 0;
    Size displayed;  // after orientation and zoom
    Point offset;    // window position inside the displayed picture
};

// Applies `command` to the view showing a `natural`-sized picture at `factor` in `window`.
ViewPlacement ApplyOrientation(OrientCommand command, const ViewPlacement& before, Size natural,
                               double factor, Size window);

}  // namespace xelo
