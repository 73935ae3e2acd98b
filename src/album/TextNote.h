// The text note of an image: IMAGE.txt beside it. Written as UTF-8 (the multibyte text of a
// Linux locale) with "\r\n" line ends; read as UTF-16LE when the file starts with the byte-order
// mark, as UTF-8 when it is valid UTF-8, else as Windows-1252. Reading keeps every character, so
// a note saved unchanged is not rewritten and a changed one loses nothing else. An empty note is
// never stored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace xelo {

class CImageEntry;

// The note's text (UTF-8, every line end as "\r\n", a final one kept) from the file's bytes. A
// UTF-8 byte-order mark stays in the text as U+FEFF.
std::string DecodeTextNote(const uint8_t* bytes, size_t size);
// The file's bytes for `text`: UTF-8 with every line ending in "\r\n" form.
std::vector<uint8_t> EncodeTextNote(const std::string& text);

// False when there is no note at `path`; read errors throw.
bool ReadTextNote(const std::string& path, std::string& text);
// Replaces the note through a temporary file unless it already holds `text`; an empty text
// deletes the file instead.
void WriteTextNote(const std::string& path, const std::string& text);

// Saves the note of `entry` in `folder` and brings its annotation bits up to date.
void SaveEntryNote(const std::string& folder, CImageEntry& entry, const std::string& text);

}  // namespace xelo
