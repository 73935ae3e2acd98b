// Colour management through Little CMS 2: pixels of a picture that embeds an ICC profile are
// converted from it to the display's profile (sRGB unless the window layer gives another).
// Pictures without a profile are not touched, and the library is not even loaded for them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace xelo {

using IccProfile = std::vector<uint8_t>;

// The display's profile, the target of every later conversion; empty means sRGB.
void SetDisplayProfile(IccProfile profile);
IccProfile DisplayProfile();

// A conversion from one profile to another, shared by every decode of pictures with the same
// source and target; safe to use from several threads at once.
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

// The cached transform from `source` to `target` (empty: sRGB); null when the source is empty,
// unreadable or not RGB, or Little CMS is not installed. A target that does not read is taken
// as sRGB.
std::shared_ptr<const ColourTransform> TransformFor(const IccProfile& source,
                                                    const IccProfile& target);
// The transform from `source` to the display's profile.
std::shared_ptr<const ColourTransform> TransformFor(const IccProfile& source);

// The ICC profile of a JPEG file's APP2 segments, joined in their sequence; empty when none.
IccProfile JpegIccProfile(const uint8_t* data, size_t size);

}  // namespace xelo
