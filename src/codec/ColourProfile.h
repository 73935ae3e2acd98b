// Colour management through Little CMS 2: pixels of a picture that embeds an ICC profile are
// converted from it to the display's profile (sRGB unless the window layer gives another).
// Pictures without a profile are not touched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace xelo {

using IccProfile = std::vector<uint8_t>;

// The display's profile; empty means sRGB. Transforms made for the previous one are dropped.
void SetDisplayProfile(IccProfile profile);

// A conversion from one embedded profile to the display's, shared by every decode of pictures
// with the same profile; safe to use from several threads at once.
class ColourTransform {
  public:
    explicit ColourTransform(void* handle) : handle_(handle) {}
    ~ColourTransform();
    ColourTransform(const ColourTransform&) = delete;
    ColourTransform& operator=(const ColourTransform&) = delete;

    // Converts `height` rows of `width` blue, green, red pixels in place.
    void Apply(uint8_t* rows, int width, int height, size_t stride) const;

  private:
    void* handle_;
};

// The cached transform for `profile`; null for an empty, unreadable or non-RGB profile.
std::shared_ptr<const ColourTransform> TransformFor(const IccProfile& profile);

// The ICC profile of a JPEG file's APP2 segments, joined in their sequence; empty when none.
IccProfile JpegIccProfile(const uint8_t* data, size_t size);

}  // namespace xelo
