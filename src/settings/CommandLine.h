// The command line: options -t, -l, -f, -s, -vs with a folder; -i, -fs, -v with an image path; a
// bare image path; a bare path to an album data file. Parsed into a start mode, folder and file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace xelo {

class CTavoDoc;
class CPreferences;
class Registry;

// Start modes as ParseArgument stores them.
enum StartMode : int {
    kStartDefault = 0,  // a full image path or nothing: the start-up preference
    kStartThumbnail = 1,
    kStartList = 2,
    kStartFilename = 3,
    kStartFilmstrip = 4,
    kStartFullScreen = 5,
    kStartSlideShow = 6,
    kStartVgaFilmstrip = 7,
    kStartVgaSlideShow = 8,
};

class CTavoCommandLineInfo {
  public:
    // `openImageMode` is the preference for associated image files: 4 opens them in Full
    // Screen, anything else in Filmstrip.
    explicit CTavoCommandLineInfo(int openImageMode = 3) : openImageMode_(openImageMode) {}
    virtual ~CTavoCommandLineInfo() = default;

    // One argument, in order: a flag without its "-", or a plain argument. The last one checks
    // the result against the file system.
    virtual void ParseArgument(const std::string& text, bool isFlag, bool isLast);

    int mode = kStartDefault;
    std::string folder;
    std::string file;

  private:
    void CheckResult();

    int openImageMode_;
};

// Splits a command line at blanks; a double-quoted part may hold blanks and the quotes are
// dropped; inside quotes \" is a quote and \\ a backslash.
std::vector<std::string> SplitCommandLine(std::string_view line);
// The inverse: arguments joined so that SplitCommandLine gives them back.
std::string JoinCommandLine(const std::vector<std::string>& arguments);
// Feeds the arguments to ParseArgument. An argument starting with "-" is a flag. (Not "/":
// every absolute path starts with it here.)
void ParseCommandLine(const std::vector<std::string>& arguments, CTavoCommandLineInfo& info);

// The view command of a start mode (0 for mode 0: the preference decides).
int StartModeCommand(int mode);

struct StartResult {
    int command = 0;           // the view mode command to send to the frame
    bool noVgaDevice = false;  // show message 22023: a VGA mode was asked without a device
};

// Applies a parsed command line to the document: saves the album of the folder being left,
// opens the requested (or last) folder, selects the requested file and chooses the start
// command, falling back to the start-up preference and to Thumbnail as the program does.
StartResult ProcessCommandLine(const CTavoCommandLineInfo& info, CTavoDoc& doc,
                               const CPreferences& preferences, bool vgaAvailable);

// The command line a second instance left in "Strings" / "Command"; false when there is none.
bool ReadForwardedCommandLine(const Registry& registry, CTavoCommandLineInfo& info);

}  // namespace xelo
