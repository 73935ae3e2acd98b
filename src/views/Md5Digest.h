// The MD5 digest, as the shared thumbnail folders name their files by it.
#pragma once

#include <string>
#include <string_view>

namespace xelo {

// The 32 lower-case hexadecimal digits of the MD5 digest of `bytes`.
std::string Md5Hex(std::string_view bytes);

}  // namespace xelo
