// Thumbnail production, release and memory recovery.
#include "views/Thumbnail.h"

#include "album/TavoDoc.h"
#include "codec/ImageFile.h"
#include "image/ErrorCodes.h"
#include "image/TavoException.h"
#include "views/ThumbnailCache.h"

namespace xelo {

namespace {

constexpr uint32_t kReleasedFlags =
    kEntryThumbnail | kEntryCachedImage | kEntryCachedData | kEntryMetadata;
constexpr uint32_t kHeldImages =
    kEntryThumbnail | kEntryCachedImage | kEntryCachedData | kEntryMetadata;

}  // namespace

ThumbnailDecoder DefaultThumbnailDecoder() {
    return [](const std::string& path, CDibImage& image) {
        CImageFile file;
        file.ReadThumbnail(path, image, kThumbnailMaxWidth, kThumbnailMaxHeight);
    };
}

ThumbnailDecoder CachingThumbnailDecoder(std::shared_ptr<const ThumbnailCache> cache) {
    return [cache = std::move(cache)](const std::string& path, CDibImage& image) {
        cache->Get(path, ThumbnailFolder::kNormal, image);
        ReduceToFit(image, kThumbnailMaxWidth, kThumbnailMaxHeight);
    };
}

void LoadThumbnail(const std::string& folder, CImageEntry& entry, const ThumbnailDecoder& decoder) {
    if (entry.Has(kEntryThumbnail)) return;
    entry.thumbnail.Release();
    decoder(JoinPath(folder, entry.Name()), entry.thumbnail);
    if (entry.thumbnail.IsEmpty()) return;
    entry.SetFlag(kEntryThumbnail, true);
}

void ReleaseImages(CImageEntry& entry) {
    entry.thumbnail.Release();
    entry.ReleaseMetadata();
    entry.SetFlag(kReleasedFlags, false);
    entry.viewValues[0] = 100;
    entry.viewValues[1] = 100;
}

bool FreeImageMemory(CTavoDoc& doc, bool all) {
    bool released = false;
    for (int i = 0; i < doc.Count(); ++i) {
        CImageEntry* entry = doc.EntryAt(i);
        if ((entry->Flags() & kHeldImages) == 0 || entry->Has(kEntryKeepImages)) continue;
        ReleaseImages(*entry);
        released = true;
        if (!all) break;
    }
    return released;
}

bool LoadThumbnailRecovering(CTavoDoc& doc, CImageEntry& entry, const ThumbnailDecoder& decoder) {
    for (;;) {
        try {
            LoadThumbnail(doc.CurrentFolder(), entry, decoder);
            return entry.Has(kEntryThumbnail);
        } catch (const CTavoException& e) {
            const uint32_t code = e.GetCode();
            if (code != kErrNoMemory && code != kErrNoResources) return false;
            if (!FreeImageMemory(doc, false)) return false;
        } catch (const std::bad_alloc&) {
            if (!FreeImageMemory(doc, false)) return false;
        }
    }
}

}  // namespace xelo
