// CXeloLtManager: an annotation layer, the objects drawn over one picture in drawing order, the
// current object and the view parameters.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "ink/LtGraph.h"
#include "ink/LtViewParams.h"

namespace xelo {

class CXeloLtManager {
  public:
    CXeloLtManager() = default;
    CXeloLtManager(const CXeloLtManager&) = delete;
    CXeloLtManager& operator=(const CXeloLtManager&) = delete;

    // Destroys every object; current := -1.
    void RemoveAll();
    int Count() const { return static_cast<int>(objects_.size()); }
    // The object at i; null when out of range (or for a null element read from a file).
    CXeloLtGraph* GetAt(int i) const;
    // Inserts at i clamped to [0, Count()] and makes it current; false (nothing inserted) when
    // memory runs out.
    bool InsertAt(int i, std::unique_ptr<CXeloLtGraph> object);
    bool Append(std::unique_ptr<CXeloLtGraph> object) {
        return InsertAt(Count(), std::move(object));
    }
    // Removes the current object when there is one; the last object becomes current.
    bool RemoveCurrent();
    // Clones every object of `other` and takes its current index and view parameters.
    void CopyFrom(const CXeloLtManager& other);
    // The last object hit at `point` (picture pixels), or -1.
    int HitTest(Point point) const;
    // Draws every object whose bounds are visible on the painter, in order.
    void Draw(LtPainter& painter) const;
    // A new scale is handed to every object.
    void SetScale(double scale);

    int32_t Current() const { return current_; }
    void SetCurrent(int32_t current) { current_ = current; }
    const LtViewParams& View() const { return view_; }
    void SetView(const LtViewParams& view) { view_ = view; }
    // Used by the ink file reader: the elements as read (null elements included).
    void TakeLoaded(std::vector<std::unique_ptr<CXeloLtGraph>> objects, int32_t current,
                    const LtViewParams& view);

  private:
    std::vector<std::unique_ptr<CXeloLtGraph>> objects_;
    int32_t current_ = -1;
    LtViewParams view_;
};

}  // namespace xelo
