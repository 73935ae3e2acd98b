// File names between the file system's bytes (UTF-8) and the album file's UTF-16 code units.
// Bytes that are not valid UTF-8 travel as the lone surrogates U+DC80..U+DCFF, so every name
// read back is the same byte string that was written.
#pragma once

#include <string>
#include <string_view>

namespace xelo {

std::u16string NameToUtf16(std::string_view name);
std::string NameFromUtf16(std::u16string_view wide);

}  // namespace xelo
