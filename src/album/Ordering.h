// Reordering the album (by name, date, size, type, numbered slides, reversed, by hand) and the
// hidden-slide marks of the selection.
#pragma once

#include <vector>

#include "album/ImageEntry.h"

namespace xelo {

class CTavoDoc;

// The "Reorder by" commands.
enum ReorderCommand : int {
    kReorderName = 30401,
    kReorderDate = 30402,
    kReorderSize = 30403,
    kReorderType = 30404,
    kReorderSlides = 30405,
    kReorderUser = 30406,
    kReorderReverse = 30407,
};
enum SlideCommand : int {
    kHideSlide = 30206,
    kShowSlide = 30207,
};

// The comparisons: negative, zero or positive for a against b. Every one ends in the names.
int CompareByName(const CImageEntry& a, const CImageEntry& b);
int CompareByDate(const CImageEntry& a, const CImageEntry& b);
int CompareBySize(const CImageEntry& a, const CImageEntry& b);
int CompareByType(const CImageEntry& a, const CImageEntry& b);
int CompareBySlides(const CImageEntry& a, const CImageEntry& b);

// The parts of a numbered slide name: the text before the digits that end right before the last
// "." (the whole name when it has none), and their value, 0xFFFFFFFF when there are none.
struct SlideKey {
    std::string prefix;
    uint32_t number = 0xFFFFFFFF;
};
SlideKey SplitSlideName(const std::string& name);

// Sorts (30401..30405) or reverses (30407) the document's list and tells the views (hint 1).
// With fewer than two entries nothing happens. False for any other command.
bool Reorder(CTavoDoc& doc, int command);

// Moves the selected entries, in their order, so that they stand before the entry that was at
// `insertIndex` (Count() = to the end). Returns false when nothing is selected.
bool MoveSelected(CTavoDoc& doc, int insertIndex);

// The steps of the "Reorder" dialog on its working array; each returns the row to select.
int MoveToFirst(std::vector<CImageEntry*>& order, int row);
int MoveUp(std::vector<CImageEntry*>& order, int row);
int MoveDown(std::vector<CImageEntry*>& order, int row);
int MoveToLast(std::vector<CImageEntry*>& order, int row);

// Hide Slide / Show Slide on the selected entries; returns how many were selected.
int SetSelectedHidden(CTavoDoc& doc, bool hidden);

}  // namespace xelo
