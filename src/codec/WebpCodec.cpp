#include "codec/WebpCodec.h"

#include <algorithm>
#include <cstring>

#include "codec/ExifOrientation.h"
#include "codec/WebpLibrary.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
// Animations longer than this are refused as damaged; no encoder writes more.
constexpr int kMaxFrames = 100000;
}  // namespace

CWebpCodec::CWebpCodec() : CRasterCodec(kComponentWebpDecoder) {}
CWebpCodec::~CWebpCodec() {
    End();
}

void CWebpCodec::CloseLibrary() {
    if (animation_ == nullptr && demux_ == nullptr) return;
    const WebpLibrary& webp = Webp();
    if (animation_ != nullptr) webp.WebPAnimDecoderDelete(animation_);
    if (demux_ != nullptr) webp.WebPDemuxDelete(demux_);
    animation_ = nullptr;
    demux_ = nullptr;
    nextFrame_ = 0;
}

void CWebpCodec::ReadHeader(CImageStream& stream, ImageInfo* info) {
    End();
    const WebpLibrary& webp = Webp();
    uint32_t count = stream.Remaining();
    data_ = stream.Peek(count);
    size_ = count;
    const WebPData data{data_, size_};
    demux_ = webp.WebPDemuxInternal(&data, 0, nullptr, WEBP_DEMUX_ABI_VERSION);
    if (demux_ == nullptr) Fail(kErrFormatInvalid, __LINE__);
    const auto width = static_cast<int>(webp.WebPDemuxGetI(demux_, WEBP_FF_CANVAS_WIDTH));
    const auto height = static_cast<int>(webp.WebPDemuxGetI(demux_, WEBP_FF_CANVAS_HEIGHT));
    const uint32_t flags = webp.WebPDemuxGetI(demux_, WEBP_FF_FORMAT_FLAGS);
    const auto frameCount = static_cast<int>(webp.WebPDemuxGetI(demux_, WEBP_FF_FRAME_COUNT));
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || frameCount <= 0 ||
        frameCount > kMaxFrames) {
        Fail(kErrFormatInvalid, __LINE__);
    }
    animated_ = (flags & ANIMATION_FLAG) != 0 && frameCount > 1;
    alpha_ = (flags & ALPHA_FLAG) != 0;
    frames_.clear();
    const int shown = animated_ ? frameCount : 1;
    frames_.reserve(static_cast<size_t>(shown));
    for (int i = 1; i <= shown; ++i) {
        FrameFacts facts{Rect{0, 0, width, height}, 0};
        WebPIterator it;
        if (webp.WebPDemuxGetFrame(demux_, i, &it) != 0) {
            facts.delay = (std::max(it.duration, 0) + 5) / 10;
            webp.WebPDemuxReleaseIterator(&it);
        }
        frames_.push_back(facts);
    }
    orientation_ = 1;
    WebPChunkIterator chunk;
    if (webp.WebPDemuxGetChunk(demux_, "EXIF", 1, &chunk) != 0) {
        const uint8_t* exif = chunk.chunk.bytes;
        size_t length = chunk.chunk.size;
        if (length >= 6 && std::memcmp(exif, "Exif\0\0", 6) == 0) exif += 6, length -= 6;
        orientation_ = TiffBlockOrientation(exif, length);
        webp.WebPDemuxReleaseChunkIterator(&chunk);
    }
    if (webp.WebPDemuxGetChunk(demux_, "ICCP", 1, &chunk) != 0) {
        profile_.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
        webp.WebPDemuxReleaseChunkIterator(&chunk);
    }
    if (info == nullptr) return;
    info->format = kFormatWebp;
    info->width = width;
    info->height = height;
    info->bitsPerPixel = alpha_ ? 32 : 24;
    info->frameCount = shown;
    info->loopCount =
        animated_ ? static_cast<int32_t>(webp.WebPDemuxGetI(demux_, WEBP_FF_LOOP_COUNT)) : 1;
    info->background = kNoColour;
    info->palette.count = 0;
}

void CWebpCodec::DecodePicture(CImageStream&, int index, const Size& wanted, bool fast,
                               DecodeBudget* budget, RgbaPicture& out) {
    if (demux_ == nullptr) Fail(kErrInternal, __LINE__);
    if (animated_) {
        DecodeAnimated(index, budget, out);
    } else {
        DecodeStill(wanted, fast, budget, out);
    }
}

// A still is decoded at twice the size it is shown at (never more than its own), so the filter
// after it keeps its detail and a thumbnail never decodes the whole picture.
void CWebpCodec::DecodeStill(const Size& wanted, bool fast, DecodeBudget* budget,
                             RgbaPicture& out) {
    const WebpLibrary& webp = Webp();
    WebPDecoderConfig config;
    if (webp.WebPInitDecoderConfigInternal(&config, WEBP_DECODER_ABI_VERSION) == 0)
        Fail(kErrInternal, __LINE__);
    if (webp.WebPGetFeaturesInternal(data_, size_, &config.input, WEBP_DECODER_ABI_VERSION) !=
        VP8_STATUS_OK)
        Fail(kErrFormatInvalid, __LINE__);
    const int width = config.input.width, height = config.input.height;
    const int scaledWidth = std::clamp(2 * wanted.width, 1, width);
    const int scaledHeight = std::clamp(2 * wanted.height, 1, height);
    if (scaledWidth < width && scaledHeight < height) {
        config.options.use_scaling = 1;
        config.options.scaled_width = scaledWidth;
        config.options.scaled_height = scaledHeight;
    }
    if (fast) {
        config.options.bypass_filtering = 1;
        config.options.no_fancy_upsampling = 1;
    }
    const int outWidth = config.options.use_scaling ? scaledWidth : width;
    const int outHeight = config.options.use_scaling ? scaledHeight : height;
    AllocatePicture(out, outWidth, outHeight, budget);
    out.alpha = config.input.has_alpha != 0;
    config.output.colorspace = MODE_BGRA;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = out.pixels.data();
    config.output.u.RGBA.stride = outWidth * 4;
    config.output.u.RGBA.size = out.pixels.size();
    const VP8StatusCode status = webp.WebPDecode(data_, size_, &config);
    webp.WebPFreeDecBuffer(&config.output);
    // A file cut short keeps the rows it delivered (the rest stays transparent).
    if (status == VP8_STATUS_NOT_ENOUGH_DATA) {
        out.alpha = true;
    } else if (status == VP8_STATUS_OUT_OF_MEMORY) {
        Fail(kErrNoMemory, __LINE__);
    } else if (status != VP8_STATUS_OK) {
        Fail(kErrFormatInvalid, __LINE__);
    }
}

void CWebpCodec::DecodeAnimated(int index, DecodeBudget* budget, RgbaPicture& out) {
    const WebpLibrary& webp = Webp();
    const Rect canvas = frames_.front().rect;
    if (animation_ == nullptr || index < nextFrame_) {
        if (animation_ != nullptr) {
            webp.WebPAnimDecoderReset(animation_);
        } else {
            // The decoder keeps its canvas and the previous one.
            if (budget != nullptr)
                budget->Charge(2 * static_cast<size_t>(canvas.Width()) * canvas.Height() * 4);
            WebPAnimDecoderOptions options;
            if (webp.WebPAnimDecoderOptionsInitInternal(&options, WEBP_DEMUX_ABI_VERSION) == 0)
                Fail(kErrInternal, __LINE__);
            options.color_mode = MODE_BGRA;
            options.use_threads = 0;
            const WebPData data{data_, size_};
            animation_ = webp.WebPAnimDecoderNewInternal(&data, &options, WEBP_DEMUX_ABI_VERSION);
            if (animation_ == nullptr) Fail(kErrFormatInvalid, __LINE__);
        }
        nextFrame_ = 0;
    }
    uint8_t* canvasBytes = nullptr;
    int timestamp = 0;
    while (nextFrame_ <= index) {
        if (webp.WebPAnimDecoderGetNext(animation_, &canvasBytes, &timestamp) == 0) {
            // A damaged frame: the decoder must start over for any later request.
            webp.WebPAnimDecoderDelete(animation_);
            animation_ = nullptr;
            Fail(kErrFormatInvalid, __LINE__);
        }
        ++nextFrame_;
    }
    AllocatePicture(out, canvas.Width(), canvas.Height(), budget);
    std::memcpy(out.pixels.data(), canvasBytes, out.pixels.size());
    out.alpha = true;
}

bool CWebpCodec::DecodeOpaqueInto(int, uint8_t* rows, size_t stride, DecodeBudget*) {
    if (animated_ || alpha_ || data_ == nullptr) return false;
    const WebpLibrary& webp = Webp();
    const Rect rect = frames_.front().rect;
    const size_t bytes = stride * static_cast<size_t>(rect.Height() - 1) + static_cast<size_t>(rect.Width()) * 3;
    // A file the direct call cannot take (cut short, or not the size its header says) goes the
    // general way, which keeps what a cut file delivers.
    return webp.WebPDecodeBGRInto(data_, size_, rows, bytes, static_cast<int>(stride)) != nullptr;
}

}  // namespace xelo
