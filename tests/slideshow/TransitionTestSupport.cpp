// Test doubles for transitions.
#include "slideshow/TransitionTestSupport.h"

namespace xelo::test {

namespace {

constexpr Pixel kMarginColour{0x5A, 0xA5, 0x77};

bool Contains(const Rect& outer, const Rect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

Rect Shifted(Point origin, const Rect& sizeOf) {
    return Rect{origin.x, origin.y, origin.x + sizeOf.Width(), origin.y + sizeOf.Height()};
}

Pixel ReadPixel(const CDibImage& image, int x, int y) {
    const uint8_t* p = image.Row(y) + static_cast<size_t>(x) * 3;
    return Pixel{p[0], p[1], p[2]};
}

void WritePixel(uint8_t* p, Pixel v) {
    p[0] = v.blue;
    p[1] = v.green;
    p[2] = v.red;
}

}  // namespace

void PaintSlide(CDibImage& image, int width, int height, uint8_t red) {
    image.Create(width, height, 3, false);
    for (int y = 0; y < height; ++y) {
        uint8_t* p = image.Row(y);
        for (int x = 0; x < width; ++x, p += 3)
            WritePixel(p, SlidePixel(x, y, red));
    }
}

bool CRecordingTarget::CopyFromSlide(const CDibImage& slide, const Rect& dest, Point source) {
    touched.push_back(dest);
    if (slideCopies++ == failSlideCopy) return false;
    return CDibTransitionTarget::CopyFromSlide(slide, dest, source);
}

bool CRecordingTarget::CopyWithin(const Rect& dest, Point source) {
    touched.push_back(dest);
    touched.push_back(Shifted(source, dest));
    return CDibTransitionTarget::CopyWithin(dest, source);
}

bool CRecordingTarget::Fill(const Rect& dest, uint32_t colour) {
    touched.push_back(dest);
    return CDibTransitionTarget::Fill(dest, colour);
}

bool CRecordingTarget::AndPattern(const Rect& dest, const CDibImage& pattern) {
    touched.push_back(dest);
    return CDibTransitionTarget::AndPattern(dest, pattern);
}

void CRecordingTarget::Present(const Rect& changed) {
    touched.push_back(changed);
    ++presents;
    if (!keepFrames) return;
    Frame frame;
    frame.width = area_.Width();
    frame.height = area_.Height();
    frame.pixels.reserve(static_cast<size_t>(frame.width) * frame.height);
    for (int y = area_.top; y < area_.bottom; ++y)
        for (int x = area_.left; x < area_.right; ++x)
            frame.pixels.push_back(ReadPixel(Surface(), x, y));
    frames.push_back(std::move(frame));
}

TransitionScene::TransitionScene(int width, int height, int margin)
    : area{margin, margin, margin + width, margin + height}, target(surface, area) {
    surface.Create(width + 2 * margin, height + 2 * margin, 3, false);
    for (int y = 0; y < surface.Height(); ++y) {
        uint8_t* p = surface.Row(y);
        for (int x = 0; x < surface.Width(); ++x, p += 3) {
            const bool inside =
                x >= area.left && x < area.right && y >= area.top && y < area.bottom;
            WritePixel(p, inside ? SlidePixel(x - margin, y - margin, kOldRed) : kMarginColour);
        }
    }
    PaintSlide(slide, width, height, kNewRed);
}

bool TransitionScene::AreaShowsNewSlide() const {
    for (int y = 0; y < area.Height(); ++y)
        for (int x = 0; x < area.Width(); ++x)
            if (!(ReadPixel(surface, x + area.left, y + area.top) == SlidePixel(x, y, kNewRed)))
                return false;
    return true;
}

bool TransitionScene::MarginUntouched() const {
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x)
            if (!Contains(area, Rect{x, y, x + 1, y + 1}) &&
                !(ReadPixel(surface, x, y) == kMarginColour))
                return false;
    return true;
}

bool TransitionScene::TouchedOnlyArea() const {
    for (const Rect& r : target.touched)
        if (r.IsEmpty() || !Contains(area, r)) return false;
    return true;
}

}  // namespace xelo::test
