// The colour profile of the user's display, as the desktop publishes it: on X11 the ICC profile a
// colour manager sets on the root window (_ICC_PROFILE), else the profile colord assigns to the
// first display; pictures with a profile of their own are converted to it (sRGB when neither is
// there).
#pragma once

#include "codec/ColourProfile.h"

namespace xelo {

// The desktop's profile; empty when it gives none.
IccProfile DesktopDisplayProfile();

// Makes the desktop's profile the target of colour conversion. Call once the application object
// exists.
void UseDesktopDisplayProfile();

}  // namespace xelo
