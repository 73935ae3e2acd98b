// CImageEntry: one image file of the current folder with its file facts, header facts and flags.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "album/FolderEnum.h"
#include "codec/ExifReader.h"
#include "image/DibImage.h"

namespace xelo {

// Bits of an entry's flag word.
enum ImageEntryFlags : uint32_t {
    kEntryFileFacts = 0x1,
    kEntryHeader = 0x2,  // format code and dimensions are valid
    kEntryThumbnail = 0x4,
    kEntryCachedImage = 0x8,
    kEntryHasText = 0x10,
    kEntryHasAudio = 0x20,
    kEntryHasInk = 0x40,
    kEntryReadOnly = 0x80,
    kEntryInRom = 0x100,
    kEntryHidden = 0x400,  // hidden slide: skipped by slide shows, kept in the album file
    kEntrySelected = 0x1000,
    kEntryKeepImages = 0x2000,        // exempt from memory release
    kEntryAnnotationsKnown = 0x4000,  // 0x10/0x20/0x40 are up to date
    kEntryCachedData = 0x8000,
    kEntryMetadata = 0x10000,
};

constexpr uint32_t kEntryAnnotationBits = kEntryHasText | kEntryHasAudio | kEntryHasInk;

// Colour count shown as "Grayscale".
constexpr uint32_t kGreyColourCount = 257;

// The header facts kept for the views.
struct EntryHeader {
    int32_t format = 0;  // 0 when not known
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    uint32_t colourCount = 0;  // 2^bits, or 257 for greyscale
    int32_t frameCount = 0;
    int32_t loopCount = 1;
    int32_t xResolution = -1;
    int32_t yResolution = -1;
    uint32_t background = 0xFFFFFFFF;
};

class CImageEntry {
  public:
    // Takes the file facts and reads the header of folder/name; a file holding no image raises
    // 46130, an unreadable one its error.
    CImageEntry(const FindData& data, const std::string& folder);
    virtual ~CImageEntry() = default;
    CImageEntry(const CImageEntry&) = delete;
    CImageEntry& operator=(const CImageEntry&) = delete;

    // Takes new file facts and re-reads the header; the view flags (selection, hidden) stay.
    void Refill(const FindData& data, const std::string& folder);

    const std::string& Name() const { return name_; }
    uint64_t Size() const { return size_; }
    int64_t WriteTime() const { return writeTime_; }
    uint32_t Flags() const { return flags_; }
    bool Has(uint32_t flag) const { return (flags_ & flag) != 0; }
    void SetFlag(uint32_t flag, bool on) { flags_ = on ? (flags_ | flag) : (flags_ & ~flag); }
    const EntryHeader& Header() const { return header_; }
    // The format code when the header was read, else 0.
    int32_t Type() const { return Has(kEntryHeader) ? header_.format : 0; }

    // The annotation bits (0x10 text, 0x20 audio, 0x40 ink); the three files are looked for once
    // and the answer kept until ForgetAnnotations.
    uint32_t Annotations(const std::string& folder);
    void ForgetAnnotations() { SetFlag(kEntryAnnotationsKnown | kEntryAnnotationBits, false); }
    // Whether the annotation files that exist now differ from the cached bits.
    bool AnnotationsChanged(const std::string& folder) const;
    // folder/name + "." + extension ("txt", "wav" or "ink").
    std::string AnnotationPath(const std::string& folder, const char* extension) const;

    // The Exif records of the file, read on first demand. Null when the file has none or they
    // could not be read; a failed read is not tried again until the file changes.
    const ExifRecords* Metadata(const std::string& folder);
    // Frees the records (memory recovery); the next demand reads them again.
    void ReleaseMetadata();
    // The thumbnail (at most 96 × 72), valid while kEntryThumbnail is set; made and released by
    // the browsing views.
    CDibImage thumbnail;

    // Owned by the views.
    uint32_t reserved = 0;
    uint16_t viewValues[2] = {0, 0};

  private:
    void TakeFacts(const FindData& data);
    void ReadHeader(const std::string& folder);
    uint32_t ProbeAnnotations(const std::string& folder) const;

    std::string name_;
    uint64_t size_ = 0;
    int64_t writeTime_ = 0;
    uint32_t flags_ = 0;
    EntryHeader header_;
    std::unique_ptr<ExifRecords> metadata_;
    bool metadataTried_ = false;
};

}  // namespace xelo
