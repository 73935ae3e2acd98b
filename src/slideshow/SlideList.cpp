#include "slideshow/SlideList.h"

#include <algorithm>

#include "album/FolderEnum.h"
#include "album/TavoDoc.h"

namespace xelo {

std::vector<SlideItem> VisibleSlides(const CTavoDoc& doc, std::vector<int>* albumIndex) {
    std::vector<SlideItem> slides;
    if (albumIndex) albumIndex->clear();
    const std::string& folder = doc.CurrentFolder();
    for (int i = 0; i < doc.Count(); ++i) {
        const CImageEntry* entry = doc.EntryAt(i);
        if (entry == nullptr || entry->Has(kEntryHidden)) continue;
        SlideItem item;
        item.name = entry->Name();
        item.path = JoinPath(folder, item.name);
        item.width = entry->Header().width;
        item.height = entry->Header().height;
        item.frames = std::max(1, entry->Header().frameCount);
        slides.push_back(std::move(item));
        if (albumIndex) albumIndex->push_back(i);
    }
    return slides;
}

bool HasVisibleSlides(const CTavoDoc& doc) {
    for (int i = 0; i < doc.Count(); ++i) {
        const CImageEntry* entry = doc.EntryAt(i);
        if (entry != nullptr && !entry->Has(kEntryHidden)) return true;
    }
    return false;
}

std::vector<int> BuildPlayOrder(int count, bool random, std::mt19937& rng) {
    std::vector<int> order(static_cast<size_t>(std::max(0, count)), -1);
    for (int slide = 0; slide < count; ++slide) {
        if (!random) {
            order[static_cast<size_t>(slide)] = slide;
            continue;
        }
        const int k = std::uniform_int_distribution<int>(0, count - 1)(rng);
        int place = k;
        while (place < count && order[static_cast<size_t>(place)] != -1)
            ++place;
        if (place == count) {
            place = 0;
            while (order[static_cast<size_t>(place)] != -1)
                ++place;
        }
        order[static_cast<size_t>(place)] = slide;
    }
    return order;
}

}  // namespace xelo
