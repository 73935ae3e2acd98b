// Reordering by the five keys, reversing, moving the selection and hiding slides.
#include "album/Ordering.h"

#include <gtest/gtest.h>

#include "album/AlbumFixture.h"
#include "album/TavoDoc.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

using Names = std::vector<std::string>;

using test::NamesOf;

// A folder of small BMP files opened in a document.
class Album : public testing::Test {
  protected:
    void Open(const Names& names) {
        for (const std::string& n : names)
            test::WriteImage(Folder(), n);
        doc.OpenFolder(Folder());
    }
    std::string Folder() const { return dir.Path().string(); }
    std::string File(const std::string& name) const { return dir.File(name); }

    test::TempDir dir;
    CTavoDoc doc;
};

struct SlideCase {
    const char* name;
    const char* prefix;
    uint32_t number;
};

TEST(SlideName, DigitsBeforeTheLastDotAreTheSlideNumber) {
    const SlideCase cases[] = {{"Slide10.jpg", "Slide", 10},
                               {"Slide.jpg", "Slide", ~0u},
                               {"7", "", 7},
                               {"a1b2.c3.gif", "a1b2.c", 3},
                               {"x99999999999.bmp", "x", 0x7FFFFFFF},  // past a signed long
                               {"Slide007.jpg", "Slide", 7},
                               {".jpg", "", ~0u}};
    for (const SlideCase& c : cases) {
        const SlideKey key = SplitSlideName(c.name);
        EXPECT_EQ(key.prefix, c.prefix) << c.name;
        EXPECT_EQ(key.number, c.number) << c.name;
    }
}

TEST_F(Album, PowerPointSlidesSortNumbersByValueAndUnnumberedLast) {
    Open({"Slide10.bmp", "Slide2.bmp", "Slide.bmp", "Slide1.bmp", "Slide3.bmp", "Other.bmp"});
    ASSERT_TRUE(Reorder(doc, kReorderSlides));
    EXPECT_EQ(NamesOf(doc), (Names{"Other.bmp", "Slide1.bmp", "Slide2.bmp", "Slide3.bmp",
                                   "Slide10.bmp", "Slide.bmp"}));
    ASSERT_TRUE(Reorder(doc, kReorderName));
    EXPECT_EQ(NamesOf(doc), (Names{"Other.bmp", "Slide.bmp", "Slide1.bmp", "Slide10.bmp",
                                   "Slide2.bmp", "Slide3.bmp"}));
}

TEST_F(Album, NameSortIgnoresCaseAndEqualNamesStillGetAFixedOrder) {
    Open({"b.bmp", "A.bmp", "a.bmp", "C.bmp"});
    ASSERT_TRUE(Reorder(doc, kReorderName));
    EXPECT_EQ(NamesOf(doc), (Names{"A.bmp", "a.bmp", "b.bmp", "C.bmp"}));
}

TEST_F(Album, DateSortComparesWholeSecondsThenNames) {
    Open({"late.bmp", "b-same.bmp", "a-same.bmp", "early.bmp"});
    test::SetWriteTime(File("early.bmp"), 1000000000, 900000000);
    test::SetWriteTime(File("a-same.bmp"), 1000000005, 900000000);
    test::SetWriteTime(File("b-same.bmp"), 1000000005, 100000000);  // same second, earlier ms
    test::SetWriteTime(File("late.bmp"), 1000000006, 0);
    doc.OpenFolder(Folder());
    ASSERT_TRUE(Reorder(doc, kReorderDate));
    EXPECT_EQ(NamesOf(doc), (Names{"early.bmp", "a-same.bmp", "b-same.bmp", "late.bmp"}));
}

TEST_F(Album, MovingTheSelectionKeepsItsOrderBeforeTheInsertionPoint) {
    Open({"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp"});
    ASSERT_TRUE(Reorder(doc, kReorderName));
    doc.SelectByName("b.bmp", true);
    doc.SelectByName("d.bmp", true);
    ASSERT_TRUE(MoveSelected(doc, 5));
    EXPECT_EQ(NamesOf(doc), (Names{"a.bmp", "c.bmp", "e.bmp", "b.bmp", "d.bmp"}));
    ASSERT_TRUE(MoveSelected(doc, 0));
    EXPECT_EQ(NamesOf(doc), (Names{"b.bmp", "d.bmp", "a.bmp", "c.bmp", "e.bmp"}));
    ASSERT_TRUE(MoveSelected(doc, 3));  // before c.bmp
    EXPECT_EQ(NamesOf(doc), (Names{"a.bmp", "b.bmp", "d.bmp", "c.bmp", "e.bmp"}));
    doc.ClearSelection();
    EXPECT_FALSE(MoveSelected(doc, 0));
}

TEST(ReorderDialog, FirstUpDownLastMoveOneRowAndStopAtTheEnds) {
    CImageEntry* const a = reinterpret_cast<CImageEntry*>(0x10);
    CImageEntry* const b = reinterpret_cast<CImageEntry*>(0x20);
    CImageEntry* const c = reinterpret_cast<CImageEntry*>(0x30);
    std::vector<CImageEntry*> order{a, b, c};
    EXPECT_EQ(MoveUp(order, 0), 0);
    EXPECT_EQ(MoveDown(order, 2), 2);
    EXPECT_EQ(order, (std::vector<CImageEntry*>{a, b, c}));
    EXPECT_EQ(MoveToFirst(order, 2), 0);
    EXPECT_EQ(order, (std::vector<CImageEntry*>{c, a, b}));
    EXPECT_EQ(MoveToLast(order, 0), 2);
    EXPECT_EQ(order, (std::vector<CImageEntry*>{a, b, c}));
    EXPECT_EQ(MoveDown(order, 0), 1);
    EXPECT_EQ(order, (std::vector<CImageEntry*>{b, a, c}));
    EXPECT_EQ(MoveUp(order, 2), 1);
    EXPECT_EQ(order, (std::vector<CImageEntry*>{b, c, a}));
}

TEST_F(Album, HideAndShowSlideActOnTheSelection) {
    Open({"a.bmp", "b.bmp", "c.bmp"});
    doc.SelectByName("a.bmp", true);
    doc.SelectByName("c.bmp", true);
    EXPECT_EQ(SetSelectedHidden(doc, true), 2);
    EXPECT_TRUE(doc.FindByName("a.bmp")->Has(kEntryHidden));
    EXPECT_FALSE(doc.FindByName("b.bmp")->Has(kEntryHidden));
    doc.SelectByName("a.bmp", false);
    EXPECT_EQ(SetSelectedHidden(doc, false), 1);
    EXPECT_TRUE(doc.FindByName("a.bmp")->Has(kEntryHidden));
    EXPECT_FALSE(doc.FindByName("c.bmp")->Has(kEntryHidden));
}

}  // namespace
}  // namespace xelo
