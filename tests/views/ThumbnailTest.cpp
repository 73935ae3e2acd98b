#include "views/Thumbnail.h"

#include <gtest/gtest.h>

#include "album/AlbumFixture.h"
#include "album/TavoDoc.h"
#include "image/DibImage.h"
#include "image/ErrorCodes.h"
#include "image/TavoException.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

class ThumbnailTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
            test::WriteImage(dir_.Path().string(), name, 200, 100);
        doc_.OpenFolder(dir_.Path().string());
        ASSERT_EQ(doc_.Count(), 3);
    }

    // A decoder that gives a 2 × 2 image, or fails with `code` while failures remain.
    ThumbnailDecoder Failing(int* failures, uint32_t code) {
        return [failures, code](const std::string&, CDibImage& image) {
            if (*failures > 0) {
                --*failures;
                throw CTavoException(code);
            }
            image.Create(2, 2, 3, false);
        };
    }

    test::TempDir dir_;
    CTavoDoc doc_;
};

TEST_F(ThumbnailTest, MadeOnceFromTheFileAndFittedInto96By72) {
    CImageEntry& entry = *doc_.EntryAt(0);
    LoadThumbnail(doc_.CurrentFolder(), entry);
    ASSERT_TRUE(entry.Has(kEntryThumbnail));
    EXPECT_EQ(entry.thumbnail.Width(), 96);
    EXPECT_EQ(entry.thumbnail.Height(), 48);
    // Present: the decoder is not asked again.
    int calls = 0;
    LoadThumbnail(doc_.CurrentFolder(), entry,
                  [&calls](const std::string&, CDibImage&) { ++calls; });
    EXPECT_EQ(calls, 0);
    // A failed decode leaves the flag clear.
    int failures = 1;
    CImageEntry& other = *doc_.EntryAt(1);
    EXPECT_THROW(LoadThumbnail(doc_.CurrentFolder(), other, Failing(&failures, kErrNoImages)),
                 CTavoException);
    EXPECT_FALSE(other.Has(kEntryThumbnail));
    EXPECT_TRUE(other.thumbnail.IsEmpty());
}

TEST_F(ThumbnailTest, FreeImageMemoryTakesTheFirstHolderAndSkipsExemptEntries) {
    for (int i = 0; i < 3; ++i)
        LoadThumbnail(doc_.CurrentFolder(), *doc_.EntryAt(i));
    doc_.EntryAt(0)->SetFlag(kEntryKeepImages, true);
    EXPECT_TRUE(FreeImageMemory(doc_, false));
    EXPECT_TRUE(doc_.EntryAt(0)->Has(kEntryThumbnail));   // exempt
    EXPECT_FALSE(doc_.EntryAt(1)->Has(kEntryThumbnail));  // the first one released
    EXPECT_TRUE(doc_.EntryAt(2)->Has(kEntryThumbnail));
    EXPECT_TRUE(FreeImageMemory(doc_, true));
    EXPECT_FALSE(doc_.EntryAt(2)->Has(kEntryThumbnail));
    EXPECT_FALSE(FreeImageMemory(doc_, true));  // nothing left but the exempt entry
}

TEST_F(ThumbnailTest, OutOfMemoryFreesImagesAndTriesAgain) {
    LoadThumbnail(doc_.CurrentFolder(), *doc_.EntryAt(0));
    LoadThumbnail(doc_.CurrentFolder(), *doc_.EntryAt(1));
    int failures = 2;
    EXPECT_TRUE(LoadThumbnailRecovering(doc_, *doc_.EntryAt(2), Failing(&failures, kErrNoMemory)));
    EXPECT_TRUE(doc_.EntryAt(2)->Has(kEntryThumbnail));
    EXPECT_FALSE(doc_.EntryAt(0)->Has(kEntryThumbnail));  // released for the retries
    EXPECT_FALSE(doc_.EntryAt(1)->Has(kEntryThumbnail));
}

TEST_F(ThumbnailTest, RecoveryStopsWhenNothingIsLeftOrTheErrorIsAnother) {
    int failures = 100;
    EXPECT_FALSE(
        LoadThumbnailRecovering(doc_, *doc_.EntryAt(0), Failing(&failures, kErrNoResources)));
    EXPECT_EQ(failures, 99);  // nothing to free: one attempt only
    LoadThumbnail(doc_.CurrentFolder(), *doc_.EntryAt(1));
    failures = 100;
    EXPECT_FALSE(LoadThumbnailRecovering(doc_, *doc_.EntryAt(0), Failing(&failures, kErrNoImages)));
    EXPECT_EQ(failures, 99);
    EXPECT_TRUE(doc_.EntryAt(1)->Has(kEntryThumbnail));  // another error frees nothing
}

}  // namespace
}  // namespace xelo
