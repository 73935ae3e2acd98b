// The tag table of the metadata page and the formatting of each tag's value.
#include "codec/ExifTags.h"

#include <iconv.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "base/StringTable.h"

namespace xelo {

namespace {

constexpr uint32_t kStrFlashList = 43088;
// Values are formatted into a work area of this size; longer fields are not shown.
constexpr size_t kMaxShownValues = 256;

enum class Format {
    kText,
    kTextChinese,  // may be in code page 950
    kFourBytes,    // a version such as "0221"
    kNumbers,      // integers, or rationals as n/d
    kRationalPlain,
    kExposureTime,
    kDecimal,
    kApexShutter,
    kApexAperture,
    kEv,
    kFNumber,
    kEnum,
    kComponents,
    kBlackWhite,
    kUserComment,
    kFileSource,
    kCfaPattern,
    kFocalLength35,
};

// An enumeration: `values` select the items of `items` in order; other values give `fallback`
// (or nothing when it is null). A null `values` means 0, 1, 2, ...
struct Enumeration {
    std::string_view items;
    const uint16_t* values = nullptr;
    size_t valueCount = 0;
    const char* fallback = nullptr;
};

struct TagInfo {
    uint16_t tag;
    const char* name;
    Format format;
    const char* unit = nullptr;
    const Enumeration* enumeration = nullptr;
};

template <size_t N>
constexpr Enumeration Listed(std::string_view items, const uint16_t (&values)[N],
                             const char* fallback = nullptr) {
    return Enumeration{items, values, N, fallback};
}
constexpr Enumeration InOrder(std::string_view items, const char* fallback = nullptr) {
    return Enumeration{items, nullptr, 0, fallback};
}

constexpr uint16_t kCompressionValues[] = {1, 6};
constexpr Enumeration kCompression = Listed("No compression|JPEG compression", kCompressionValues);
constexpr uint16_t kPhotometricValues[] = {1, 2, 6};
constexpr Enumeration kPhotometric =
    Listed("Monochrome format|RGB Format|YCbCr Format", kPhotometricValues);
constexpr uint16_t kOneToEight[] = {1, 2, 3, 4, 5, 6, 7, 8};
constexpr uint16_t kOneToThree[] = {1, 2, 3};
constexpr uint16_t kOneTwo[] = {1, 2};
constexpr Enumeration kOrientation = Listed(
    "(1st Row, 1st Column) = (top, left)|(1st Row, 1st Column) = (top, right)|"
    "(1st Row, 1st Column) = (bottom, left)|(1st Row, 1st Column) = (bottom, right)|"
    "(1st Row, 1st Column) = (left, top)|(1st Row, 1st Column) = (right, top)|"
    "(1st Row, 1st Column) = (right, bottom)|(1st Row, 1st Column) = (left, bottom)",
    kOneToEight, "Unknown");
constexpr Enumeration kPlanar = Listed("Chunky format|YCbCr are stored separately", kOneTwo);
constexpr Enumeration kResolutionUnit = Listed("no-unit|inch|cm", kOneToThree, "Unknown");
constexpr Enumeration kPositioning = Listed("centered|co-sited", kOneTwo, "Unknown");
constexpr Enumeration kExposureProgram = InOrder(
    "Not defined|Manual|Normal program|Aperture priority|Shutter priority|Creative program|"
    "Action program|Portrait mode|Landscape mode",
    "Unknown");
constexpr uint16_t kMeteringValues[] = {0, 1, 2, 3, 4, 5, 6, 255};
constexpr Enumeration kMetering =
    Listed("Unknown|Average|Center Weighted Average|Spot|MultiSpot|Pattern|Partial|Other",
           kMeteringValues);
constexpr uint16_t kLightValues[] = {0,  1,  2,  3,  4,  9,  10, 11, 12, 13, 14,
                                     15, 17, 18, 19, 20, 21, 22, 23, 24, 255};
constexpr Enumeration kLightSource = Listed(
    "Unknown|Daylight|Fluorescent|Tungsten (incandescent light)|Flash|Fine weather|"
    "Cloudy weather|Shade|Daylight fluorescent (D 5700 - 7100K)|"
    "Day white fluorescent (N 4600 - 5400K) |Cool white fluorescent (W 3900 - 4500K)|"
    "White fluorescent (WW 3200 - 3700K)|Standard light A|Standard light B|Standard light C|"
    "D55|D65|D75|D50|ISO studio tungsten|Other",
    kLightValues);
constexpr uint16_t kFlashValues[] = {0x00, 0x01, 0x05, 0x07, 0x0D, 0x0F, 0x10,
                                     0x18, 0x19, 0x1D, 0x1F, 0x20, 0x41, 0x45,
                                     0x47, 0x49, 0x4D, 0x4F, 0x59, 0x5D, 0x5F};
// The items come from the string table (Flash has its own text number).
constexpr Enumeration kFlash = Listed("", kFlashValues);
constexpr uint16_t kOneValue[] = {1};
constexpr Enumeration kColourSpace = Listed("sRGB Format", kOneValue, "Uncalibrated format");
constexpr uint16_t kSensorValues[] = {1, 2, 3, 4, 5, 7, 8};
constexpr Enumeration kSensor = Listed(
    "Not defined|One-chip color area sensor|Two-chip color area sensor|"
    "Three-chip color area sensor|Color sequential area sensor|Trilinear sensor|"
    "Color sequential linear sensor",
    kSensorValues);
constexpr Enumeration kSceneType = Listed("A directly photographed image", kOneValue, "Unknown");
constexpr Enumeration kCustomRendered = InOrder("Normal process|Custom process");
constexpr Enumeration kExposureMode = InOrder("Auto exposure|Manual exposure|Auto bracket");
constexpr Enumeration kWhiteBalance = InOrder("Auto white balance|Manual white balance");
constexpr Enumeration kSceneCapture = InOrder("Standard|Landscape|Portrait|Night Scene");
constexpr Enumeration kGainControl =
    InOrder("None|Low gain up|High gain up|Low gain down|High gain down");
constexpr Enumeration kContrast = InOrder("Normal|Soft|Hard");
constexpr Enumeration kSaturation = InOrder("Normal|Low saturation|High saturation");
constexpr Enumeration kDistanceRange = InOrder("Unknown|Macro|Close view|Distant view");

constexpr TagInfo kTags[] = {
    {0x0001, "Interoperability Index", Format::kText},
    {0x0002, "Interoperability Version", Format::kFourBytes},
    {0x0100, "Image Width", Format::kNumbers},
    {0x0101, "Image Length", Format::kNumbers},
    {0x0102, "Bits Per Sample", Format::kNumbers},
    {0x0103, "Compression", Format::kEnum, nullptr, &kCompression},
    {0x0106, "Photometric Interpretation", Format::kEnum, nullptr, &kPhotometric},
    {0x010E, "Image Description", Format::kTextChinese},
    {0x010F, "Manufacturer", Format::kText},
    {0x0110, "Model", Format::kText},
    {0x0111, "Strip Offset", Format::kNumbers},
    {0x0112, "Orientation", Format::kEnum, nullptr, &kOrientation},
    {0x0115, "Sample Per Pixel", Format::kNumbers},
    {0x0116, "Rows Per Strip", Format::kNumbers},
    {0x0117, "Bytes Per Strip", Format::kNumbers},
    {0x011A, "X Resolution", Format::kRationalPlain},
    {0x011B, "Y Resolution", Format::kRationalPlain},
    {0x011C, "Planar Configuration", Format::kEnum, nullptr, &kPlanar},
    {0x0128, "Resolution Units", Format::kEnum, nullptr, &kResolutionUnit},
    {0x0131, "Software", Format::kText},
    {0x0132, "Date/Time", Format::kText},
    {0x013B, "Artist", Format::kText},
    {0x013E, "White point chromaticity", Format::kRationalPlain},
    {0x013F, "Primary Chromaticities", Format::kRationalPlain},
    {0x0201, "JPEG Data Offset", Format::kNumbers},
    {0x0202, "JPEG Data Size", Format::kNumbers},
    {0x0211, "YCbCr Coefficients", Format::kDecimal},
    {0x0212, "Subsamping Size (Horizontal, Vertical)", Format::kNumbers},
    {0x0213, "YCbCr Positioning", Format::kEnum, nullptr, &kPositioning},
    {0x0214, "Black/White points", Format::kBlackWhite},
    {0x1000, "Image File Format", Format::kText},
    {0x1001, "Image Width", Format::kNumbers},
    {0x1002, "Image Length", Format::kNumbers},
    {0x8298, "Copyright", Format::kText},
    {0x829A, "Exposure Time", Format::kExposureTime, "sec"},
    {0x829D, "F Number", Format::kFNumber},
    {0x8822, "Exposure Program", Format::kEnum, nullptr, &kExposureProgram},
    {0x8827, "ISO Speed Ratings", Format::kNumbers},
    {0x9000, "Exif Version", Format::kFourBytes},
    {0x9003, "Original Date/Time", Format::kText},
    {0x9004, "Digitized Date/Time", Format::kText},
    {0x9101, "Component Configuration", Format::kComponents},
    {0x9102, "Compression mode", Format::kRationalPlain, "bit/pixel"},
    {0x9201, "Shutter Speed", Format::kApexShutter, "sec"},
    {0x9202, "Aperture Value", Format::kApexAperture},
    {0x9203, "Brightness Value", Format::kEv},
    {0x9204, "Exposure Bias Value", Format::kEv},
    {0x9205, "Max. Aperture Value", Format::kApexAperture},
    {0x9206, "Subject Distance", Format::kDecimal, "m"},
    {0x9207, "Metering Mode", Format::kEnum, nullptr, &kMetering},
    {0x9208, "Light Source", Format::kEnum, nullptr, &kLightSource},
    {0x9209, "Flash", Format::kEnum, nullptr, &kFlash},
    {0x920A, "Focal Length", Format::kDecimal, "mm"},
    {0x9214, "Main Subject Location", Format::kNumbers},
    {0x9286, "User Commend", Format::kUserComment},
    {0x9290, "SubsecTime", Format::kText},
    {0x9291, "Original SubsecTime", Format::kText},
    {0x9292, "Digitized SubsecTime", Format::kText},
    {0xA000, "FlashPix Version", Format::kText},
    {0xA001, "Color Space", Format::kEnum, nullptr, &kColourSpace},
    {0xA002, "Exif Image Width", Format::kNumbers},
    {0xA003, "Exif Image Height", Format::kNumbers},
    {0xA004, "Related Audio File", Format::kText},
    {0xA20E, "Focal Plane X Resolution", Format::kRationalPlain},
    {0xA20F, "Focal Plane Y Resolution", Format::kRationalPlain},
    {0xA210, "Focal Plane Resolution Units", Format::kEnum, nullptr, &kResolutionUnit},
    {0xA215, "Exposure Index", Format::kRationalPlain},
    {0xA217, "Image Sensor Type", Format::kEnum, nullptr, &kSensor},
    {0xA300, "File Source", Format::kFileSource},
    {0xA301, "Scene Type", Format::kEnum, nullptr, &kSceneType},
    {0xA302, "CFA Pattern", Format::kCfaPattern},
    {0xA401, "Custom Rendered", Format::kEnum, nullptr, &kCustomRendered},
    {0xA402, "Exposure Mode", Format::kEnum, nullptr, &kExposureMode},
    {0xA403, "White Balance", Format::kEnum, nullptr, &kWhiteBalance},
    {0xA404, "Digital Zoom Ratio", Format::kRationalPlain},
    {0xA405, "Focal length in 35mm film camera", Format::kFocalLength35, "mm"},
    {0xA406, "Scene Capture Type", Format::kEnum, nullptr, &kSceneCapture},
    {0xA407, "Gain Control", Format::kEnum, nullptr, &kGainControl},
    {0xA408, "Contrast", Format::kEnum, nullptr, &kContrast},
    {0xA409, "Saturation", Format::kEnum, nullptr, &kSaturation},
    {0xA40A, "Sharpness", Format::kEnum, nullptr, &kContrast},
    {0xA40B, "Device Setting Description", Format::kNumbers},
    {0xA40C, "Subject Distance Range", Format::kEnum, nullptr, &kDistanceRange},
    {0xA420, "Image Unique ID", Format::kText},
};

const TagInfo* FindTag(uint16_t tag) {
    for (const TagInfo& info : kTags) {
        if (info.tag == tag) return &info;
    }
    return nullptr;
}

template <typename... Args>
std::string Printf(const char* format, Args... args) {
    char buffer[96];
    const int n = std::snprintf(buffer, sizeof buffer, format, args...);
    return n <= 0 ? std::string() : std::string(buffer, std::min<size_t>(n, sizeof buffer - 1));
}

void Join(std::string& out, const std::string& item) {
    if (!out.empty()) out += ", ";
    out += item;
}

// A rational as numerator and denominator with their sign.
struct Ratio {
    int64_t numerator;
    int64_t denominator;
    double Value() const {
        return static_cast<double>(numerator) / static_cast<double>(denominator);
    }
};

Ratio RatioAt(const ExifField& f, size_t i) {
    if (f.type == kExifSRational) {
        return Ratio{static_cast<int32_t>(f.Numerator(i)), static_cast<int32_t>(f.Denominator(i))};
    }
    return Ratio{f.Numerator(i), f.Denominator(i)};
}

std::string IntegerAt(const ExifField& f, size_t i) {
    return f.IsSigned() ? Printf("%d", f.Signed(i)) : Printf("%u", f.Unsigned(i));
}

std::string RatioText(const Ratio& r) {
    return Printf("%lld/%lld", static_cast<long long>(r.numerator),
                  static_cast<long long>(r.denominator));
}

// Whole seconds and longer times as a number; shorter ones as 1/n, n = denominator / numerator.
std::string ExposureText(Ratio r) {
    if (r.numerator == 0) return "0";
    if (r.numerator >= r.denominator || r.numerator < 0 || r.denominator < 0) {
        const double v = r.Value();
        return v == std::floor(v) ? Printf("%.0f", v) : Printf("%.1f", v);
    }
    if (r.numerator != 1) {
        r.denominator /= r.numerator;
        r.numerator = 1;
    }
    return RatioText(r);
}

// APEX time value: the exposure is 1 / 2^v seconds.
std::string ApexShutterText(const Ratio& r) {
    const double v = std::clamp(r.Value(), -30.0, 30.0);
    const double speed = std::pow(2.0, v);
    if (speed >= 1.0) return Printf("1/%d", static_cast<int>(speed));
    const double seconds = 1.0 / speed;
    return seconds == std::floor(seconds) ? Printf("%.0f", seconds) : Printf("%.1f", seconds);
}

std::string RationalText(Format format, const Ratio& r) {
    if (r.denominator == 0) return "0";
    switch (format) {
        case Format::kExposureTime:
            return ExposureText(r);
        case Format::kDecimal:
            return Printf("%.3f",
                          static_cast<float>(r.numerator) / static_cast<float>(r.denominator));
        case Format::kApexShutter:
            return ApexShutterText(r);
        case Format::kApexAperture:
            return Printf("F%.1f", std::pow(std::sqrt(2.0), std::clamp(r.Value(), -64.0, 64.0)));
        case Format::kEv:
            return Printf("EV%.1f", r.Value());
        case Format::kFNumber:
            return Printf("F%.1f", r.Value());
        default:
            return RatioText(r);
    }
}

// Numbers of any numeric type: integers as "%d", rationals in the tag's rational format.
std::string NumbersText(const ExifField& f, Format format) {
    std::string out;
    const size_t n = std::min(f.Values(), kMaxShownValues);
    for (size_t i = 0; i < n; ++i) {
        if (f.IsRational()) {
            Join(out, RationalText(format, RatioAt(f, i)));
        } else if (f.IsInteger()) {
            Join(out, IntegerAt(f, i));
        } else if (f.type == kExifFloat || f.type == kExifDouble) {
            return std::string();
        }
    }
    return out;
}

std::string EnumText(const ExifField& f, const Enumeration& e) {
    if (!f.IsInteger() || f.Values() == 0) return std::string();
    const uint32_t value = f.Unsigned(0);
    const std::string items = e.items.empty() ? LoadString(kStrFlashList) : std::string(e.items);
    if (e.values == nullptr) {
        const std::string item = FieldItem(items, static_cast<int>(std::min<uint32_t>(value, 255)));
        if (!item.empty()) return item;
    } else {
        for (size_t i = 0; i < e.valueCount; ++i) {
            if (e.values[i] == value) return FieldItem(items, static_cast<int>(i));
        }
    }
    return e.fallback ? e.fallback : std::string();
}

std::string ComponentsText(const ExifField& f) {
    if (f.size < 3) return std::string();
    const uint8_t* p = f.data;
    if (p[0] == 1 && p[1] == 2 && p[2] == 3) return "YCbCr Format";
    if (p[0] == 4 && p[1] == 5 && p[2] == 6) return "RGB Format";
    return std::string();
}

std::string BlackWhiteText(const ExifField& f) {
    if (!f.IsRational() || f.Values() < 6) return std::string();
    std::string parts[6];
    for (size_t i = 0; i < 6; ++i)
        parts[i] = RatioText(RatioAt(f, i));
    return "(" + parts[0] + ", " + parts[1] + ", " + parts[2] + ")/(" + parts[3] + ", " + parts[4] +
           ", " + parts[5] + ") ";
}

// The character code in the first 8 bytes says how the comment is stored. Unicode comments are
// UCS-2 in the block's byte order.
std::string UserCommentText(const ExifField& f) {
    if (f.type != kExifAscii && f.type != kExifUndefined) {
        return NumbersText(f, Format::kRationalPlain);
    }
    if (f.size < 8) return std::string();
    static constexpr uint8_t kAscii[8] = {'A', 'S', 'C', 'I', 'I', 0, 0, 0};
    static constexpr uint8_t kUnicode[8] = {'U', 'N', 'I', 'C', 'O', 'D', 'E', 0};
    if (std::memcmp(f.data, kAscii, 8) == 0) {
        return ExifBytesToText(f.data + 8, f.size - 8, false);
    }
    if (std::memcmp(f.data, kUnicode, 8) == 0) {
        std::string out;
        for (size_t i = 8; i + 1 < f.size; i += 2) {
            const unsigned unit =
                f.bigEndian ? (f.data[i] << 8) | f.data[i + 1] : f.data[i] | (f.data[i + 1] << 8);
            if (unit == 0) break;
            // UCS-2 to UTF-8; surrogate halves are not characters on their own.
            if (unit >= 0xD800 && unit <= 0xDFFF) {
                out += '?';
            } else if (unit < 0x80) {
                out += static_cast<char>(unit);
            } else if (unit < 0x800) {
                out += static_cast<char>(0xC0 | (unit >> 6));
                out += static_cast<char>(0x80 | (unit & 0x3F));
            } else {
                out += static_cast<char>(0xE0 | (unit >> 12));
                out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (unit & 0x3F));
            }
        }
        return out;
    }
    return std::string();
}

std::string CfaPatternText(const ExifField& f) {
    static constexpr std::string_view kColours = "Red|Green|Blue|Cyan|Magenta|Yellow|White";
    if (f.size < 4) return std::string();
    std::string names;
    for (size_t i = 4; i < f.size && f.data[i] <= 6; ++i)
        Join(names, FieldItem(kColours, f.data[i]));
    return "(" + names + ")";
}

std::string FormatValue(const TagInfo& info, const ExifField& f) {
    switch (info.format) {
        case Format::kText:
            return ExifBytesToText(f.data, f.size, false);
        case Format::kTextChinese:
            return ExifBytesToText(f.data, f.size, true);
        case Format::kFourBytes:
            return ExifBytesToText(f.data, std::min<size_t>(f.size, 4), false);
        case Format::kNumbers:
        case Format::kRationalPlain:
        case Format::kExposureTime:
        case Format::kDecimal:
        case Format::kApexShutter:
        case Format::kApexAperture:
        case Format::kEv:
        case Format::kFNumber:
            return NumbersText(f, info.format);
        case Format::kEnum:
            return EnumText(f, *info.enumeration);
        case Format::kComponents:
            return ComponentsText(f);
        case Format::kBlackWhite:
            return BlackWhiteText(f);
        case Format::kUserComment:
            return UserCommentText(f);
        case Format::kFileSource:
            return (f.size >= 1 && f.data[0] == 3) ? "DSC" : "Unknown";
        case Format::kCfaPattern:
            return CfaPatternText(f);
        case Format::kFocalLength35:
            if (!f.IsInteger() || f.Values() == 0) return std::string();
            if (f.Unsigned(0) == 0) return "Unknown";
            return IntegerAt(f, 0) + " (mm)";
    }
    return std::string();
}

bool IsUtf8(const uint8_t* p, size_t n) {
    size_t i = 0;
    while (i < n) {
        const uint8_t c = p[i];
        size_t extra = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0 && c >= 0xC2) {
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
        } else if ((c & 0xF8) == 0xF0 && c <= 0xF4) {
            extra = 3;
        } else {
            return false;
        }
        if (i + extra >= n) return false;
        for (size_t k = 1; k <= extra; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return false;
        }
        i += extra + 1;
    }
    return true;
}

bool FromCodePage950(const uint8_t* p, size_t n, std::string& out) {
    iconv_t cd = iconv_open("UTF-8", "CP950");
    if (cd == reinterpret_cast<iconv_t>(-1)) cd = iconv_open("UTF-8", "BIG5");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string result(n * 4 + 4, '\0');
    char* in = const_cast<char*>(reinterpret_cast<const char*>(p));
    size_t inLeft = n;
    char* target = result.data();
    size_t outLeft = result.size();
    const size_t rc = iconv(cd, &in, &inLeft, &target, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || inLeft != 0) return false;
    result.resize(result.size() - outLeft);
    out = std::move(result);
    return true;
}

}  // namespace

uint32_t ExifTypeSize(uint16_t type) {
    switch (type) {
        case kExifByte:
        case kExifAscii:
        case kExifSByte:
        case kExifUndefined:
            return 1;
        case kExifShort:
        case kExifSShort:
            return 2;
        case kExifLong:
        case kExifSLong:
        case kExifFloat:
            return 4;
        case kExifRational:
        case kExifSRational:
        case kExifDouble:
            return 8;
        default:
            return 0;
    }
}

size_t ExifField::Values() const {
    const uint32_t unit = ExifTypeSize(type);
    if (unit == 0) return 0;
    return std::min<size_t>(count, size / unit);
}

bool ExifField::IsSigned() const {
    return type == kExifSByte || type == kExifSShort || type == kExifSLong ||
           type == kExifSRational;
}

bool ExifField::IsInteger() const {
    switch (type) {
        case kExifByte:
        case kExifShort:
        case kExifLong:
        case kExifSByte:
        case kExifSShort:
        case kExifSLong:
        case kExifUndefined:
            return true;
        default:
            return false;
    }
}

namespace {
uint32_t Read16(const uint8_t* p, bool big) {
    return big ? (uint32_t{p[0]} << 8) | p[1] : p[0] | (uint32_t{p[1]} << 8);
}
uint32_t Read32(const uint8_t* p, bool big) {
    return big ? (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3]
               : p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
}  // namespace

uint32_t ExifField::Unsigned(size_t index) const {
    if (index >= Values()) return 0;
    switch (ExifTypeSize(type)) {
        case 1:
            return data[index];
        case 2:
            return Read16(data + 2 * index, bigEndian);
        case 4:
            return Read32(data + 4 * index, bigEndian);
        default:
            return 0;
    }
}

int32_t ExifField::Signed(size_t index) const {
    const uint32_t v = Unsigned(index);
    switch (ExifTypeSize(type)) {
        case 1:
            return static_cast<int8_t>(v);
        case 2:
            return static_cast<int16_t>(v);
        default:
            return static_cast<int32_t>(v);
    }
}

uint32_t ExifField::Numerator(size_t index) const {
    return (IsRational() && index < Values()) ? Read32(data + 8 * index, bigEndian) : 0;
}

uint32_t ExifField::Denominator(size_t index) const {
    return (IsRational() && index < Values()) ? Read32(data + 8 * index + 4, bigEndian) : 0;
}

std::string ExifBytesToText(const uint8_t* data, size_t size, bool traditionalChinese) {
    const size_t n = std::find(data, data + size, uint8_t{0}) - data;
    if (IsUtf8(data, n)) return std::string(reinterpret_cast<const char*>(data), n);
    std::string out;
    if (traditionalChinese && FromCodePage950(data, n, out)) return out;
    out.reserve(n * 2);
    for (size_t i = 0; i < n; ++i) {
        const uint8_t c = data[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::optional<ExifTagText> FormatExifField(const ExifField& field) {
    const TagInfo* info = FindTag(field.tag);
    if (info == nullptr) return std::nullopt;
    std::string value = FormatValue(*info, field);
    if (value.empty()) return std::nullopt;
    if (info->unit != nullptr && info->format != Format::kFocalLength35) {
        value += " (";
        value += info->unit;
        value += ")";
    }
    return ExifTagText{info->name, std::move(value)};
}

}  // namespace xelo
