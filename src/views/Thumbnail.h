// Thumbnails: made from the image file the first time a cell that shows it is painted, kept in
// the image entry, and released to recover memory.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace xelo {

class CDibImage;
class CImageEntry;
class CTavoDoc;
class ThumbnailCache;

// Thumbnails are made at most this size whatever the display size; smaller sizes stretch them.
constexpr int kThumbnailMaxWidth = 96;
constexpr int kThumbnailMaxHeight = 72;

// Decodes the thumbnail of a file into an image; raises CTavoException on failure.
using ThumbnailDecoder = std::function<void(const std::string& path, CDibImage& image)>;
// The production decoder: the codec framework's thumbnail read into 96 × 72.
ThumbnailDecoder DefaultThumbnailDecoder();

// The production decoder through the shared thumbnail folders: the stored or newly made
// 128 × 128 picture, reduced to 96 × 72.
ThumbnailDecoder CachingThumbnailDecoder(std::shared_ptr<const ThumbnailCache> cache);

// Makes the entry's thumbnail unless it is present; errors pass on and leave the flag clear.
void LoadThumbnail(const std::string& folder, CImageEntry& entry,
                   const ThumbnailDecoder& decoder = DefaultThumbnailDecoder());

// Frees the entry's thumbnail and cached images, clears their flags and sets the two zoom
// percentages back to 100.
void ReleaseImages(CImageEntry& entry);

// Releases the images of entries that hold any, in list order, skipping release-exempt ones.
// With `all` false only the first such entry; returns whether anything was released.
bool FreeImageMemory(CTavoDoc& doc, bool all);

// LoadThumbnail with memory recovery: out of memory or resources frees one entry's images and
// tries again while something was freed. False when no thumbnail could be made (no message).
bool LoadThumbnailRecovering(CTavoDoc& doc, CImageEntry& entry,
                             const ThumbnailDecoder& decoder = DefaultThumbnailDecoder());

}  // namespace xelo
