// Thumbnails in the window: made in the background for the whole folder, kept in the shared
// folders, and never shown stale after the file changed.
#include <sys/stat.h>
#include <QtTest>

#include "album/AlbumFixture.h"
#include "codec/BmpWriter.h"
#include "gui/GuiFixture.h"
#include "views/TavoView.h"
#include "views/ThumbnailCache.h"

namespace xelo {

class ThumbnailLoadingTest : public QObject {
    Q_OBJECT

  private slots:
    void restOfTheFolderIsMadeAndStored() {
        test::GuiFixture f(60);
        CTavoDoc& doc = f.Doc();
        QVERIFY(f.View().Layout().rows * f.View().Layout().columns < doc.Count());
        QTRY_VERIFY_WITH_TIMEOUT(doc.EntryAt(doc.Count() - 1)->Has(kEntryThumbnail), 20000);
        const ThumbnailCache cache(ThumbnailCache::DefaultRoot());
        const std::string uri = ThumbnailCache::FileUri(JoinPath(f.Folder(), "img60.bmp"));
        struct stat st;
        QCOMPARE(::stat(cache.PicturePath(uri, ThumbnailFolder::kNormal).c_str(), &st), 0);
    }

    void changedFileShowsItsNewPicture() {
        test::GuiFixture f;
        f.MakeImages(2);
        const std::string path = JoinPath(f.Folder(), "img01.bmp");
        test::SetWriteTime(path, 1600000000, 100);
        f.Start();
        CImageEntry* entry = f.Doc().FindByName("img01.bmp");
        QVERIFY(entry != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(entry->Has(kEntryThumbnail), 10000);
        QCOMPARE(entry->thumbnail.Row(5)[15], 0);
        // Same size, same second: only the nanoseconds of the time differ.
        CDibImage blue;
        blue.Create(64, 48, 3, false);
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 64; ++x)
                blue.Row(y)[3 * x] = 200;
        }
        WriteBmp(path, blue, 100, Resolution{});
        test::SetWriteTime(path, 1600000000, 900);
        f.Doc().Scan(true);
        f.Doc().UpdateViews(kHintEntriesChanged);
        QTRY_VERIFY_WITH_TIMEOUT(entry->Has(kEntryThumbnail), 10000);
        QCOMPARE(entry->thumbnail.Row(5)[15], 200);
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::ThumbnailLoadingTest)
#include "ThumbnailLoadingTest.moc"
