// Folders of small BMP images for the album tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace xelo {
class CTavoDoc;
}

namespace xelo::test {

// Writes a 24-bit BMP of width × height at folder/name, every byte `fill`.
void WriteImage(const std::string& folder, const std::string& name, int width = 4, int height = 3,
                uint8_t fill = 0);
// Sets the file's modification time (seconds and nanoseconds since 1970, UTC).
void SetWriteTime(const std::string& path, int64_t seconds, long nanoseconds = 0);
// Writes a small text file (not an image).
void WriteText(const std::string& path, const std::string& text);
// The names of the document's entries in its order.
std::vector<std::string> NamesOf(const CTavoDoc& doc);

}  // namespace xelo::test
