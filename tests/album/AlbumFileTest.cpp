// The album data file: exact bytes, escapes, round trips, damaged files and atomic replacement.
#include "album/AlbumFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "image/TavoException.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace xelo {
namespace {

using Bytes = std::vector<uint8_t>;

// A one-character name as stored: wide marker, length 5, "x.jpg" in UTF-16LE.
Bytes StoredName(char c) {
    return {0xFF, 0xFE, 0xFF, 5, uint8_t(c), 0, '.', 0, 'j', 0, 'p', 0, 'g', 0};
}

TEST(AlbumFile, EncodedBytesAndLengthEscapes) {
    const AlbumData data{{"b.jpg", "a.jpg", "c.jpg"}, {0, 1, 0}};
    Bytes expected = {3, 0};  // name count
    for (char c : {'b', 'a', 'c'}) {
        const Bytes name = StoredName(c);
        expected.insert(expected.end(), name.begin(), name.end());
    }
    expected.insert(expected.end(), {3, 0, 0, 1, 0});  // flag count, flags
    EXPECT_EQ(EncodeAlbumData(data), expected);
    // Long names use the length escapes.
    const std::pair<size_t, Bytes> cases[] = {// length, bytes after the 0xFF 0xFE 0xFF marker
                                              {0, {0}},
                                              {254, {254}},
                                              {255, {0xFF, 255, 0}},
                                              {0xFFFD, {0xFF, 0xFD, 0xFF}},
                                              {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0, 0}}};
    for (const auto& [length, header] : cases) {
        const AlbumData data{{std::string(length, 'n')}, {0}};
        const Bytes bytes = EncodeAlbumData(data);
        ASSERT_GE(bytes.size(), 5 + header.size());
        EXPECT_EQ(Bytes(bytes.begin() + 2, bytes.begin() + 5), (Bytes{0xFF, 0xFE, 0xFF}));
        EXPECT_EQ(Bytes(bytes.begin() + 5, bytes.begin() + 5 + long(header.size())), header);
        EXPECT_EQ(bytes.size(), 2 + 3 + header.size() + 2 * length + 3) << length;
        EXPECT_EQ(DecodeAlbumData(bytes.data(), bytes.size()).names, data.names);
    }
    // Counts from 0xFFFF on use the 32-bit escape.
    const AlbumData many{{}, Bytes(0xFFFF, 1)};
    const Bytes bytes = EncodeAlbumData(many);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 8), (Bytes{0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}));
    EXPECT_EQ(DecodeAlbumData(bytes.data(), bytes.size()).flags, many.flags);
}

TEST(AlbumFile, AnyNameOnDiskReadsBackAsTheSameBytes) {
    const AlbumData data{{"plain.jpg", "Grüße.bmp", "\xF0\x9F\x93\xB7.gif", "bad\xFF\xC3(.jpg",
                          "\xED\xA0\x80surrogate.jpg", ""},
                         {1, 0, 1, 0, 1, 0}};
    const Bytes bytes = EncodeAlbumData(data);
    const AlbumData back = DecodeAlbumData(bytes.data(), bytes.size());
    EXPECT_EQ(back.names, data.names);
    EXPECT_EQ(back.flags, data.flags);
    // A character outside the basic plane is stored as a surrogate pair: 2 code units.
    EXPECT_EQ(EncodeAlbumData({{"\xF0\x9F\x93\xB7"}, {}})[5], 2);
}

Bytes Good() {
    return EncodeAlbumData({{"b.jpg", "a.jpg"}, {0, 1}});
}
Bytes With(Bytes b, size_t at, uint8_t value) {
    b.at(at) = value;
    return b;
}
Bytes Cut(Bytes b, size_t size) {
    b.resize(size);
    return b;
}

TEST(AlbumFile, DamagedDataIsRefusedWithTheProgramsError) {
    const std::pair<const char*, Bytes> cases[] = {
        {"zero-length file", {}},
        {"half a count", {3}},
        {"name count beyond the data", With(Good(), 0, 9)},
        {"32-bit name count beyond the data", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"narrow string instead of the wide marker", With(Good(), 2, 5)},
        {"wrong marker word", With(Good(), 3, 0xFD)},
        {"marker word in place of a 16-bit length",
         Bytes{1, 0, 0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0, 0, 0}},
        {"odd number of name bytes", Cut(Good(), 2 + 14 + 13)},
        {"flag count missing", Cut(Good(), 2 + 14 + 14)},
        {"flag count beyond the data", With(Good(), 2 + 28, 3)},
        {"32-bit length beyond the data",
         Bytes{1, 0, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}}};
    for (const auto& [what, b] : cases)
        EXPECT_THROW(DecodeAlbumData(b.data(), b.size()), CTavoException) << what;
}

TEST(AlbumFile, WrittenFileReadsBackIdenticallyAndCanBeDeleted) {
    test::TempDir dir;
    const std::string folder = dir.Path().string();
    AlbumData read;
    EXPECT_FALSE(ReadAlbumFile(folder, read));

    const AlbumData data{{"z.bmp", "Ä b.jpg", "c"}, {0, 1, 1}};
    WriteAlbumFile(folder, data);
    ASSERT_TRUE(ReadAlbumFile(folder, read));
    EXPECT_EQ(read.names, data.names);
    EXPECT_EQ(read.flags, data.flags);
    EXPECT_EQ(test::ReadBytes(dir.File(kAlbumFileName)), EncodeAlbumData(data));

    DeleteAlbumFile(folder);
    EXPECT_FALSE(ReadAlbumFile(folder, read));
    DeleteAlbumFile(folder);  // a missing file is not an error
    // A pipe in place of the album file is refused without waiting.
    ASSERT_EQ(::mkfifo(dir.File(kAlbumFileName).c_str(), 0600), 0);
    EXPECT_THROW(ReadAlbumFile(folder, read), CTavoException);
}

// A large album whose write is interrupted after half of its names.
AlbumData LargeAlbum() {
    AlbumData data;
    for (int i = 0; i < 20000; ++i) {
        data.names.push_back("picture-number-" + std::to_string(i) + std::string(40, 'x') + ".jpg");
        data.flags.push_back(i % 2);
    }
    return data;
}

size_t FilesIn(const std::filesystem::path& folder) {
    return size_t(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// A write that fails or whose process is killed half-way leaves the old file as it was; a failure
// removes its temporary file, a killed writer's stays under another name.
TEST(AlbumFile, AWriteEndingHalfWayLeavesTheOldFileIntact) {
    test::TempDir dir;
    const std::string folder = dir.Path().string();
    WriteAlbumFile(folder, {{"a.jpg", "b.jpg"}, {1, 0}});
    const Bytes before = test::ReadBytes(dir.File(kAlbumFileName));
    const AlbumData large = LargeAlbum();
    EXPECT_THROW(WriteAlbumFile(folder, large,
                                [](size_t written) {
                                    if (written == 10000) throw std::runtime_error("storage gone");
                                }),
                 std::runtime_error);
    EXPECT_EQ(test::ReadBytes(dir.File(kAlbumFileName)), before);
    EXPECT_EQ(FilesIn(dir.Path()), 1u);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        WriteAlbumFile(folder, large, [](size_t written) {
            if (written == 10000) ::kill(::getpid(), SIGKILL);
        });
        ::_exit(0);  // not reached
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(test::ReadBytes(dir.File(kAlbumFileName)), before);
    EXPECT_EQ(FilesIn(dir.Path()), 2u);
    AlbumData read;
    ASSERT_TRUE(ReadAlbumFile(folder, read));
    EXPECT_EQ(read.names, (std::vector<std::string>{"a.jpg", "b.jpg"}));
}

}  // namespace
}  // namespace xelo
