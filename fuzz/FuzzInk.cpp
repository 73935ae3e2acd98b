// Fuzz target: the ink file reader; a layer it accepts must write bytes that read back to the
// same bytes.
#include <cstddef>
#include <cstdint>

#include "image/TavoException.h"
#include "ink/InkFile.h"

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
    layer.HitTest({10, 10});
    return 0;
}
