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
        // A codec that decodes its frames again keeps the header (and its index of the frames).
        headerRead_ = codec_.DecodesFramesAgain();
        if (!headerRead_) codec_.End();
        file_.ReleaseReadPages();
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
    headerRead_ = false;
}

void CFrameReader::Decode(int index, CImageFrame& out) {
    if (!open_ || index < 0 || index >= info_.frameCount)
        ThrowError(kErrInvalidParameter, {kComponentCodecFramework, kUnit, __LINE__});
    DecodeBudget budget;
    struct ReleaseAfter {
        CMappedFile& file;
        ~ReleaseAfter() { file.ReleaseReadPages(); }
    } release{file_};
    if (headerRead_) {
        codec_.LoadFrame(file_, info_, index, scale_, budget, out);
        return;
    }
    // Codecs that decode once per header read it afresh for every frame.
    struct EndAfter {
        CImageFile& codec;
        ~EndAfter() { codec.End(); }
    } end{codec_};
    ImageInfo info;
    file_.SeekToBegin();
    codec_.ReadHeader(file_, &info);
    codec_.LoadFrame(file_, info, index, scale_, budget, out);
}

}  // namespace xelo
