// The annotation layer's operations: insertion, removal, copying, hit testing and drawing.
#include "ink/LtManager.h"

#include <algorithm>
#include <new>

namespace xelo {

void CXeloLtManager::RemoveAll() {
    objects_.clear();
    current_ = -1;
}

CXeloLtGraph* CXeloLtManager::GetAt(int i) const {
    if (i < 0 || i >= Count()) return nullptr;
    return objects_[static_cast<size_t>(i)].get();
}

bool CXeloLtManager::InsertAt(int i, std::unique_ptr<CXeloLtGraph> object) {
    i = std::clamp(i, 0, Count());
    try {
        if (object) object->Scale(view_.scale);
        objects_.insert(objects_.begin() + i, std::move(object));
    } catch (const std::bad_alloc&) {
        return false;
    }
    current_ = i;
    return true;
}

bool CXeloLtManager::RemoveCurrent() {
    if (current_ < 0 || current_ >= Count()) return false;
    objects_.erase(objects_.begin() + current_);
    current_ = Count() - 1;
    return true;
}

void CXeloLtManager::CopyFrom(const CXeloLtManager& other) {
    if (&other == this) return;
    RemoveAll();
    objects_.reserve(other.objects_.size());
    for (const auto& object : other.objects_)
        objects_.push_back(object ? object->Clone() : nullptr);
    current_ = other.current_;
    view_ = other.view_;
}

int CXeloLtManager::HitTest(Point point) const {
    for (int i = Count() - 1; i >= 0; --i) {
        const CXeloLtGraph* object = objects_[static_cast<size_t>(i)].get();
        if (object && object->HitTest(point, view_)) return i;
    }
    return -1;
}

void CXeloLtManager::Draw(LtPainter& painter) const {
    const Rect visible = painter.VisibleRect();
    for (const auto& object : objects_) {
        if (!object) continue;
        const Rect& bounds = object->Bounds();
        if (bounds.left > bounds.right || bounds.top > bounds.bottom) continue;  // no points
        const Rect b = object->ViewBounds(view_);
        // The bounds include their right and bottom edges.
        const bool seen = std::min(b.left, b.right) < visible.right &&
                          std::max(b.left, b.right) >= visible.left &&
                          std::min(b.top, b.bottom) < visible.bottom &&
                          std::max(b.top, b.bottom) >= visible.top;
        if (seen) object->Draw(painter, view_);
    }
}

void CXeloLtManager::SetScale(double scale) {
    if (scale == view_.scale) return;
    view_.scale = scale;
    for (auto& object : objects_) {
        if (object) object->Scale(scale);
    }
}

void CXeloLtManager::TakeLoaded(std::vector<std::unique_ptr<CXeloLtGraph>> objects, int32_t current,
                                const LtViewParams& view) {
    objects_ = std::move(objects);
    current_ = current;
    view_ = view;
    for (auto& object : objects_) {
        if (object) object->Scale(view_.scale);
    }
}

}  // namespace xelo
