// Fuzz target: the text-note reader and writer. Whatever text a file reads as, writing it and
// reading it back gives the same text, and writing that again gives the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "album/TextNote.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = xelo::DecodeTextNote(data, size);
    const std::vector<uint8_t> bytes = xelo::EncodeTextNote(text);
    const std::string again = xelo::DecodeTextNote(bytes.data(), bytes.size());
    if (again != text) __builtin_trap();
    if (xelo::EncodeTextNote(again) != bytes) __builtin_trap();
    return 0;
}
