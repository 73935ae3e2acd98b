// Text notes: UTF-16LE with byte-order mark and UTF-8 both read; lines joined with "\r\n";
// saving an empty note removes the file and the entry's text bit.
#include "album/TextNote.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "album/AlbumFixture.h"
#include "album/TavoDoc.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

using Bytes = std::vector<uint8_t>;

std::string Decode(const Bytes& b) {
    return DecodeTextNote(b.data(), b.size());
}

Bytes Utf8(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

struct NoteCase {
    const char* what;
    Bytes bytes;
    std::string text;
};

TEST(TextNote, DecodingGivesUtf8WithCrLfBetweenLines) {
    const NoteCase cases[] = {
        // "Hé\n€" in UTF-16LE after the byte-order mark, with a surrogate pair (U+1F600).
        {"utf16 with bom",
         {0xFF, 0xFE, 'H', 0, 0xE9, 0, '\n', 0, 0xAC, 0x20, 0x3D, 0xD8, 0x00, 0xDE},
         "H\xC3\xA9\r\n\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"utf16 crlf and odd tail", {0xFF, 0xFE, 'a', 0, '\r', 0, '\n', 0, 'b', 0, 'c'}, "a\r\nb"},
        {"utf16 lone surrogate", {0xFF, 0xFE, 0x00, 0xD8, 'x', 0}, "\xEF\xBF\xBDx"},
        {"utf8 lines", Utf8("caf\xC3\xA9\nline 2\r\nline 3\n"),
         "caf\xC3\xA9\r\nline 2\r\nline 3\r\n"},
        {"utf8 bom kept", Utf8("\xEF\xBB\xBFhi"), "\xEF\xBB\xBFhi"},
        {"not utf8: windows-1252",
         Utf8("a\xFF"
              "b\xC3"),
         "a\xC3\xBF"
         "b\xC3\x83"},
        {"overlong", Utf8("\xC0\xAF"), "\xC3\x80\xC2\xAF"},
        {"empty lines kept", Utf8("a\n\nb"), "a\r\n\r\nb"},
        {"empty", {}, ""}};
    for (const NoteCase& c : cases)
        EXPECT_EQ(Decode(c.bytes), c.text) << c.what;
}

TEST(TextNote, SavingAnEmptyNoteRemovesTheFileAndClearsTheTextBit) {
    test::TempDir dir;
    const std::string folder = dir.Path().string();
    test::WriteImage(folder, "a.bmp");
    CTavoDoc doc;
    doc.OpenFolder(folder);
    CImageEntry& entry = *doc.EntryAt(0);
    SaveEntryNote(folder, entry, "hello");
    EXPECT_TRUE(entry.Has(kEntryHasText));
    EXPECT_TRUE(std::filesystem::exists(folder + "/a.bmp.txt"));
    SaveEntryNote(folder, entry, "");
    EXPECT_FALSE(entry.Has(kEntryHasText));
    EXPECT_FALSE(std::filesystem::exists(folder + "/a.bmp.txt"));
    SaveEntryNote(folder, entry, "");  // nothing to remove is fine
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

}  // namespace
}  // namespace xelo
