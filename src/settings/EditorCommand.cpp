#include "settings/EditorCommand.h"

#include "settings/CommandLine.h"

namespace xelo {

std::vector<std::string> EditorArguments(const std::string& editTool,
                                         const std::string& imagePath) {
    std::string program;
    std::string rest;
    if (!editTool.empty() && editTool[0] == '"') {
        const size_t close = editTool.find('"', 1);
        program = editTool.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        if (close != std::string::npos) rest = editTool.substr(close + 1);
    } else {
        const size_t blank = editTool.find(' ');
        program = editTool.substr(0, blank);
        if (blank != std::string::npos) rest = editTool.substr(blank + 1);
    }
    if (program.empty()) return {};
    rest.erase(0, rest.find_first_not_of(" \t"));
    std::vector<std::string> arguments = {program};
    const size_t marker = rest.find("%1");
    if (marker == std::string::npos || marker == 0) {
        arguments.push_back(imagePath);
        return arguments;
    }
    for (std::string word : SplitCommandLine(rest)) {
        for (size_t at = word.find("%1"); at != std::string::npos;
             at = word.find("%1", at + imagePath.size())) {
            word.replace(at, 2, imagePath);
        }
        arguments.push_back(word);
    }
    return arguments;
}

}  // namespace xelo
