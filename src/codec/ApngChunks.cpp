#include "codec/ApngChunks.h"

#include <algorithm>
#include <cstring>

#include <zlib.h>

namespace xelo {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint32_t kMaxChunkLength = 0x7FFFFFFF;

uint32_t Be32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

uint16_t Be16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const uint8_t* body, size_t length) {
    PutBe32(out, static_cast<uint32_t>(length));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    if (length > 0) out.insert(out.end(), body, body + length);
    PutBe32(out,
            static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(length + 4))));
}

// Reads an fcTL body (26 bytes); false when it breaks the rules for a canvas of width × height.
bool ReadFrameControl(const uint8_t* p, uint32_t width, uint32_t height, ApngFrame& frame) {
    const uint32_t w = Be32(p + 4), h = Be32(p + 8), x = Be32(p + 12), y = Be32(p + 16);
    const uint16_t num = Be16(p + 20), den = Be16(p + 22);
    if (w == 0 || h == 0 || x > width || y > height || w > width - x || h > height - y)
        return false;
    if (p[24] > kApngDisposePrevious || p[25] > kApngBlendOver) return false;
    frame.rect = Rect{static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + w),
                      static_cast<int>(y + h)};
    const uint32_t perSecond = den == 0 ? 100 : den;
    frame.delay = static_cast<int>((uint32_t{num} * 100 + perSecond / 2) / perSecond);
    frame.dispose = p[24];
    frame.blend = p[25];
    return true;
}

}  // namespace

std::optional<ApngAnimation> ReadApng(const uint8_t* data, size_t size) {
    if (data == nullptr || size < 8 + 25 || std::memcmp(data, kSignature, 8) != 0)
        return std::nullopt;
    ApngAnimation animation;
    uint32_t width = 0, height = 0, declared = 0, sequence = 0;
    bool haveHeader = false, haveControl = false, seenData = false, currentIsStill = false;
    // The frame whose data comes next: the still picture's (IDAT) only when its fcTL came first.
    ApngFrame* current = nullptr;
    size_t at = 8;
    while (size - at >= 12) {
        const uint32_t length = Be32(data + at);
        if (length > kMaxChunkLength || length > size - at - 12) break;  // cut short
        const uint8_t* type = data + at + 4;
        const uint8_t* body = data + at + 8;
        auto is = [type](const char* name) { return std::memcmp(type, name, 4) == 0; };
        if (!haveHeader) {
            if (!is("IHDR") || length != 13) return std::nullopt;
            width = Be32(body);
            height = Be32(body + 4);
            if (width == 0 || height == 0 || width > (1u << 16) || height > (1u << 16))
                return std::nullopt;
            animation.header = at + 8;
            haveHeader = true;
        } else if (is("acTL")) {
            if (length != 8 || haveControl || seenData) return std::nullopt;
            declared = Be32(body);
            animation.plays = static_cast<int>(std::min<uint32_t>(Be32(body + 4), 0x7FFF));
            if (declared == 0 || declared > kMaxApngFrames) return std::nullopt;
            haveControl = true;
        } else if (is("fcTL")) {
            if (length != 26 || Be32(body) != sequence++) return std::nullopt;
            if (animation.frames.size() >= declared) return std::nullopt;
            ApngFrame frame;
            if (!ReadFrameControl(body, width, height, frame)) return std::nullopt;
            // The still picture, when it is the first frame, fills the canvas.
            if (!seenData &&
                frame.rect != Rect{0, 0, static_cast<int>(width), static_cast<int>(height)})
                return std::nullopt;
            animation.frames.push_back(std::move(frame));
            current = &animation.frames.back();
            currentIsStill = !seenData;
        } else if (is("IDAT")) {
            if (!haveControl) return std::nullopt;  // a still picture
            if (current != nullptr && currentIsStill) current->data.emplace_back(at + 8, length);
            seenData = true;
        } else if (is("fdAT")) {
            if (length < 4 || Be32(body) != sequence++) return std::nullopt;
            // Frame data belongs to a frame after the still picture.
            if (!seenData || current == nullptr || currentIsStill) return std::nullopt;
            current->data.emplace_back(at + 12, length - 4);
        } else if ((is("PLTE") || is("tRNS")) && !seenData) {
            animation.shared.emplace_back(at, size_t{length} + 12);
        } else if (is("IEND")) {
            break;
        }
        at += size_t{length} + 12;
    }
    if (!haveControl || !seenData) return std::nullopt;
    // Frames a cut file did not reach are left out.
    while (!animation.frames.empty() && animation.frames.back().data.empty())
        animation.frames.pop_back();
    for (const ApngFrame& frame : animation.frames) {
        if (frame.data.empty()) return std::nullopt;
    }
    if (animation.frames.empty()) return std::nullopt;
    return animation;
}

std::vector<uint8_t> ApngFrameStream(const uint8_t* data, const ApngAnimation& animation,
                                     size_t index) {
    const ApngFrame& frame = animation.frames.at(index);
    size_t bytes = 8 + 25 + 12;
    for (const auto& [offset, length] : animation.shared)
        bytes += length;
    for (const auto& [offset, length] : frame.data)
        bytes += length + 12;
    std::vector<uint8_t> out;
    out.reserve(bytes);
    out.insert(out.end(), kSignature, kSignature + 8);
    uint8_t header[13];
    std::memcpy(header, data + animation.header, 13);
    const auto w = static_cast<uint32_t>(frame.rect.Width()),
               h = static_cast<uint32_t>(frame.rect.Height());
    for (int i = 0; i < 4; ++i) {
        header[i] = static_cast<uint8_t>(w >> (24 - 8 * i));
        header[4 + i] = static_cast<uint8_t>(h >> (24 - 8 * i));
    }
    PutChunk(out, "IHDR", header, 13);
    for (const auto& [offset, length] : animation.shared)
        out.insert(out.end(), data + offset, data + offset + length);
    for (const auto& [offset, length] : frame.data)
        PutChunk(out, "IDAT", data + offset, length);
    PutChunk(out, "IEND", nullptr, 0);
    return out;
}

}  // namespace xelo
