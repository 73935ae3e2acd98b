// Fuzz target: the vCard reader. Whatever the bytes, it returns cards or raises the program's
// error; every name and address it returns is non-empty where promised and within the limits
// (a byte of Windows-1252 takes at most three in UTF-8).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "image/TavoException.h"
#include "share/VCard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    xelo::VCardLimits limits;
    limits.maxLineBytes = 4096;  // small limits so the fuzzer reaches them
    limits.maxCards = 64;
    limits.maxEmailsPerCard = 4;
    try {
        const auto cards =
            xelo::ParseVCards(std::string_view(reinterpret_cast<const char*>(data), size), limits);
        if (cards.size() > limits.maxCards) __builtin_trap();
        for (const xelo::VCardContact& card : cards) {
            if (card.emails.size() > limits.maxEmailsPerCard) __builtin_trap();
            for (const auto& address : card.emails) {
                if (address.empty() || address.size() > 3 * size) __builtin_trap();
            }
            if (!card.emails.empty() && card.name.empty()) __builtin_trap();
        }
    } catch (const xelo::CTavoException& e) {
        if (e.GetCode() != xelo::kErrFormatInvalid) __builtin_trap();
    }
    return 0;
}
