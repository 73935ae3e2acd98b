// The settings of the "Thumbnails and Colors" dialog, read from and stored into the preference
// blocks. The dialog edits a copy; only confirming stores it.
#pragma once

#include <cstdint>

namespace xelo {

class CPreferences;

struct ThumbnailOptions {
    int size = 1;   // 0 Large, 1 Normal, 2 Small, 3 Tiny
    int frame = 4;  // 0 None, 1 Flat, 2 Raised, 3 Sunken, 4 3D border
    bool showFileName = true;
    bool showIndex = true;
    bool fitPreview = false;
    uint32_t previewColour = 0x666666;  // 0x00BBGGRR
    uint32_t thumbnailColour = 0x999999;
    uint32_t imageColour = 0x999999;
    bool diskCache = true;  // keep thumbnails in the desktop's thumbnail folders

    // What "Reset" selects.
    static ThumbnailOptions Defaults() { return {}; }
    static ThumbnailOptions Read(const CPreferences& prefs);
    // Stores the options and the derived cell size, border width and label height; a frame
    // style above 4 is stored as 4.
    void Store(CPreferences& prefs) const;

    friend bool operator==(const ThumbnailOptions&, const ThumbnailOptions&) = default;
};

}  // namespace xelo
