// An image entry: file facts from the enumeration, header facts from the codec framework.
#include "album/ImageEntry.h"

#include <unistd.h>

#include "album/AlbumOrigin.h"
#include "codec/ImageFile.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 101;

struct AnnotationKind {
    const char* extension;
    uint32_t flag;
};
constexpr AnnotationKind kAnnotations[] = {
    {"txt", kEntryHasText}, {"wav", kEntryHasAudio}, {"ink", kEntryHasInk}};
}  // namespace

CImageEntry::CImageEntry(const FindData& data, const std::string& folder) {
    TakeFacts(data);
    ReadHeader(folder);
}

void CImageEntry::Refill(const FindData& data, const std::string& folder) {
    SetFlag(kEntryHeader | kEntryThumbnail | kEntryCachedImage | kEntryCachedData | kEntryMetadata |
                kEntryReadOnly | kEntryInRom,
            false);
    ForgetAnnotations();
    ReleaseMetadata();
    TakeFacts(data);
    ReadHeader(folder);
}

const ExifRecords* CImageEntry::Metadata(const std::string& folder) {
    if (metadata_ || metadataTried_) return metadata_.get();
    metadataTried_ = true;
    try {
        auto records = std::make_unique<ExifRecords>();
        if (CExifReader().ReadAll(JoinPath(folder, name_), *records) && !records->empty()) {
            metadata_ = std::move(records);
            SetFlag(kEntryMetadata, true);
        }
    } catch (const CTavoException&) {
        // A damaged or unreadable block leaves the entry without metadata.
    } catch (const std::bad_alloc&) {
    }
    return metadata_.get();
}

void CImageEntry::ReleaseMetadata() {
    metadata_.reset();
    metadataTried_ = false;
    SetFlag(kEntryMetadata, false);
}

void CImageEntry::TakeFacts(const FindData& data) {
    name_ = data.name;
    size_ = data.size;
    writeTime_ = data.writeTime;
    SetFlag(kEntryReadOnly, data.readOnly);
    SetFlag(kEntryInRom, data.inRom);
    SetFlag(kEntryFileFacts, true);
}

void CImageEntry::ReadHeader(const std::string& folder) {
    ImageInfo info;
    CImageFile file;
    file.ReadInfo(JoinPath(folder, name_), info);
    if (info.frameCount <= 0) ThrowError(kErrNoImages, {kComponentAlbum, kUnit, __LINE__});
    header_.format = info.format;
    header_.width = info.width;
    header_.height = info.height;
    header_.bitsPerPixel = info.bitsPerPixel;
    if (info.grey) {
        header_.colourCount = kGreyColourCount;
    } else if (info.bitsPerPixel >= 0 && info.bitsPerPixel < 32) {
        header_.colourCount = uint32_t{1} << info.bitsPerPixel;
    } else {
        header_.colourCount = 0xFFFFFFFF;
    }
    header_.frameCount = info.frameCount;
    header_.loopCount = info.loopCount;
    header_.xResolution = info.xResolution;
    header_.yResolution = info.yResolution;
    header_.background = info.background;
    SetFlag(kEntryHeader, true);
}

std::string CImageEntry::AnnotationPath(const std::string& folder, const char* extension) const {
    return JoinPath(folder, name_) + "." + extension;
}

uint32_t CImageEntry::ProbeAnnotations(const std::string& folder) const {
    uint32_t bits = 0;
    for (const AnnotationKind& kind : kAnnotations) {
        if (::access(AnnotationPath(folder, kind.extension).c_str(), F_OK) == 0) bits |= kind.flag;
    }
    return bits;
}

uint32_t CImageEntry::Annotations(const std::string& folder) {
    if (!Has(kEntryAnnotationsKnown)) {
        flags_ =
            (flags_ & ~kEntryAnnotationBits) | ProbeAnnotations(folder) | kEntryAnnotationsKnown;
    }
    return flags_ & kEntryAnnotationBits;
}

bool CImageEntry::AnnotationsChanged(const std::string& folder) const {
    return Has(kEntryAnnotationsKnown) &&
           ProbeAnnotations(folder) != (flags_ & kEntryAnnotationBits);
}

}  // namespace xelo
