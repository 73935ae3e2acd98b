#include "codec/ExifReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <numeric>
#include <regex>

#include "image/TavoException.h"
#include "support/ExifBuilder.h"
#include "support/TestData.h"

namespace xelo {
namespace {

using test::ExifBuilder;

// A minimal JPEG file: SOI, the segment under test, EOI. The reader never looks past APP1.
std::vector<uint8_t> FileWith(const std::vector<uint8_t>& segments) {
    std::vector<uint8_t> file = {0xFF, 0xD8};
    file.insert(file.end(), segments.begin(), segments.end());
    file.push_back(0xFF);
    file.push_back(0xD9);
    return file;
}

std::vector<uint8_t> Jfif(uint16_t length) {
    std::vector<uint8_t> app0 = {0xFF, 0xE0, static_cast<uint8_t>(length >> 8),
                                 static_cast<uint8_t>(length)};
    app0.resize(2 + length, 0);
    return app0;
}

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The value of the first record named `name`, or "(none)".
std::string ValueOf(const ExifRecords& records, const std::string& name) {
    for (const ExifRecord& r : records) {
        if (!r.group && r.name == name) return r.value;
    }
    return "(none)";
}

ExifRecords ReadRecords(const std::vector<uint8_t>& file) {
    ExifRecords records;
    EXPECT_TRUE(CExifReader().ReadAll(file.data(), file.size(), records));
    return records;
}

// One tag of the Exif IFD and the text it must show.
struct FormatCase {
    const char* label;
    void (*add)(ExifBuilder&);
    const char* name;
    const char* expected;  // "(none)": no record
};

const FormatCase kFormatCases[] = {
    {"ExposureTimeAsFraction",
     [](ExifBuilder& b) {
         b.Rational(ExifBuilder::kExif, 0x829A, {{10, 1250}});
     },
     "Exposure Time", "1/125 (sec)"},
    {"LongExposureInSeconds",
     [](ExifBuilder& b) {
         b.Rational(ExifBuilder::kExif, 0x829A, {{10, 1}});
     },
     "Exposure Time", "10 (sec)"},
    {"ZeroDenominator",
     [](ExifBuilder& b) {
         b.Rational(ExifBuilder::kExif, 0x829A, {{1, 0}});
     },
     "Exposure Time", "0 (sec)"},
    {"FNumber",
     [](ExifBuilder& b) {
         b.Rational(ExifBuilder::kExif, 0x829D, {{28, 10}});
     },
     "F Number", "F2.8"},
    {"FocalLength",
     [](ExifBuilder& b) {
         b.Rational(ExifBuilder::kExif, 0x920A, {{58, 10}});
     },
     "Focal Length", "5.800 (mm)"},
    {"ApexShutter",
     [](ExifBuilder& b) {
         b.Rational(ExifBuilder::kExif, 0x9201, {{7, 1}}, true);
     },
     "Shutter Speed", "1/128 (sec)"},
    {"ApexAperture",
     [](ExifBuilder& b) {
         b.Rational(ExifBuilder::kExif, 0x9202, {{4, 1}});
     },
     "Aperture Value", "F4.0"},
    {"NegativeExposureBias",
     [](ExifBuilder& b) {
         b.Rational(ExifBuilder::kExif, 0x9204, {{static_cast<uint32_t>(-2), 3}}, true);
     },
     "Exposure Bias Value", "EV-0.7"},
    {"FlashList", [](ExifBuilder& b) { b.Short(ExifBuilder::kExif, 0x9209, {0x5F}); }, "Flash",
     "Flash fired, auto mode, return light detected, red-eye reduction mode"},
    {"FlashFirstItem", [](ExifBuilder& b) { b.Short(ExifBuilder::kExif, 0x9209, {0}); }, "Flash",
     "Not fire"},
    {"FlashNotListed", [](ExifBuilder& b) { b.Short(ExifBuilder::kExif, 0x9209, {0x02}); }, "Flash",
     "(none)"},
    {"LightSourceD65", [](ExifBuilder& b) { b.Short(ExifBuilder::kExif, 0x9208, {21}); },
     "Light Source", "D65"},
    {"LightSourceGap", [](ExifBuilder& b) { b.Short(ExifBuilder::kExif, 0x9208, {16}); },
     "Light Source", "(none)"},
    {"MeteringOther", [](ExifBuilder& b) { b.Short(ExifBuilder::kExif, 0x9207, {255}); },
     "Metering Mode", "Other"},
    {"ExposureProgramUnknown", [](ExifBuilder& b) { b.Short(ExifBuilder::kExif, 0x8822, {9}); },
     "Exposure Program", "Unknown"},
    {"IsoList",
     [](ExifBuilder& b) {
         b.Short(ExifBuilder::kExif, 0x8827, {100, 200});
     },
     "ISO Speed Ratings", "100, 200"},
    {"ExifVersionBytes",
     [](ExifBuilder& b) {
         b.Undefined(ExifBuilder::kExif, 0x9000, {'0', '2', '2', '1'});
     },
     "Exif Version", "0221"},
    {"ComponentsYCbCr",
     [](ExifBuilder& b) {
         b.Undefined(ExifBuilder::kExif, 0x9101, {1, 2, 3, 0});
     },
     "Component Configuration", "YCbCr Format"},
    {"ComponentsOther",
     [](ExifBuilder& b) {
         b.Undefined(ExifBuilder::kExif, 0x9101, {3, 2, 1, 0});
     },
     "Component Configuration", "(none)"},
    {"CfaPatternStopsAtUnknownCode",
     [](ExifBuilder& b) {
         b.Undefined(ExifBuilder::kExif, 0xA302, {2, 0, 2, 0, 0, 1, 9, 2});
     },
     "CFA Pattern", "(Red, Green)"},
    {"FileSourceCamera", [](ExifBuilder& b) { b.Undefined(ExifBuilder::kExif, 0xA300, {3}); },
     "File Source", "DSC"},
    {"SceneTypeOther", [](ExifBuilder& b) { b.Undefined(ExifBuilder::kExif, 0xA301, {2}); },
     "Scene Type", "Unknown"},
    {"FocalLength35Unknown", [](ExifBuilder& b) { b.Short(ExifBuilder::kExif, 0xA405, {0}); },
     "Focal length in 35mm film camera", "Unknown"},
    {"FocalLength35", [](ExifBuilder& b) { b.Short(ExifBuilder::kExif, 0xA405, {50}); },
     "Focal length in 35mm film camera", "50 (mm)"},
    {"UserCommentAscii",
     [](ExifBuilder& b) {
         b.Undefined(ExifBuilder::kExif, 0x9286, {'A', 'S', 'C', 'I', 'I', 0, 0, 0, 'h', 'i'});
     },
     "User Commend", "hi"},
    {"UserCommentUndefinedCode",
     [](ExifBuilder& b) { b.Undefined(ExifBuilder::kExif, 0x9286, std::vector<uint8_t>(40, 0)); },
     "User Commend", "(none)"},
    {"ColourSpaceUncalibrated",
     [](ExifBuilder& b) { b.Short(ExifBuilder::kExif, 0xA001, {0xFFFF}); }, "Color Space",
     "Uncalibrated format"},
    {"PhotometricNotListed", [](ExifBuilder& b) { b.Short(ExifBuilder::kExif, 0x0106, {3}); },
     "Photometric Interpretation", "(none)"},
    {"BlackWhitePoints",
     [](ExifBuilder& b) {
         b.Rational(ExifBuilder::kExif, 0x0214,
                    {{0, 1}, {255, 1}, {128, 1}, {255, 1}, {128, 1}, {255, 1}});
     },
     "Black/White points", "(0/1, 255/1, 128/1)/(255/1, 128/1, 255/1) "},
    {"DescriptionInCodePage950",
     [](ExifBuilder& b) {
         b.Raw(ExifBuilder::kIfd0, 0x010E, 2, 3, {0xA4, 0xA4, 0});
     },
     "Image Description", "\xE4\xB8\xAD"},
    {"DescriptionInUtf8",
     [](ExifBuilder& b) { b.Ascii(ExifBuilder::kIfd0, 0x010E, "caf\xC3\xA9"); },
     "Image Description", "caf\xC3\xA9"},
    {"LatinTextBecomesUtf8", [](ExifBuilder& b) { b.Ascii(ExifBuilder::kIfd0, 0x013B, "Jos\xE9"); },
     "Artist", "Jos\xC3\xA9"},
    {"EmptyTextDropped", [](ExifBuilder& b) { b.Ascii(ExifBuilder::kExif, 0xA420, ""); },
     "Image Unique ID", "(none)"},
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.label;
}

class ExifFormat : public ::testing::TestWithParam<FormatCase> {};

// Each tag shows its value in the tag's format, and both byte orders give the same text.
TEST_P(ExifFormat, ShowsTheValueInBothByteOrders) {
    for (const bool big : {false, true}) {
        ExifBuilder b(big);
        GetParam().add(b);
        const ExifRecords records = ReadRecords(FileWith(b.App1()));
        EXPECT_EQ(ValueOf(records, GetParam().name), GetParam().expected) << "big-endian " << big;
    }
}

INSTANTIATE_TEST_SUITE_P(Tags, ExifFormat, ::testing::ValuesIn(kFormatCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(ExifReader, UnicodeUserCommentFollowsTheByteOrder) {
    for (const bool big : {false, true}) {
        ExifBuilder b(big);
        std::vector<uint8_t> comment = {'U', 'N', 'I', 'C', 'O', 'D', 'E', 0};
        for (const uint16_t unit : {uint16_t{'O'}, uint16_t{'k'}, uint16_t{0xE9}}) {
            const auto bytes = b.Bytes16(unit);
            comment.insert(comment.end(), bytes.begin(), bytes.end());
        }
        b.Undefined(ExifBuilder::kExif, 0x9286, comment);
        EXPECT_EQ(ValueOf(ReadRecords(FileWith(b.App1())), "User Commend"), "Ok\xC3\xA9");
    }
}

// The groups come in their fixed order with their records, pointer tags give no record.
TEST(ExifReader, GroupsInOrder) {
    ExifBuilder b(false);
    b.Ascii(ExifBuilder::kIfd0, 0x0110, "Model X");
    b.Short(ExifBuilder::kExif, 0x8827, {400});
    b.Short(ExifBuilder::kIfd1, 0x0103, {6});
    b.Ascii(ExifBuilder::kInterop, 0x0001, "R98");
    const ExifRecords records = ReadRecords(FileWith(b.App1()));
    std::vector<std::string> lines;
    for (const ExifRecord& r : records)
        lines.push_back(r.group ? r.name : r.name + ": " + r.value);
    EXPECT_EQ(lines,
              (std::vector<std::string>{"Main Information", "Model: Model X",
                                        "Picture-Taking Conditions", "ISO Speed Ratings: 400",
                                        "Thumbnail Information", "Compression: JPEG compression",
                                        "ExifR98 Information", "Interoperability Index: R98"}));
    EXPECT_EQ(records[1].tag, 0x0110u);
    EXPECT_EQ(records[0].tag, 0u);
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
}

TEST(ExifReader, BlockCutShortThrowsUnknownError) {
    ExifBuilder b(false);
    b.Ascii(ExifBuilder::kIfd0, 0x0110, "Model");
    std::vector<uint8_t> file = FileWith(b.App1());
    file.resize(file.size() - 6);
    ExifRecords records;
    try {
        CExifReader().ReadAll(file.data(), file.size(), records);
        FAIL() << "no exception";
    } catch (const CTavoException& e) {
        EXPECT_EQ(e.GetCode(), 46000u);
    }
}

// Damaged IFDs cost only the entry or IFD concerned, and link loops end.
TEST(ExifReader, MalformedEntriesAreSkipped) {
    ExifBuilder b(false);
    b.Ascii(ExifBuilder::kIfd0, 0x010F, "Maker");
    b.Ascii(ExifBuilder::kIfd0, 0x0110, std::string(3000, 'x'));     // longer than 2048 bytes
    b.Raw(ExifBuilder::kIfd0, 0x0131, 2, 20, b.Bytes32(0xFFF0));     // offset beyond the block
    b.Raw(ExifBuilder::kIfd0, 0x013B, 2, 0x40000000, b.Bytes32(8));  // huge count
    b.Ascii(ExifBuilder::kIfd0, 0x8298, "Me");
    const ExifRecords records = ReadRecords(FileWith(b.App1()));
    EXPECT_EQ(ValueOf(records, "Manufacturer"), "Maker");
    EXPECT_EQ(ValueOf(records, "Model"), "(none)");
    EXPECT_EQ(ValueOf(records, "Software"), "(none)");
    EXPECT_EQ(ValueOf(records, "Artist"), "(none)");
    EXPECT_EQ(ValueOf(records, "Copyright"), "Me");
}

TEST(ExifReader, EntryTableRunningPastTheBlockIsIgnored) {
    ExifBuilder b(false);
    b.Ascii(ExifBuilder::kIfd0, 0x0110, "M");
    std::vector<uint8_t> file = FileWith(b.App1());
    // IFD0's entry count sits at block offset 8; the block starts 12 bytes into the file.
    file[12 + 8] = 0xFF;
    file[12 + 9] = 0x0F;
    const ExifRecords records = ReadRecords(file);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(records[0].group);
}

TEST(ExifReader, SelfLinkedIfdEnds) {
    ExifBuilder b(false);
    b.Short(ExifBuilder::kIfd1, 0x0103, {6});
    b.Ascii(ExifBuilder::kIfd0, 0x0110, "M");
    std::vector<uint8_t> file = FileWith(b.App1());
    // IFD0 (1 entry) at 8 links to IFD1 at 26; make IFD1's own link point at itself.
    const size_t ifd1Link = 12 + 26 + 2 + 12;
    file[ifd1Link] = 26;
    const ExifRecords records = ReadRecords(file);
    EXPECT_EQ(std::count_if(records.begin(), records.end(),
                            [](const ExifRecord& r) { return r.name == "Compression"; }),
              1);
}

std::vector<uint8_t> TinyJpeg() {
    // Not a decodable picture: FindThumbnail only checks the SOI and EOI markers.
    return {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x02, 0x11, 0x22, 0xFF, 0xD9};
}

TEST(ExifThumbnail, FoundThroughIfd1) {
    ExifBuilder b(true);
    b.Ascii(ExifBuilder::kIfd0, 0x0110, "M");
    b.SetThumbnail(TinyJpeg());
    const std::vector<uint8_t> file = FileWith(Concat(Jfif(16), b.App1()));
    const auto thumbnail = CExifReader().FindThumbnail(file.data(), file.size());
    ASSERT_TRUE(thumbnail.has_value());
    const std::vector<uint8_t> tiny = TinyJpeg();
    EXPECT_EQ(thumbnail->length, tiny.size());
    EXPECT_TRUE(std::equal(tiny.begin(), tiny.end(), file.begin() + thumbnail->offset));
}

TEST(ExifThumbnail, RejectedCases) {
    struct Case {
        const char* label;
        void (*build)(ExifBuilder&);
    };
    const Case cases[] = {
        {"uncompressed thumbnail",
         [](ExifBuilder& b) {
             b.Short(ExifBuilder::kIfd1, 0x0103, {1});
             b.Long(ExifBuilder::kIfd1, 0x0201, {8});
             b.Long(ExifBuilder::kIfd1, 0x0202, {10});
         }},
        {"no ifd1", [](ExifBuilder& b) { b.Ascii(ExifBuilder::kIfd0, 0x0110, "M"); }},
        {"offset beyond the block",
         [](ExifBuilder& b) {
             b.Long(ExifBuilder::kIfd1, 0x0201, {0x7FFFFFF0});
             b.Long(ExifBuilder::kIfd1, 0x0202, {0x20});
         }},
        {"not a jpeg",
         [](ExifBuilder& b) {
             b.Long(ExifBuilder::kIfd1, 0x0201, {8});
             b.Long(ExifBuilder::kIfd1, 0x0202, {4});
         }},
    };
    for (const Case& c : cases) {
        ExifBuilder b(false);
        c.build(b);
        const std::vector<uint8_t> file = FileWith(b.App1());
        EXPECT_FALSE(CExifReader().FindThumbnail(file.data(), file.size()).has_value()) << c.label;
    }
}

// Without the offset tag, the LONG values of IFD1 are searched for a start and a length.
TEST(ExifThumbnail, FallbackSearchOverLongValues) {
    ExifBuilder probe(false);
    probe.SetThumbnail(TinyJpeg());
    const uint32_t thumbnailAt = static_cast<uint32_t>(probe.Block().size() - TinyJpeg().size());

    ExifBuilder b(false);
    b.Long(ExifBuilder::kIfd1, 0x0111, {thumbnailAt});
    b.Long(ExifBuilder::kIfd1, 0x0117, {static_cast<uint32_t>(TinyJpeg().size())});
    b.Short(ExifBuilder::kIfd1, 0x0103, {6});
    // The same layout as `probe`: three IFD1 entries, thumbnail last.
    std::vector<uint8_t> block = b.Block();
    const std::vector<uint8_t> tiny = TinyJpeg();
    block.insert(block.end(), tiny.begin(), tiny.end());
    ASSERT_EQ(block.size(), probe.Block().size());
    std::vector<uint8_t> app1 = {0xFF,
                                 0xE1,
                                 static_cast<uint8_t>((block.size() + 8) >> 8),
                                 static_cast<uint8_t>(block.size() + 8),
                                 'E',
                                 'x',
                                 'i',
                                 'f',
                                 0,
                                 0};
    app1.insert(app1.end(), block.begin(), block.end());
    const std::vector<uint8_t> file = FileWith(app1);
    const auto thumbnail = CExifReader().FindThumbnail(file.data(), file.size());
    ASSERT_TRUE(thumbnail.has_value());
    EXPECT_EQ(thumbnail->offset, 12 + thumbnailAt);
    EXPECT_EQ(thumbnail->length, TinyJpeg().size());
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

std::string Trimmed(std::string s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

// "71/10" or "9" as numerator and denominator.
std::pair<long, long> Ratio(const std::string& text) {
    const size_t slash = text.find('/');
    if (slash == std::string::npos) return {std::stol(text), 1};
    return {std::stol(text.substr(0, slash)), std::stol(text.substr(slash + 1))};
}

std::string Printed(const char* format, double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, v);
    return buffer;
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

// Model, dates, ISO and the shooting values show what the camera recorded, in our formats.
TEST(ExifCameraFiles, RecordsAgreeWithTheDumps) {
    XELO_REQUIRE_SHARED_TESTDATA();
    int checked = 0;
    for (const auto& file : CameraFiles()) {
        SCOPED_TRACE(file.string());
        const auto dump = ReadDump(file.string() + ".exifread.txt");
        ExifRecords records;
        const bool found = CExifReader().ReadAll(file.string(), records);
        if (dump.empty()) {
            EXPECT_FALSE(found);
            continue;
        }
        ASSERT_TRUE(found);
        auto expect = [&](const char* dumpName, const std::string& ours, auto convert) {
            const auto it = dump.find(dumpName);
            if (it == dump.end() || Trimmed(it->second).empty()) return;
            EXPECT_EQ(Trimmed(ValueOf(records, ours)), convert(it->second)) << dumpName;
            ++checked;
        };
        // Lists are printed "[a, b]" in the dumps.
        auto same = [](const std::string& v) {
            std::string t = Trimmed(v);
            if (t.size() >= 2 && t.front() == '[' && t.back() == ']') t = t.substr(1, t.size() - 2);
            return t;
        };
        expect("Image Make", "Manufacturer", same);
        expect("Image Model", "Model", same);
        expect("Image DateTime", "Date/Time", same);
        expect("EXIF DateTimeOriginal", "Original Date/Time", same);
        expect("EXIF ISOSpeedRatings", "ISO Speed Ratings", same);
        expect("EXIF ExifImageWidth", "Exif Image Width", same);
        expect("EXIF FNumber", "F Number", [](const std::string& v) {
            const auto [n, d] = Ratio(v);
            return Printed("F%.1f", static_cast<double>(n) / static_cast<double>(d));
        });
        expect("EXIF FocalLength", "Focal Length", [](const std::string& v) {
            const auto [n, d] = Ratio(v);
            return Printed("%.3f", static_cast<float>(n) / static_cast<float>(d)) + " (mm)";
        });
        expect("EXIF ExposureTime", "Exposure Time", [](const std::string& v) {
            const auto [n, d] = Ratio(v);
            if (n >= d) return std::to_string(n / d) + " (sec)";
            return "1/" + std::to_string(d / n) + " (sec)";
        });
    }
    EXPECT_GT(checked, 150);
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

TEST(ExifCameraFiles, BigAndLittleEndianLibexifFilesReadTheirModel) {
    XELO_REQUIRE_SHARED_TESTDATA();
    for (const auto& file : test::FilesIn(test::SharedFile("jpeg-exif/libexif"), {"jpg"})) {
        SCOPED_TRACE(file.string());
        std::ifstream in(file.string() + ".parsed");
        std::string line, model;
        while (std::getline(in, line)) {
            if (line.find("Model (ASCII)") != std::string::npos) {
                std::getline(in, line);  // Size, Comps
                std::getline(in, line);  // Value: ...
                model = line.substr(line.find("Value: ") + 7);
                break;
            }
        }
        ExifRecords records;
        ASSERT_TRUE(CExifReader().ReadAll(file.string(), records));
        if (!model.empty()) {
            EXPECT_EQ(ValueOf(records, "Model"), model);
        }
    }
}

}  // namespace
}  // namespace xelo
