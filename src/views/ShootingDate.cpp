// Reads the three date tags from the Exif block.
#include "views/ShootingDate.h"

#include "codec/ExifReader.h"
#include "image/TavoException.h"

namespace xelo {

namespace {

constexpr uint32_t kDateTimeOriginal = 0x9003;
constexpr uint32_t kDateTimeDigitized = 0x9004;
constexpr uint32_t kDateTime = 0x0132;

}  // namespace

std::string ReadShootingDate(const std::string& path) {
    ExifRecords records;
    try {
        if (!CExifReader().ReadAll(path, records)) return std::string();
    } catch (const CTavoException&) {
        return std::string();  // a damaged block shows no date, as a file without one
    }
    for (uint32_t tag : {kDateTimeOriginal, kDateTimeDigitized, kDateTime}) {
        for (const ExifRecord& r : records) {
            if (r.tag == tag && !r.value.empty()) return r.value;
        }
    }
    return std::string();
}

}  // namespace xelo
