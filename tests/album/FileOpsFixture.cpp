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
