#include "codec/ColourTarget.h"

namespace xelo {

namespace {
thread_local bool t_srgb = false;
}

CSrgbOutput::CSrgbOutput() : previous_(t_srgb) {
    t_srgb = true;
}

CSrgbOutput::~CSrgbOutput() {
    t_srgb = previous_;
}

bool CSrgbOutput::Active() {
    return t_srgb;
}

}  // namespace xelo
