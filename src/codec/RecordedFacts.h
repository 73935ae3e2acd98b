// What a file records about how its pixels are shown, beyond the header facts: the Exif (or TIFF,
// or HEIF) orientation and the embedded colour profile, with the profile's own description.
#pragma once

#include <string>

#include "codec/ColourProfile.h"

namespace xelo {

struct RecordedFacts {
    int orientation = 1;  // Exif values 1 to 8; 1 as stored
    IccProfile profile;   // empty when the file embeds none
};

// Reads the facts of the image file at `path`; throws the codec's error.
RecordedFacts ReadRecordedFacts(const std::string& path);

// The description a profile gives of itself ("Display P3"); empty when it gives none or Little
// CMS is not installed.
std::string ProfileDescription(const IccProfile& profile);

}  // namespace xelo
