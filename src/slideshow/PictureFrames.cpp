#include "slideshow/PictureFrames.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "album/TavoDoc.h"
#include "codec/ImageFile.h"
#include "image/TavoException.h"

namespace xelo {

namespace {

bool HasGifExtension(const std::string& name) {
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    std::string ext = name.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == "gif" || ext == "giff";
}

}  // namespace

CPictureFrames::CPictureFrames()
    : rng_(static_cast<uint32_t>(
          std::chrono::steady_clock::now().time_since_epoch().count())) {}

bool CPictureFrames::Suitable(const std::string& path, Size screen) {
    try {
        ImageInfo info;
        CImageFile().ReadInfo(path, info);
        return info.format == kFormatGif && info.frameCount == 1 && info.width <= screen.width &&
               info.height <= screen.height;
    } catch (const CTavoException&) {
        return false;
    }
}

void CPictureFrames::Clear() {
    names_.clear();
    folder_.clear();
    index_ = -1;
    image_.Release();
    flipped_ = false;
}

void CPictureFrames::BuildFromFolder(const std::string& folder, Size screen) {
    Clear();
    single_ = false;
    folder_ = folder;
    if (folder.empty()) return;
    std::error_code ec;
    for (const auto& file : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = file.path().filename().string();
        if (!file.is_regular_file(ec) || !HasGifExtension(name)) continue;
        if (Suitable(file.path().string(), screen)) names_.push_back(name);
    }
    std::sort(names_.begin(), names_.end(),
              [](const std::string& a, const std::string& b) { return CompareNames(a, b) < 0; });
}

void CPictureFrames::BuildFromFile(const std::string& file, Size screen) {
    Clear();
    single_ = true;
    if (file.empty() || !Suitable(file, screen)) return;
    const std::filesystem::path path(file);
    folder_ = path.parent_path().string();
    names_.push_back(path.filename().string());
}

const CDibImage* CPictureFrames::ChooseNext(bool random) {
    if (names_.empty()) return nullptr;
    flipped_ = false;
    if (single_) {
        if (image_.IsEmpty()) {
            index_ = 0;
            Load();
        }
        return Current();
    }
    image_.Release();
    const int count = Count();
    if (!random) {
        index_ = (index_ + 1) % count;
    } else if (count < 2) {
        index_ = 0;
    } else {
        std::uniform_int_distribution<int> pick(0, count - 1);
        int next = pick(rng_);
        while (next == index_) next = pick(rng_);
        index_ = next;
    }
    Load();
    return Current();
}

void CPictureFrames::Load() {
    const std::string path =
        (std::filesystem::path(folder_) / names_[static_cast<size_t>(index_)]).string();
    try {
        CImageFrames frames;
        CImageFile().LoadFirstFrame(path, frames);
        if (!frames.frames.empty()) frames.frames[0]->image.TransferTo(image_);
    } catch (const CTavoException&) {
        image_.Release();  // a frame that no longer decodes is left out silently
    }
}

}  // namespace xelo
