#include "codec/DecodeSettings.h"

#include <atomic>

namespace xelo {

namespace {
std::atomic<bool> g_orientation{true};
std::atomic<uint32_t> g_background{0x00999999};
}  // namespace

bool CameraOrientationEnabled() {
    return g_orientation.load(std::memory_order_relaxed);
}

void SetCameraOrientationEnabled(bool enabled) {
    g_orientation.store(enabled, std::memory_order_relaxed);
}

uint32_t AlphaBackground() {
    return g_background.load(std::memory_order_relaxed);
}

void SetAlphaBackground(uint32_t colour) {
    g_background.store(colour & 0x00FFFFFF, std::memory_order_relaxed);
}

}  // namespace xelo
