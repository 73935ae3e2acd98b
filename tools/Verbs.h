// The verbs of xelo-tool. Each returns the process exit status: 0 when every file succeeded,
// 1 when any failed, 2 for bad usage.
#pragma once

#include <string>
#include <vector>

namespace xelo::tool {

struct Verb {
    const char* name;
    const char* summary;
    const char* usage;  // the verb's --help text
    int (*run)(const std::vector<std::string>& args);
};

int RunInfo(const std::vector<std::string>& args);
int RunThumb(const std::vector<std::string>& args);
int RunConvert(const std::vector<std::string>& args);
int RunTransitionVerb(const std::vector<std::string>& args);
int RunAlbum(const std::vector<std::string>& args);
int RunFrames(const std::vector<std::string>& args);
int RunExif(const std::vector<std::string>& args);
int RunInk(const std::vector<std::string>& args);
int RunNote(const std::vector<std::string>& args);
int RunFind(const std::vector<std::string>& args);
int RunSnapName(const std::vector<std::string>& args);
int RunFiles(const std::vector<std::string>& args);
int RunSave(const std::vector<std::string>& args);
int RunHistogram(const std::vector<std::string>& args);
int RunSlideShow(const std::vector<std::string>& args);
int RunDesktop(const std::vector<std::string>& args);
int RunMail(const std::vector<std::string>& args);
// Hands the mail verb to the separate mail program, which alone links the mail libraries.
int RunMailProgram(const std::vector<std::string>& args);

// Prints "xelo-tool VERB: message" to standard error and returns 2.
int UsageError(const char* verb, const std::string& message);
// Prints "FILE: error CODE: text" for an error of one file.
void PrintFileError(const std::string& file, unsigned code, const std::string& text);

}  // namespace xelo::tool
