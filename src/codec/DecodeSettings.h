// Process-wide choices every decode follows: whether pictures are turned as the camera recorded
// them, and the colour that transparent pixels are laid over. The window layer sets them from the
// user's preferences; tools and tests may change them.
#pragma once

#include <cstdint>

namespace xelo {

bool CameraOrientationEnabled();
void SetCameraOrientationEnabled(bool enabled);

// 0x00BBGGRR; the view's background unless the window layer says otherwise.
uint32_t AlphaBackground();
void SetAlphaBackground(uint32_t colour);

}  // namespace xelo
