// xelo-tool: the command-line companion of Xelo Album over the same core.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Verbs.h"

namespace xelo::tool {
namespace {

const Verb kVerbs[] = {
    {"info", "print format, size, depth, frames and resolution of image files",
     "usage: xelo-tool info FILE...\n"
     "Prints one line per file: format, width x height, bits per pixel, frames, dpi.\n"
     "A file that cannot be read prints its error text and code; the others still run.\n",
     RunInfo},
    {"thumb", "write the thumbnail of an image as a BMP or JPEG file",
     "usage: xelo-tool thumb FILE -o OUT.bmp|OUT.jpg [--box WxH]\n"
     "Decodes FILE fitted into the box (default 96x72, never enlarged) and writes it.\n",
     RunThumb},
    {"convert", "convert an image to another format or size",
     "usage: xelo-tool convert FILE -o OUT.bmp|OUT.jpg [--percent P] [--quality Q] [--dpi X,Y]\n"
     "Writes the first frame of FILE, scaled to P percent (default 100), in the format of\n"
     "OUT's extension. JPEG files get quality Q (0-100, default 75; above 100 means 75).\n"
     "The resolution written is X,Y dots per inch, else the source's, else 96.\n",
     RunConvert},
    {"exif", "print the Exif metadata of JPEG files",
     "usage: xelo-tool exif FILE...\n"
     "Prints the Exif groups of each file (\"Main Information\", ...) and their records as\n"
     "\"name: value\" lines. A file without Exif data says so.\n",
     RunExif},
};

void PrintHelp() {
    std::printf("usage: xelo-tool VERB [ARGS...]\n\nVerbs:\n");
    for (const Verb& v : kVerbs)
        std::printf("  %-10s %s\n", v.name, v.summary);
    std::printf("\n'xelo-tool VERB --help' describes one verb.\n");
}

}  // namespace

int UsageError(const char* verb, const std::string& message) {
    std::fprintf(stderr, "xelo-tool %s: %s\n", verb, message.c_str());
    return 2;
}

void PrintFileError(const std::string& file, unsigned code, const std::string& text) {
    std::string oneLine = text;
    for (char& c : oneLine) {
        if (c == '\n') c = ' ';
    }
    std::printf("%s: error %u: %s\n", file.c_str(), code, oneLine.c_str());
}

}  // namespace xelo::tool

int main(int argc, char** argv) {
    using namespace xelo::tool;
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintHelp();
        return argc < 2 ? 2 : 0;
    }
    for (const Verb& v : kVerbs) {
        if (std::strcmp(argv[1], v.name) != 0) continue;
        std::vector<std::string> args(argv + 2, argv + argc);
        for (const std::string& a : args) {
            if (a == "--help" || a == "-h") {
                std::printf("%s", v.usage);
                return 0;
            }
        }
        return v.run(args);
    }
    std::fprintf(stderr, "xelo-tool: unknown verb '%s'\n", argv[1]);
    PrintHelp();
    return 2;
}
