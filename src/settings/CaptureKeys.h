// The keys that stand for the handheld's hardware buttons: button numbers 1..15 with stable key
// names, offered as capture triggers.
#pragma once

#include <span>
#include <string>

namespace xelo {

struct CaptureKey {
    int button;  // 1..15
    const char* name;
};

// The fixed table, in button order.
std::span<const CaptureKey> CaptureKeys();
// The names, each followed by "|".
std::string CaptureKeyList(std::span<const CaptureKey> keys);

}  // namespace xelo
