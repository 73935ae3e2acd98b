// The reorder comparisons and the operations that rebuild the list from a sorted array.
#include "album/Ordering.h"

#include <algorithm>
#include <cstring>

#include "album/TavoDoc.h"

namespace xelo {

namespace {

// Names are read into a buffer of this many characters (terminator included) before splitting.
constexpr size_t kSlideNameBuffer = 1024;
// Digit runs past the largest signed 32-bit value are taken as that value.
constexpr uint32_t kMaxSlideNumber = 0x7FFFFFFF;

template <typename T>
int Sign(T a, T b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

// Names that fold to the same text still get a fixed order, so the list does not shuffle
// between sorts on a case-sensitive file system.
// It is also the order a folder is scanned in.
int Names(const CImageEntry& a, const CImageEntry& b) {
    return CompareFileNames(a.Name(), b.Name());
}

// Whole seconds since 1970 (UTC): equal seconds are equal calendar fields down to the second,
// and the calendar order is the order of the seconds.
int64_t WholeSeconds(int64_t nanoseconds) {
    int64_t s = nanoseconds / 1'000'000'000;
    if (nanoseconds % 1'000'000'000 < 0) --s;
    return s;
}

using Compare = int (*)(const CImageEntry&, const CImageEntry&);

Compare ComparisonFor(int command) {
    switch (command) {
        case kReorderName:
            return CompareByName;
        case kReorderDate:
            return CompareByDate;
        case kReorderSize:
            return CompareBySize;
        case kReorderType:
            return CompareByType;
        case kReorderSlides:
            return CompareBySlides;
        default:
            return nullptr;
    }
}

}  // namespace

int CompareByName(const CImageEntry& a, const CImageEntry& b) {
    return Names(a, b);
}

int CompareByDate(const CImageEntry& a, const CImageEntry& b) {
    const int byTime = Sign(WholeSeconds(a.WriteTime()), WholeSeconds(b.WriteTime()));
    return byTime != 0 ? byTime : Names(a, b);
}

int CompareBySize(const CImageEntry& a, const CImageEntry& b) {
    const int bySize = Sign(a.Size(), b.Size());
    return bySize != 0 ? bySize : Names(a, b);
}

int CompareByType(const CImageEntry& a, const CImageEntry& b) {
    const int byType = Sign(a.Type(), b.Type());
    return byType != 0 ? byType : Names(a, b);
}

SlideKey SplitSlideName(const std::string& name) {
    std::string text = name.substr(0, kSlideNameBuffer - 1);
    if (const size_t dot = text.rfind('.'); dot != std::string::npos) text.resize(dot);
    size_t start = text.size();
    while (start > 0 && text[start - 1] >= '0' && text[start - 1] <= '9')
        --start;
    SlideKey key;
    if (start < text.size()) {
        uint64_t value = 0;
        for (size_t i = start; i < text.size(); ++i) {
            value = std::min<uint64_t>(value * 10 + uint64_t(text[i] - '0'), kMaxSlideNumber);
        }
        key.number = static_cast<uint32_t>(value);
    }
    text.resize(start);
    key.prefix = std::move(text);
    return key;
}

int CompareBySlides(const CImageEntry& a, const CImageEntry& b) {
    const int byType = Sign(static_cast<uint32_t>(a.Type()), static_cast<uint32_t>(b.Type()));
    if (byType != 0) return byType;
    const SlideKey ka = SplitSlideName(a.Name());
    const SlideKey kb = SplitSlideName(b.Name());
    if (const int byPrefix = CompareNames(ka.prefix, kb.prefix); byPrefix != 0) return byPrefix;
    const int byNumber = Sign(ka.number, kb.number);
    return byNumber != 0 ? byNumber : Names(a, b);
}

bool Reorder(CTavoDoc& doc, int command) {
    const Compare compare = ComparisonFor(command);
    if (!compare && command != kReorderReverse) return false;
    if (doc.Count() < 2) return true;
    std::vector<CImageEntry*> order = doc.Order();
    if (compare) {
        std::sort(
            order.begin(), order.end(),
            [compare](const CImageEntry* a, const CImageEntry* b) { return compare(*a, *b) < 0; });
    } else {
        std::reverse(order.begin(), order.end());
    }
    doc.SetOrder(order);
    doc.UpdateViews(kHintOrderChanged);
    return true;
}

bool MoveSelected(CTavoDoc& doc, int insertIndex) {
    const std::vector<CImageEntry*> order = doc.Order();
    insertIndex = std::clamp(insertIndex, 0, static_cast<int>(order.size()));
    std::vector<CImageEntry*> moved;
    std::vector<CImageEntry*> before;
    std::vector<CImageEntry*> after;
    for (size_t i = 0; i < order.size(); ++i) {
        if (order[i]->Has(kEntrySelected)) {
            moved.push_back(order[i]);
        } else {
            (static_cast<int>(i) < insertIndex ? before : after).push_back(order[i]);
        }
    }
    if (moved.empty()) return false;
    before.insert(before.end(), moved.begin(), moved.end());
    before.insert(before.end(), after.begin(), after.end());
    doc.SetOrder(before);
    doc.UpdateViews(kHintOrderChanged);
    return true;
}

int MoveToFirst(std::vector<CImageEntry*>& order, int row) {
    if (row <= 0 || row >= static_cast<int>(order.size())) return row;
    std::rotate(order.begin(), order.begin() + row, order.begin() + row + 1);
    return 0;
}

int MoveUp(std::vector<CImageEntry*>& order, int row) {
    if (row <= 0 || row >= static_cast<int>(order.size())) return row;
    std::swap(order[size_t(row) - 1], order[size_t(row)]);
    return row - 1;
}

int MoveDown(std::vector<CImageEntry*>& order, int row) {
    if (row < 0 || row + 1 >= static_cast<int>(order.size())) return row;
    std::swap(order[size_t(row)], order[size_t(row) + 1]);
    return row + 1;
}

int MoveToLast(std::vector<CImageEntry*>& order, int row) {
    const int last = static_cast<int>(order.size()) - 1;
    if (row < 0 || row >= last) return row;
    std::rotate(order.begin() + row, order.begin() + row + 1, order.end());
    return last;
}

int SetSelectedHidden(CTavoDoc& doc, bool hidden) {
    const std::vector<int> selected = doc.SelectedIndices();
    for (int index : selected)
        doc.EntryAt(index)->SetFlag(kEntryHidden, hidden);
    if (!selected.empty()) doc.UpdateViews(kHintEntriesChanged);
    return static_cast<int>(selected.size());
}

}  // namespace xelo
