// The capture key table.
#include "settings/CaptureKeys.h"

namespace xelo {

namespace {
// Keys a desktop keyboard has and no view uses for itself.
constexpr CaptureKey kKeys[] = {
    {1, "F9"}, {2, "F10"}, {3, "F11"}, {4, "F12"}, {5, "Print"}, {6, "Pause"}, {7, "ScrollLock"},
};
}  // namespace

std::span<const CaptureKey> CaptureKeys() {
    return kKeys;
}

std::string CaptureKeyList(std::span<const CaptureKey> keys) {
    std::string list;
    for (const CaptureKey& k : keys) {
        list += k.name;
        list += '|';
    }
    return list;
}

}  // namespace xelo
