// The text note of an image: IMAGE.txt beside it. Written as UTF-8 (the multibyte text of a
// Linux locale) with "\r\n" line ends; read as UTF-16LE when the file starts with the byte-order
// mark, else as UTF-8. An empty note is never stored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace xelo {

class CImageEntry;

// The note's text (UTF-8, lines joined with "\r\n", no line end after the last line) from the
// file's bytes. Bytes that are not valid text become U+FFFD.
std::string DecodeTextNote(const uint8_t* bytes, size_t size);
// The file's bytes for `text`: UTF-8 with every line ending in "\r\n" form.
std::vector<uint8_t> EncodeTextNote(const std::string& text);

// False when there is no note at `path`; read errors throw.
bool ReadTextNote(const std::string& path, std::string& text);
// Replaces the note through a temporary file; an empty text deletes the file instead.
void WriteTextNote(const std::string& path, const std::string& text);

// Saves the note of `entry` in `folder` and brings its annotation bits up to date.
void SaveEntryNote(const std::string& folder, CImageEntry& entry, const std::string& text);

}  // namespace xelo
