// Fuzz target: the ink file reader; a layer it accepts must write bytes that read back to the
// same bytes, and must draw, hit-test and rescale without faults.
#include <cstddef>
#include <cstdint>

#include "image/TavoException.h"
#include "ink/InkFile.h"

namespace {

class NullPainter : public xelo::LtPainter {
  public:
    xelo::Rect VisibleRect() const override { return {-100, -100, 1000, 1000}; }
    void Polyline(const xelo::Point* points, size_t count, const xelo::LtPen&) override {
        for (size_t i = 0; i < count; ++i)
            sum += points[i].x ^ points[i].y;
    }
    void Handle(const xelo::Rect& square, bool) override { sum += square.left; }
    unsigned sum = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    xelo::CXeloLtManager layer;
    try {
        xelo::DecodeInk(data, size, layer);
    } catch (const xelo::CTavoException&) {
        return 0;
    }
    const std::vector<uint8_t> again = xelo::EncodeInk(layer);
    xelo::CXeloLtManager back;
    xelo::DecodeInk(again.data(), again.size(), back);
    if (xelo::EncodeInk(back) != again) __builtin_trap();

    NullPainter painter;
    layer.Draw(painter);
    for (int i = 0; i < layer.Count(); ++i) {
        if (const xelo::CXeloLtGraph* object = layer.GetAt(i)) {
            object->DrawHandles(painter, layer.View(), true);
        }
    }
    layer.HitTest({10, 10});
    layer.SetScale(3.5);
    layer.Draw(painter);
    return static_cast<int>(painter.sum & 0);
}
