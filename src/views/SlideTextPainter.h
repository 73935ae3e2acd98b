// The text line of a slide drawn with Qt's fonts straight into the slide's pixels.
#pragma once

#include "slideshow/SlideComposer.h"

namespace xelo {

class CSlideTextPainter : public ISlideTextPainter {
  public:
    void DrawText(const BgrBuffer& target, const std::string& text,
                  const SlideTextStyle& style) override;
};

}  // namespace xelo
