// Clipping, change tracking and failure tracking for the effect routines.
#include "slideshow/TransitionCanvas.h"

#include <algorithm>

namespace xelo {

namespace {

Rect Union(const Rect& a, const Rect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

}  // namespace

CTransitionCanvas::CTransitionCanvas(ITransitionTarget& target, const Rect& area,
                                     const CDibImage& slide, ITransitionClock& clock)
    : target_(target),
      slide_(slide),
      clock_(clock),
      area_(area),
      width_(area.Width()),
      height_(area.Height()) {}

Rect CTransitionCanvas::ToTarget(const Rect& local) const {
    return Rect{local.left + area_.left, local.top + area_.top, local.right + area_.left,
                local.bottom + area_.top};
}

bool CTransitionCanvas::ClipPair(Rect& dest, Point& source) const {
    const Rect bounds{0, 0, width_, height_};
    // Clip the destination, moving the source along.
    Rect d = Intersect(dest, bounds);
    if (d.IsEmpty()) return false;
    Point s{source.x + d.left - dest.left, source.y + d.top - dest.top};
    // Clip the source, moving the destination along.
    const Rect sourceRect{s.x, s.y, s.x + d.Width(), s.y + d.Height()};
    const Rect sc = Intersect(sourceRect, bounds);
    if (sc.IsEmpty()) return false;
    d = Rect{d.left + sc.left - s.x, d.top + sc.top - s.y, d.left + sc.right - s.x,
             d.top + sc.bottom - s.y};
    dest = d;
    source = Point{sc.left, sc.top};
    return true;
}

void CTransitionCanvas::Record(bool ok, const Rect& local) {
    if (!ok) failed_ = true;
    dirty_ = Union(dirty_, local);
}

void CTransitionCanvas::Draw(const Rect& r) {
    Place(r, Point{r.left, r.top});
}

void CTransitionCanvas::DrawColumns(std::vector<int>& columns) {
    std::sort(columns.begin(), columns.end());
    const auto end = std::upper_bound(columns.begin(), columns.end(), width_ - 1);
    const auto begin = std::lower_bound(columns.begin(), end, 0);
    if (begin == end || height_ <= 0) return;
    std::vector<int> xs(begin, end);
    for (int& x : xs)
        x += area_.left;
    const Rect local{xs.front() - area_.left, 0, xs.back() + 1 - area_.left, height_};
    Record(target_.CopyColumnsFromSlide(slide_, ToTarget(Rect{0, 0, width_, height_}), xs.data(),
                                        static_cast<int>(xs.size())),
           local);
}

void CTransitionCanvas::Place(const Rect& dest, Point source) {
    Rect d = dest;
    Point s = source;
    if (!ClipPair(d, s)) return;
    Record(target_.CopyFromSlide(slide_, ToTarget(d), s), d);
}

void CTransitionCanvas::Move(const Rect& dest, Point source) {
    Rect d = dest;
    Point s = source;
    if (!ClipPair(d, s)) return;
    const Point targetSource{s.x + area_.left, s.y + area_.top};
    Record(target_.CopyWithin(ToTarget(d), targetSource), d);
}

void CTransitionCanvas::Fill(uint32_t colour) {
    const Rect all{0, 0, width_, height_};
    Record(target_.Fill(ToTarget(all), colour), all);
}

void CTransitionCanvas::AndPattern(const CDibImage& pattern) {
    const Rect all{0, 0, width_, height_};
    Record(target_.AndPattern(ToTarget(all), pattern), all);
}

void CTransitionCanvas::Present() {
    if (dirty_.IsEmpty()) return;
    target_.Present(ToTarget(dirty_));
    dirty_ = Rect{};
}

void CTransitionCanvas::Pause(CPacer& pacer) {
    Present();
    pacer.WaitForStep();
}

void CTransitionCanvas::Sleep(uint32_t milliseconds) {
    Present();
    clock_.Sleep(milliseconds);
}

}  // namespace xelo
