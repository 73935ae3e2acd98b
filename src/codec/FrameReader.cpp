#include "codec/FrameReader.h"

#include <algorithm>
#include <new>

#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 22;
}

void CFrameReader::Open(const std::string& path, const FrameScale& scale, CImageFrames& frames) {
    Close();
    frames.Clear();
    file_.Open(path);
    scale_ = scale;
    try {
        file_.SeekToBegin();
        codec_.ReadHeader(file_, &info_);
        if (info_.frameCount <= 0) ThrowError(kErrNoImages, {kComponentCodecFramework, kUnit, __LINE__});
        frames.format = info_.format;
        frames.width = info_.width;
        frames.height = info_.height;
        frames.background = info_.background;
        frames.frameCount = info_.frameCount;
        frames.loopCount = info_.loopCount;
        frames.frames.reserve(static_cast<size_t>(info_.frameCount));
        for (int index = 0; index < info_.frameCount; ++index) {
            auto& out = frames.frames.emplace_back(std::make_unique<CImageFrame>());
            CFrameInfo facts;
            codec_.BeginFrame(file_, facts, index);
            out->delay = static_cast<uint16_t>(std::clamp(facts.delay, 0, 0xFFFF));
            out->disposal = static_cast<uint8_t>(facts.disposal);
            out->interlaced = static_cast<uint8_t>(facts.interlaced);
            out->userInput = static_cast<uint8_t>(facts.userInput);
            out->frameRect = facts.frameRect;
        }
        codec_.End();
        open_ = true;
        Decode(0, *frames.frames.front());
    } catch (const std::bad_alloc&) {
        Close();
        frames.Clear();
        ThrowError(kErrNoMemory, {kComponentCodecFramework, kUnit, __LINE__});
    } catch (...) {
        Close();
        frames.Clear();
        throw;
    }
}

void CFrameReader::Close() {
    codec_.End();
    file_.Close();
    open_ = false;
}

void CFrameReader::Decode(int index, CImageFrame& out) {
    if (!open_ || index < 0 || index >= info_.frameCount)
        ThrowError(kErrInvalidParameter, {kComponentCodecFramework, kUnit, __LINE__});
    // Read afresh for every frame: codecs decode once per header, and the index is cheap.
    struct EndAfter {
        CImageFile& codec;
        ~EndAfter() { codec.End(); }
    } end{codec_};
    ImageInfo info;
    file_.SeekToBegin();
    codec_.ReadHeader(file_, &info);
    DecodeBudget budget;
    codec_.LoadFrame(file_, info, index, scale_, budget, out);
}

}  // namespace xelo
