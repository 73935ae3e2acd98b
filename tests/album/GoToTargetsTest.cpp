// Go To targets and the storage card search.
#include "album/GoToTargets.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "album/AlbumFixture.h"
#include "album/FolderEnum.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

TEST(GoTo, FixedTargetsAndRecentFolders) {
    GoToPlaces places;
    places.current = "/pics/2026/";
    places.documents = "/home/u/Pictures";
    places.home = "/home/u";
    places.recent = {"/a", "/b"};
    EXPECT_EQ(GoToTarget(kGoUpOneLevel, places), "/pics");
    EXPECT_EQ(GoToTarget(kGoDocuments, places), "/home/u/Pictures");
    EXPECT_EQ(GoToTarget(kGoRecentFirst + 1, places), "/b");
    EXPECT_EQ(GoToTarget(kGoRecentFirst + 2, places), std::nullopt);
    EXPECT_EQ(GoToTarget(kGoStorageCard, places), std::nullopt) << "no cards";
    EXPECT_EQ(ParentFolder("/pics"), "/");
    EXPECT_EQ(ParentFolder("/"), "/");
    // Recent folders are numbered down from the count, long ones shortened.
    const auto items = RecentMenuItems({"/new", "/a/very/long/folder/name/that/goes/on"});
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, "2 /new");
    EXPECT_EQ(items[1].command, kGoRecentFirst + 1);
    EXPECT_EQ(items[1].text, "1 ...lder/name/that/goes/on");
}

TEST(GoTo, TheCardSearchGoesThroughTheCardsInOrderEachDepthFirst) {
    test::TempDir dir;
    namespace fs = std::filesystem;
    const fs::path root = dir.Path();
    for (const char* sub : {"card1/docs", "card2/a/b", "card3"})
        fs::create_directories(root / sub);
    test::WriteText((root / "card1/docs/readme.txt").string(), "no image here");
    test::WriteText((root / "card2/a/list.txt").string(), "no image here either");
    test::WriteImage((root / "card2/a/b").string(), "deep.jpg");
    test::WriteImage((root / "card3").string(), "top.bmp");
    // A link back up must not send the walk round in circles.
    ASSERT_EQ(::symlink(root.c_str(), (root / "card1/loop").c_str()), 0);

    const std::vector<std::string> cards = {(root / "card1").string(), (root / "card2").string(),
                                            (root / "card3").string()};
    EXPECT_EQ(FindImageFolder(cards, kImageExtensions), (root / "card2/a/b").string());
    EXPECT_EQ(FindImageFolder({cards[0]}, kImageExtensions), std::nullopt);
    GoToPlaces places;
    places.cardRoots = {cards[2], cards[1]};
    places.extensions = kImageExtensions;
    EXPECT_EQ(GoToTarget(kGoStorageCard, places), cards[2]);
}

}  // namespace
}  // namespace xelo
