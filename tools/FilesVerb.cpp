// xelo-tool files: copy, move, delete, duplicate and rename images with their side files through
// the window's own file commands, so folders and album files end up as the window leaves them.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <set>

#include "FileOperands.h"
#include "TerminalPrompt.h"
#include "ToolArgs.h"
#include "Verbs.h"
#include "album/FileOperations.h"
#include "album/FolderEnum.h"
#include "album/TavoDoc.h"
#include "base/StringTable.h"
#include "image/TavoException.h"

namespace xelo::tool {

namespace {

constexpr uint32_t kMsgNoSuchFile = 20502;

std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

// Answers the commands' questions from --answers, else on a terminal by asking, else No (nothing
// is replaced or deleted without consent). Collects what went wrong with the current file.
class ToolPrompt : public UserPrompt {
  public:
    ToolPrompt(std::string answers, bool terminal)
        : answers_(std::move(answers)), terminal_(terminal) {}

    Answer Ask(const Question& question) override {
        if (yesToAll_) return Answer::kYes;
        const char letter = NextLetter(question);
        switch (letter) {
            case 'a':
                yesToAll_ = true;
                return Answer::kYes;
            case 'y':
                return Answer::kYes;
            case 'c':
                cancelled_ = true;
                Note("cancelled");
                return Answer::kCancel;
            default:
                Note(letter == 'n' ? "skipped (answered no)" : "skipped (no answer given)");
                return Answer::kNo;
        }
    }
    void ShowMessage(uint32_t, const std::string& text) override { Note(OneLine(text)); }

    void Begin(const std::string& file) {
        file_ = file;
        problem_.clear();
    }
    void Note(const std::string& problem) {
        if (!problem_.empty()) problem_ += "; ";
        problem_ += problem;
    }
    // Ends the current file: prints its line when it was not fully handled. True when it was.
    bool End() {
        if (problem_.empty()) return true;
        std::fprintf(stderr, "%s: %s\n", Printable(file_).c_str(), problem_.c_str());
        return false;
    }
    bool Cancelled() const { return cancelled_; }

  private:
    char NextLetter(const Question& question) {
        if (next_ < answers_.size()) return answers_[next_++];
        if (!terminal_) return '\0';
        switch (AskOnTerminal(question)) {
            case Answer::kYes:
                return 'y';
            case Answer::kYesToAll:
                return 'a';
            case Answer::kNo:
                return 'n';
            default:
                return 'c';
        }
    }

    std::string answers_;
    size_t next_ = 0;
    bool terminal_;
    bool yesToAll_ = false;
    bool cancelled_ = false;
    std::string file_;
    std::string problem_;
};

std::string FolderOf(const std::string& path) {
    const std::string parent = std::filesystem::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}
std::string NameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// The entry of exactly `name`, else -1.
int FindExact(const CTavoDoc& doc, const std::string& name) {
    for (int i = 0; i < doc.Count(); ++i) {
        if (doc.EntryAt(i)->Name() == name) return i;
    }
    return -1;
}

// Opens the folder of `file` (leaving the previous one as the window does) and selects the file
// alone. False, with the reason noted, when it is no image of that folder.
bool SelectFile(CTavoDoc& doc, ToolPrompt& prompt, const std::string& file) {
    const std::string folder = FolderOf(file);
    if (!IsDirectory(folder)) {
        prompt.Note(FormatString(kMsgNoSuchFile, file.c_str()));
        return false;
    }
    if (doc.CurrentFolder() != folder) doc.Reopen(folder);
    const int index = FindExact(doc, NameOf(file));
    if (index < 0) {
        prompt.Note(IsRegularFile(file) ? std::string("not an image of the album")
                                        : FormatString(kMsgNoSuchFile, NameOf(file).c_str()));
        return false;
    }
    doc.ClearSelection();
    doc.SetSelected(index, true);
    return true;
}

int Transfer(const std::vector<std::string>& operands, bool move, ToolPrompt& prompt) {
    const std::string destination = operands.back();
    if (!IsDirectory(destination)) {
        std::fprintf(stderr, "%s: not a folder\n", Printable(destination).c_str());
        return 1;
    }
    CTavoDoc doc;
    doc.OpenFolder(destination);
    int status = 0;
    std::set<std::string> sourceFolders;
    for (size_t i = 0; i + 1 < operands.size(); ++i) {
        const std::string& source = operands[i];
        prompt.Begin(source);
        if (prompt.Cancelled()) {
            prompt.Note("not handled (cancelled)");
        } else if (IsDirectory(source)) {
            prompt.Note("is a folder, not an image");
        } else if (!ExtensionCounts(NameOf(source), doc.Extensions())) {
            prompt.Note("not an image file");
        } else {
            // The clipboard as Copy or Cut in the source folder leaves it, one name a paste.
            FileClipboard& clip = doc.Clipboard();
            clip.sourceFolder = FolderOf(source);
            clip.names = {NameOf(source)};
            clip.cut = move;
            Paste(doc, prompt);
            sourceFolders.insert(clip.sourceFolder);
        }
        if (!prompt.End()) status = 1;
    }
    doc.Close();
    // The source folders' album files drop the names that left them.
    if (move) {
        for (const std::string& folder : sourceFolders) {
            if (!IsDirectory(folder)) continue;
            CTavoDoc source;
            source.OpenFolder(folder);
            source.Close();
        }
    }
    return status;
}

int ForEachFile(const std::vector<std::string>& files, ToolPrompt& prompt,
                void (*command)(CTavoDoc&, ToolPrompt&)) {
    CTavoDoc doc;
    int status = 0;
    for (const std::string& file : files) {
        prompt.Begin(file);
        if (prompt.Cancelled()) {
            prompt.Note("not handled (cancelled)");
        } else if (SelectFile(doc, prompt, file)) {
            command(doc, prompt);
        }
        if (!prompt.End()) status = 1;
    }
    doc.Close();
    return status;
}

void DeleteOne(CTavoDoc& doc, ToolPrompt& prompt) {
    DeleteSelection(doc, prompt);
}

void DuplicateOne(CTavoDoc& doc, ToolPrompt& prompt) {
    const int before = doc.Count();
    DuplicateSelection(doc, prompt);
    // The copy joins the list at its tail.
    if (doc.Count() > before) {
        const std::string copy =
            JoinPath(doc.CurrentFolder(), doc.EntryAt(doc.Count() - 1)->Name());
        std::printf("%s\n", Printable(copy).c_str());
    }
}

int Rename(const std::string& file, const std::string& newName, ToolPrompt& prompt) {
    CTavoDoc doc;
    prompt.Begin(file);
    if (SelectFile(doc, prompt, file)) {
        try {
            if (const uint32_t refused = RenameEntry(doc, doc.FirstSelected(), newName)) {
                prompt.Note(OneLine(LoadString(refused)));
            }
        } catch (const CTavoException& e) {
            prompt.Note(OneLine(e.GetErrorMessage()));
        }
    }
    doc.Close();
    return prompt.End() ? 0 : 1;
}

}  // namespace

int RunFiles(const std::vector<std::string>& args) {
    ToolArgs parsed;
    std::string error;
    if (!parsed.Parse(args, {"--answers"}, error)) return UsageError("files", error);
    if (const auto unknown = parsed.Unknown({"--answers"}); !unknown.empty()) {
        return UsageError("files", "unknown option " + unknown.front());
    }
    const std::string answers = parsed.Value("--answers").value_or("");
    if (answers.find_first_not_of("yanc") != std::string::npos) {
        return UsageError("files", "--answers takes the letters y, a, n and c");
    }
    std::vector<std::string> operands = parsed.Operands();
    if (operands.empty()) return UsageError("files", "no command given");
    const std::string command = operands.front();
    operands.erase(operands.begin());
    ToolPrompt prompt(answers, ::isatty(STDIN_FILENO) != 0);
    try {
        if (command == "copy" || command == "move") {
            if (operands.size() < 2) return UsageError("files", command + " needs SRC... DEST_DIR");
            return Transfer(operands, command == "move", prompt);
        }
        if (command == "delete" || command == "duplicate") {
            if (operands.empty()) return UsageError("files", command + " needs FILE...");
            return ForEachFile(operands, prompt, command == "delete" ? DeleteOne : DuplicateOne);
        }
        if (command == "rename") {
            if (operands.size() != 2) return UsageError("files", "rename needs FILE NEWNAME");
            return Rename(operands[0], operands[1], prompt);
        }
    } catch (const CTavoException& e) {
        std::fprintf(stderr, "error %u: %s\n", e.GetCode(), OneLine(e.GetErrorMessage()).c_str());
        return 1;
    }
    return UsageError("files", "unknown command " + command);
}

}  // namespace xelo::tool
