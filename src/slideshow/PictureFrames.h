// Picture frames: decorative one-frame GIFs with transparent areas drawn over a slide or a Full
// Screen picture, from one chosen file or from every suitable file of a folder, used in turn or
// at random.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "image/DibImage.h"
#include "image/Geometry.h"

namespace xelo {

class CPictureFrames {
  public:
    CPictureFrames();

    // Multiple frames: the GIF files of `folder`; single: `file` alone. Only GIFs of exactly one
    // frame no larger than `screen` are kept.
    void BuildFromFolder(const std::string& folder, Size screen);
    void BuildFromFile(const std::string& file, Size screen);
    // Whether `path` can serve as a frame on a `screen`-sized display.
    static bool Suitable(const std::string& path, Size screen);

    int Count() const { return static_cast<int>(names_.size()); }
    const std::vector<std::string>& Names() const { return names_; }
    int Index() const { return index_; }

    // Picks the next frame (in turn, or at random but never the same twice in a row) and loads
    // it; null when there is none or it cannot be decoded. The flip is reset.
    const CDibImage* ChooseNext(bool random);
    const CDibImage* Current() const { return image_.IsEmpty() ? nullptr : &image_; }
    bool Flipped() const { return flipped_; }
    void ToggleFlip() { flipped_ = !flipped_; }
    void Clear();

  private:
    void Load();

    std::string folder_;
    std::vector<std::string> names_;
    bool single_ = false;
    int index_ = -1;
    bool flipped_ = false;
    CDibImage image_;
    std::mt19937 rng_;
};

}  // namespace xelo
