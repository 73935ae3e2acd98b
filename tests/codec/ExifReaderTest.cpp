#include "codec/ExifReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>

#include "codec/CodecTestUtil.h"
#include "support/ExifBuilder.h"
#include "support/TestData.h"

namespace xelo {
namespace {

using test::ExifBuilder;
constexpr auto kIfd0 = ExifBuilder::kIfd0;
constexpr auto kExif = ExifBuilder::kExif;

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A minimal JPEG file: SOI, the segment under test, EOI. The reader never looks past APP1.
std::vector<uint8_t> FileWith(const std::vector<uint8_t>& segments) {
    return Concat(Concat({0xFF, 0xD8}, segments), {0xFF, 0xD9});
}

std::vector<uint8_t> Jfif(uint16_t length) {
    std::vector<uint8_t> app0 = {0xFF, 0xE0, static_cast<uint8_t>(length >> 8),
                                 static_cast<uint8_t>(length)};
    app0.resize(2 + length, 0);
    return app0;
}

// The value of the first record named `name`, or "(none)".
std::string ValueOf(const ExifRecords& records, const std::string& name) {
    for (const ExifRecord& r : records)
        if (!r.group && r.name == name) return r.value;
    return "(none)";
}

ExifRecords ReadRecords(const std::vector<uint8_t>& file) {
    ExifRecords records;
    EXPECT_TRUE(CExifReader().ReadAll(file.data(), file.size(), records));
    return records;
}

// One tag, its type and values, and the text it must show ("(none)": no record).
struct FormatCase {
    const char* label;
    uint16_t tag;
    uint16_t type;  // 2 ASCII, 3 SHORT, 5 RATIONAL, 7 UNDEFINED, 10 SRATIONAL
    std::vector<uint32_t> values;
    const char* name;
    const char* expected;
};

constexpr uint32_t kMinus2 = static_cast<uint32_t>(-2);

// clang-format off
const FormatCase kFormatCases[] = {
    {"ExposureFraction", 0x829A, 5, {10, 1250}, "Exposure Time", "1/125 (sec)"},
    {"ZeroDenominator", 0x829A, 5, {1, 0}, "Exposure Time", "0 (sec)"},
    {"FNumber", 0x829D, 5, {28, 10}, "F Number", "F2.8"},
    {"FocalLength", 0x920A, 5, {58, 10}, "Focal Length", "5.800 (mm)"},
    {"ApexShutter", 0x9201, 10, {7, 1}, "Shutter Speed", "1/128 (sec)"},
    {"NegativeBias", 0x9204, 10, {kMinus2, 3}, "Exposure Bias Value", "EV-0.7"},
    {"FlashList", 0x9209, 3, {0x5F}, "Flash",
     "Flash fired, auto mode, return light detected, red-eye reduction mode"},
    {"FlashFirstItem", 0x9209, 3, {0}, "Flash", "Not fire"},
    {"FlashNotListed", 0x9209, 3, {0x02}, "Flash", "(none)"},
    {"LightSourceGap", 0x9208, 3, {16}, "Light Source", "(none)"},
    {"ProgramUnknown", 0x8822, 3, {9}, "Exposure Program", "Unknown"},
    {"IsoList", 0x8827, 3, {100, 200}, "ISO Speed Ratings", "100, 200"},
    {"ExifVersion", 0x9000, 7, {'0', '2', '2', '1'}, "Exif Version", "0221"},
    {"ComponentsYCbCr", 0x9101, 7, {1, 2, 3, 0}, "Component Configuration", "YCbCr Format"},
    {"ComponentsOther", 0x9101, 7, {3, 2, 1, 0}, "Component Configuration", "(none)"},
    {"CfaStopsAtUnknown", 0xA302, 7, {2, 0, 2, 0, 0, 1, 9, 2}, "CFA Pattern", "(Red, Green)"},
    {"FocalLength35Unknown", 0xA405, 3, {0}, "Focal length in 35mm film camera", "Unknown"},
    {"CommentAscii", 0x9286, 7, {'A', 'S', 'C', 'I', 'I', 0, 0, 0, 'h', 'i'}, "User Commend", "hi"},
    {"CommentUnknownCode", 0x9286, 7, std::vector<uint32_t>(40, 0), "User Commend", "(none)"},
    {"PhotometricNotListed", 0x0106, 3, {3}, "Photometric Interpretation", "(none)"},
    {"BlackWhitePoints", 0x0214, 5, {0, 1, 255, 1, 128, 1, 255, 1, 128, 1, 255, 1},
     "Black/White points", "(0/1, 255/1, 128/1)/(255/1, 128/1, 255/1) "},
    {"CodePage950", 0x010E, 2, {0xA4, 0xA4, 0}, "Image Description", "\xE4\xB8\xAD"},
    {"Utf8", 0x010E, 2, {'c', 'a', 'f', 0xC3, 0xA9, 0}, "Image Description", "caf\xC3\xA9"},
    {"LatinBecomesUtf8", 0x013B, 2, {'J', 'o', 's', 0xE9, 0}, "Artist", "Jos\xC3\xA9"},
    {"EmptyTextDropped", 0xA420, 2, {0}, "Image Unique ID", "(none)"}};
// clang-format on

// Each tag shows its value in the tag's format, and both byte orders give the same text.
TEST(ExifReader, ShowsEachValueInItsFormatInBothByteOrders) {
    for (const FormatCase& c : kFormatCases) {
        for (const bool big : {false, true}) {
            ExifBuilder b(big);
            b.Values(c.tag == 0x010E || c.tag == 0x013B ? kIfd0 : kExif, c.tag, c.type, c.values);
            const ExifRecords records = ReadRecords(FileWith(b.App1()));
            EXPECT_EQ(ValueOf(records, c.name), c.expected) << c.label << ", big-endian " << big;
        }
    }
}

// Where the block may start: after SOI, or after a JFIF APP0 of at most 16 bytes.
TEST(ExifReader, LocatesTheBlockOnlyWhereItMayBe) {
    ExifBuilder b(true);
    b.Ascii(ExifBuilder::kIfd0, 0x0110, "M");
    const auto app1 = b.App1();
    std::vector<uint8_t> app2 = app1;
    app2[1] = 0xE2;
    struct Case {
        const char* label;
        std::vector<uint8_t> file;
        bool found;
    };
    const Case cases[] = {
        {"app1 first", FileWith(app1), true},
        {"app0 of 16", FileWith(Concat(Jfif(16), app1)), true},
        {"app0 of 17", FileWith(Concat(Jfif(17), app1)), false},
        {"app2 first", FileWith(Concat(app2, app1)), false},
        {"no soi", std::vector<uint8_t>(app1.begin(), app1.end()), false},
        {"empty", {}, false},
    };
    for (const Case& c : cases) {
        ExifRecords records;
        EXPECT_EQ(CExifReader().ReadAll(c.file.data(), c.file.size(), records), c.found) << c.label;
        EXPECT_EQ(records.empty(), !c.found) << c.label;
    }
    // A block cut short is an unknown error.
    std::vector<uint8_t> file = FileWith(app1);
    file.resize(file.size() - 6);
    ExifRecords records;
    EXPECT_EQ(test::ErrorOf([&] { CExifReader().ReadAll(file.data(), file.size(), records); }),
              46000u);
}

// Damaged IFDs cost only the entry or IFD concerned, and link loops end.
TEST(ExifReader, MalformedEntriesTablesAndLinksAreSkipped) {
    ExifBuilder b(false);
    b.Ascii(ExifBuilder::kIfd0, 0x010F, "Maker");
    b.Ascii(ExifBuilder::kIfd0, 0x0110, std::string(3000, 'x'));     // longer than 2048 bytes
    b.Raw(ExifBuilder::kIfd0, 0x0131, 2, 20, b.Bytes32(0xFFF0));     // offset beyond the block
    b.Raw(ExifBuilder::kIfd0, 0x013B, 2, 0x40000000, b.Bytes32(8));  // huge count
    b.Ascii(ExifBuilder::kIfd0, 0x8298, "Me");
    ExifRecords records = ReadRecords(FileWith(b.App1()));
    EXPECT_EQ(ValueOf(records, "Manufacturer"), "Maker");
    EXPECT_EQ(ValueOf(records, "Model"), "(none)");
    EXPECT_EQ(ValueOf(records, "Software"), "(none)");
    EXPECT_EQ(ValueOf(records, "Artist"), "(none)");
    EXPECT_EQ(ValueOf(records, "Copyright"), "Me");

    // An entry table running past the block is ignored.
    b = ExifBuilder(false);
    b.Ascii(ExifBuilder::kIfd0, 0x0110, "M");
    std::vector<uint8_t> file = FileWith(b.App1());
    // IFD0's entry count sits at block offset 8; the block starts 12 bytes into the file.
    file[12 + 8] = 0xFF;
    file[12 + 9] = 0x0F;
    records = ReadRecords(file);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(records[0].group);

    // IFD0 (1 entry) at 8 links to IFD1 at 26; IFD1's own link pointing at itself ends.
    b.Short(ExifBuilder::kIfd1, 0x0103, {6});
    file = FileWith(b.App1());
    file[12 + 26 + 2 + 12] = 26;
    records = ReadRecords(file);
    EXPECT_EQ(std::count_if(records.begin(), records.end(),
                            [](const ExifRecord& r) { return r.name == "Compression"; }),
              1);
}

// No thumbnail: an uncompressed one, no IFD1, an offset beyond the block, bytes that are no JPEG.
TEST(ExifThumbnail, RejectedCases) {
    struct Value {
        ExifBuilder::Ifd ifd;
        uint16_t tag, type;
        std::vector<uint32_t> values;
    };
    constexpr auto kIfd1 = ExifBuilder::kIfd1;
    const std::vector<std::vector<Value>> cases = {
        {{kIfd1, 0x0103, 3, {1}}, {kIfd1, 0x0201, 4, {8}}, {kIfd1, 0x0202, 4, {10}}},
        {{kIfd0, 0x0110, 2, {'M', 0}}},
        {{kIfd1, 0x0201, 4, {0x7FFFFFF0}}, {kIfd1, 0x0202, 4, {0x20}}},
        {{kIfd1, 0x0201, 4, {8}}, {kIfd1, 0x0202, 4, {4}}},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        ExifBuilder b(false);
        for (const Value& v : cases[i])
            b.Values(v.ifd, v.tag, v.type, v.values);
        const std::vector<uint8_t> file = FileWith(b.App1());
        EXPECT_FALSE(CExifReader().FindThumbnail(file.data(), file.size()).has_value()) << i;
    }
}

// ---- Camera files against ExifRead's dumps ----

// "Image Model (ASCII): NIKON D70" lines of a dump, keyed by "Image Model".
std::map<std::string, std::string> ReadDump(const std::filesystem::path& path) {
    std::map<std::string, std::string> values;
    std::ifstream in(path);
    std::string line;
    static const std::regex kLine(R"(^(\w+ \w+) \([^)]*\): ?(.*)$)");
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_match(line, m, kLine)) values.emplace(m[1], m[2]);
    }
    return values;
}

std::vector<std::filesystem::path> CameraFiles() {
    std::vector<std::filesystem::path> files;
    for (const char* folder :
         {"jpeg-exif/exif-py", "jpeg-exif/exif-py/tests", "jpeg-exif/exif-py/hdr",
          "jpeg-exif/exif-py/mobile", "bad/jpeg-exif-py"}) {
        for (const auto& f : test::FilesIn(test::SharedFile(folder), {"jpg", "jpeg"}))
            files.push_back(f);
    }
    return files;
}

// Every IFD1 that describes a JPEG thumbnail with Compression 6 (or none) is found, and the
// bytes found are a JPEG picture.
TEST(ExifCameraFiles, ThumbnailsAreFound) {
    XELO_REQUIRE_SHARED_TESTDATA();
    int found = 0;
    for (const auto& file : CameraFiles()) {
        SCOPED_TRACE(file.string());
        const auto dump = ReadDump(file.string() + ".exifread.txt");
        const auto length = dump.find("Thumbnail JPEGInterchangeFormatLength");
        const auto compression = dump.find("Thumbnail Compression");
        const bool expected =
            length != dump.end() &&
            (compression == dump.end() || compression->second.find("JPEG") != std::string::npos);
        const auto thumbnail = CExifReader().FindThumbnail(file.string());
        EXPECT_EQ(thumbnail.has_value(), expected);
        if (!thumbnail || !expected) continue;
        EXPECT_EQ(std::to_string(thumbnail->length), length->second);
        const auto bytes = test::ReadBytes(file);
        ASSERT_LE(uint64_t{thumbnail->offset} + thumbnail->length, bytes.size());
        EXPECT_EQ(bytes[thumbnail->offset + 1], 0xD8);
        ++found;
    }
    EXPECT_GE(found, 20);
}

}  // namespace
}  // namespace xelo
