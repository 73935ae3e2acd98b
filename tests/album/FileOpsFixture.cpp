// Test support for the file commands.
#include "album/FileOpsFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "album/AlbumFixture.h"

namespace xelo::test {

Answer ScriptedPrompt::Ask(const Question& question) {
    questions.push_back(question);
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question " << question.textId << ": " << question.text;
        return Answer::kCancel;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedPrompt::ShowMessage(uint32_t textId, const std::string& text) {
    messages.push_back(textId);
    messageTexts.push_back(text);
}

Tree Snapshot(const std::string& root) {
    Tree tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        tree[std::filesystem::relative(entry.path(), root).string()] =
            std::string((std::istreambuf_iterator<char>(in)), {});
    }
    return tree;
}

void MakeImage(const std::string& folder, const std::string& name, int width,
               const std::vector<std::string>& sides) {
    WriteImage(folder, name, width, 3);
    for (const std::string& side : sides)
        WriteText(folder + "/" + name + "." + side, side + " of " + folder + "/" + name);
}

void MakeConflictingFolders(const std::string& src, const std::string& dst) {
    std::filesystem::create_directories(src);
    std::filesystem::create_directories(dst);
    MakeImage(src, "a.bmp", 5, {"txt", "ink"});
    MakeImage(src, "b.bmp", 6, {"wav"});
    MakeImage(dst, "a.bmp", 9, {"wav"});
    MakeImage(dst, "b.bmp", 10, {"txt"});
}

std::pair<Tree, Tree> AfterPaste(Tree src, Tree dst, const std::vector<std::string>& replaced,
                                 bool cut) {
    const Tree src0 = src;
    for (const std::string& image : replaced) {
        std::erase_if(dst, [&](const auto& file) { return file.first.rfind(image, 0) == 0; });
        for (const auto& [name, bytes] : src0) {
            if (name.rfind(image, 0) != 0) continue;
            dst[name] = bytes;
            if (cut) src.erase(name);
        }
    }
    return {src, dst};
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
}

}  // namespace xelo::test
