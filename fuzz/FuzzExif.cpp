// Fuzz target: the Exif reader (all records, and the embedded thumbnail's position).
#include <cstddef>
#include <cstdint>

#include "codec/ExifReader.h"
#include "image/TavoException.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace xelo;
    try {
        ExifRecords records;
        CExifReader().ReadAll(data, size, records);
    } catch (const CTavoException&) {
    }
    try {
        const auto thumbnail = CExifReader().FindThumbnail(data, size);
        if (thumbnail && (uint64_t{thumbnail->offset} + thumbnail->length > size ||
                          data[thumbnail->offset] != 0xFF)) {
            __builtin_trap();
        }
    } catch (const CTavoException&) {
    }
    return 0;
}
