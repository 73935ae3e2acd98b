#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "settings/FileAssociation.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

// Other groups, a comment, CRLF line ends and a last line without one must survive every edit.
const std::string kUserList =
    "[Added Associations]\r\nimage/png=gimp.desktop;\r\n\r\n[Default Applications]\r\n"
    "# chosen in the file manager\r\nimage/jpeg=eog.desktop;\r\ntext/plain=vim.desktop;\r\n"
    "\r\n[Removed Associations]\r\nimage/gif=old.desktop";

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Step {
    char op;  // c claim, r release, u the user picks another default by hand
    const char* type;
};
struct Case {
    const char* name;
    std::string initial;  // empty: no mimeapps.list
    std::vector<Step> steps;
    std::string expected;
};

TEST(FileAssociation, ClaimAndReleaseKeepTheUsersFile) {
    const std::string handPicked = "[Default Applications]\nimage/jpeg=viewer.desktop;\n";
    const Case cases[] = {
        {"claim, release", kUserList, {{'c', "image/jpeg"}, {'r', "image/jpeg"}}, kUserList},
        {"claim twice",
         kUserList,
         {{'c', "image/jpeg"}, {'c', "image/jpeg"}, {'r', "image/jpeg"}},
         kUserList},
        {"new type", kUserList, {{'c', "image/webp"}, {'r', "image/webp"}}, kUserList},
        {"never claimed", kUserList, {{'r', "image/jpeg"}, {'r', "image/png"}}, kUserList},
        {"no file", "", {{'c', "image/tiff"}, {'r', "image/tiff"}}, "[Default Applications]\n"},
        {"changed since",
         "",
         {{'c', "image/jpeg"}, {'u', "image/jpeg"}, {'r', "image/jpeg"}},
         handPicked},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir home;
        CFileAssociation association(home.Path().string());
        if (!c.initial.empty())
            std::ofstream(association.MimeAppsPath(), std::ios::binary) << c.initial;
        for (const Step& s : c.steps) {
            if (s.op == 'u') {
                std::ofstream(association.MimeAppsPath(), std::ios::binary) << handPicked;
            } else if (s.op == 'c') {
                association.Claim({s.type});
                EXPECT_TRUE(association.IsClaimed(s.type));
            } else {
                association.Release({s.type});
                EXPECT_FALSE(association.IsClaimed(s.type));
            }
        }
        EXPECT_EQ(Read(association.MimeAppsPath()), c.expected);
    }
}

TEST(FileAssociation, ClaimKeepsTheOldDefaultAsFallback) {
    test::TempDir home;
    CFileAssociation association(home.Path().string());
    std::ofstream(association.MimeAppsPath(), std::ios::binary) << kUserList;
    association.Claim({"image/jpeg"});
    EXPECT_NE(
        Read(association.MimeAppsPath()).find("image/jpeg=xelo-album.desktop;eog.desktop;\r\n"),
        std::string::npos);
}

TEST(FileAssociation, ToolHonoursXdgConfigHome) {
    test::TempDir home;
    const std::string env = "XDG_CONFIG_HOME='" + home.Path().string() + "' ";
    const test::CommandRun run =
        test::RunCommand(env + XELO_TOOL_PATH " desktop associate jpg .PNG");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out, "image/jpeg: opens in Xelo Album\nimage/png: opens in Xelo Album\n");
    EXPECT_EQ(test::RunCommand(env + XELO_TOOL_PATH " desktop associate text/plain").status, 2);
    EXPECT_EQ(test::RunCommand(env + XELO_TOOL_PATH " desktop release jpg png").status, 0);
    EXPECT_EQ(Read(home.File("mimeapps.list")), "[Default Applications]\n");
}

}  // namespace
}  // namespace xelo
