// Pictures kept for other programs are converted to sRGB, not to this display's profile: the
// desktop's thumbnail cache is read by every program as sRGB, on whatever display.
#pragma once

namespace xelo {

// While one lives, decodes on its thread convert embedded profiles to sRGB.
class CSrgbOutput {
  public:
    CSrgbOutput();
    ~CSrgbOutput();
    CSrgbOutput(const CSrgbOutput&) = delete;
    CSrgbOutput& operator=(const CSrgbOutput&) = delete;

    static bool Active();

  private:
    bool previous_;
};

}  // namespace xelo
