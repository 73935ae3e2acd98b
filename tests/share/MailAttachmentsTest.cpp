// Attachments of a mail: a prepared copy carries the ink as Merge Ink draws it and is reduced to
// the ratio; the temporary folder goes with the object; a failed image adds nothing. The
// character set of notes and the splitting of address fields.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "codec/BmpWriter.h"
#include "codec/ImageFile.h"
#include "image/TavoException.h"
#include "ink/InkFile.h"
#include "ink/InkMerge.h"
#include "ink/LtFreeHand.h"
#include "share/MailAttachments.h"
#include "share/MailRules.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(MailAttachments, PreparedCopiesMergeInkAndReduceInAFolderThatGoesWithThem) {
    test::TempDir dir;
    const std::string image = dir.File("a.bmp");
    CDibImage white;
    white.Create(40, 30, 3, false);
    std::fill(white.Bits(), white.Bits() + white.Stride() * 30, 0xFF);
    WriteBmp(image, white, 100, Resolution{96, 96});
    CXeloLtManager layer;
    auto stroke = std::make_unique<CXeloLtFreeHand>();
    stroke->SetPen({0, 3, 0x0000FF});
    stroke->SetStrokes({{Point{5, 10}, Point{30, 20}}});
    layer.Append(std::move(stroke));
    ASSERT_TRUE(SaveInk(image + ".ink", layer));
    const std::string before = Bytes(image);
    MergeInkIntoImage(image, layer, dir.File("merged.bmp"));

    std::string folder;
    {
        CMailAttachments attachments;
        attachments.AddImage(image, {false, 50, true, false, false});
        attachments.AddImage(image, {true, 50, false, false, false});
        EXPECT_THROW(attachments.AddImage(dir.File("missing.bmp"), {true, 50, true, true, true}),
                     CTavoException);
        ASSERT_EQ(attachments.Items().size(), 2u);
        folder = attachments.TempFolder();
        EXPECT_EQ(std::filesystem::path(attachments.Items()[0].path).parent_path(), folder);
        EXPECT_EQ(attachments.Items()[0].name, "a.bmp");
        EXPECT_EQ(Bytes(attachments.Items()[0].path), Bytes(dir.File("merged.bmp")));
        ImageInfo info;
        CImageFile().ReadInfo(attachments.Items()[1].path, info);
        EXPECT_EQ(info.width, 20);
        EXPECT_EQ(info.height, 15);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);
    }
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_EQ(Bytes(image), before);
}

TEST(MailAttachments, NotesNameTheirCharset) {
    const std::pair<std::string, const char*> cases[] = {{std::string("\xFF\xFEG\0", 4), "utf-16"},
                                                         {"Gr\xC3\xBC\xC3\x9F"
                                                          "e\r\n",
                                                          "utf-8"},
                                                         {"Gr\xFC\xDF"
                                                          "e",
                                                          "windows-1252"},
                                                         {"cut \xE2\x82", "windows-1252"},
                                                         {"", "utf-8"}};
    for (const auto& [bytes, charset] : cases)
        EXPECT_EQ(NoteCharset(bytes), charset) << bytes;
}

TEST(MailRules, AddressFieldsSplitOutsideQuotes) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"a@x; b@y,c@z", {"a@x", "b@y", "c@z"}},
        {"\"Doe; Jo\" <j@x>;k@y ;", {"\"Doe; Jo\" <j@x>", "k@y"}},
        {" ; , ", {}}};
    for (const auto& [field, addresses] : cases)
        EXPECT_EQ(SplitAddresses(field), addresses);
}

}  // namespace
}  // namespace xelo
