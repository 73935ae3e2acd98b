// Folders of images with side files for the file-command tests, a scripted UserPrompt and
// snapshots of whole folder trees.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "album/UserPrompt.h"

namespace xelo::test {

// Answers questions from a script; a question beyond the script fails the test and cancels.
class ScriptedPrompt : public UserPrompt {
  public:
    explicit ScriptedPrompt(std::deque<Answer> answers = {}) : answers(std::move(answers)) {}
    Answer Ask(const Question& question) override;
    void ShowMessage(uint32_t textId, const std::string& text) override;

    std::deque<Answer> answers;
    std::vector<Question> questions;
    std::vector<uint32_t> messages;
    std::vector<std::string> messageTexts;
};

// Relative path → file bytes of every regular file under a folder.
using Tree = std::map<std::string, std::string>;
Tree Snapshot(const std::string& root);

// An image (BMP of the given width, so images differ in bytes) with the named side files, each
// holding a text that names it.
void MakeImage(const std::string& folder, const std::string& name, int width,
               const std::vector<std::string>& sides = {});

// src with a.bmp (text, ink) and b.bmp (audio), dst with its own a.bmp (audio) and b.bmp (text).
void MakeConflictingFolders(const std::string& src, const std::string& dst);
// The folders' trees after a paste from src: each image in `replaced` arrives with exactly its own
// side files and, for a cut, leaves src; everything else stays.
std::pair<Tree, Tree> AfterPaste(Tree src, Tree dst, const std::vector<std::string>& replaced,
                                 bool cut);

// While alive, files written by this process cannot grow beyond `bytes`; the write fails with
// EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

}  // namespace xelo::test
