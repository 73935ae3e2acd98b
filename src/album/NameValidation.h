// Checking a file or folder name typed by the user (Rename, New Folder).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace xelo {

// The host's limits: a name of at most 255 bytes, a path of at most 4095.
constexpr size_t kMaxNameBytes = 255;
constexpr size_t kMaxPathBytes = 4095;

// Trims blanks from both ends of `name`, then returns 0 when it is usable, else the message:
// 46032 when empty or beginning with "."; 46031 when longer than the host allows on its own or
// as folder + "/" + name (folder may be null); 46030 when it holds one of \/:*?"<>| or of
// `extraIllegal`.
uint32_t ValidateName(std::string& name, const std::string* folder,
                      std::string_view extraIllegal = {});

}  // namespace xelo
