// xelo-tool album: the folder's images in album order, and reordering or marking them with the
// album data file written as the program writes it when it leaves the folder.
#include <cstdio>

#include "FileOperands.h"
#include "FormatNames.h"
#include "Verbs.h"
#include "album/AlbumFile.h"
#include "album/Ordering.h"
#include "album/TavoDoc.h"
#include "image/TavoException.h"

namespace xelo::tool {

namespace {

struct AlbumRequest {
    std::string folder;
    int sortCommand = 0;
    std::vector<std::string> hide;
    std::vector<std::string> show;
};

int SortCommand(const std::string& key) {
    static const struct {
        const char* key;
        int command;
    } kKeys[] = {{"name", kReorderName}, {"date", kReorderDate},     {"size", kReorderSize},
                 {"type", kReorderType}, {"slides", kReorderSlides}, {"reverse", kReorderReverse}};
    for (const auto& k : kKeys) {
        if (key == k.key) return k.command;
    }
    return 0;
}

// Returns an empty text on success, else the usage error.
std::string ParseRequest(const std::vector<std::string>& args, AlbumRequest& request) {
    std::vector<std::string>* names = nullptr;  // the list --hide or --show is filling
    bool optionsEnded = false;                  // after "--" every word is a name
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && word == "--sort") {
            if (i + 1 >= args.size()) return "--sort needs a key";
            if (request.sortCommand != 0) return "give --sort once";
            request.sortCommand = SortCommand(args[++i]);
            if (request.sortCommand == 0) return "unknown sort key " + args[i];
            names = nullptr;
        } else if (!optionsEnded && (word == "--hide" || word == "--show")) {
            names = word == "--hide" ? &request.hide : &request.show;
        } else if (!optionsEnded && word.size() > 1 && word[0] == '-' && word[1] == '-') {
            return "unknown option " + word;
        } else if (names) {
            names->push_back(word);
        } else if (request.folder.empty()) {
            request.folder = word;
        } else {
            return "give exactly one DIR";
        }
    }
    if (request.folder.empty()) return "no folder given";
    return {};
}

// Marks the named entries as the Hide Slide / Show Slide commands do on a selection.
bool MarkSlides(CTavoDoc& doc, const std::vector<std::string>& names, bool hidden) {
    if (names.empty()) return true;
    doc.ClearSelection();
    bool allFound = true;
    for (const std::string& name : names) {
        if (doc.SelectByName(name, true) < 0) {
            std::fprintf(stderr, "xelo-tool album: no image named %s\n", name.c_str());
            allFound = false;
        }
    }
    SetSelectedHidden(doc, hidden);
    doc.ClearSelection();
    return allFound;
}

void PrintAlbum(CTavoDoc& doc) {
    for (int i = 0; i < doc.Count(); ++i) {
        CImageEntry& e = *doc.EntryAt(i);
        const uint32_t notes = e.Annotations(doc.CurrentFolder());
        const char letters[4] = {(notes & kEntryHasText) ? 't' : '-',
                                 (notes & kEntryHasAudio) ? 'a' : '-',
                                 (notes & kEntryHasInk) ? 'i' : '-', '\0'};
        std::printf("%d\t%s\t%s\t%dx%d\t%s\t%s\n", i + 1, Printable(e.Name()).c_str(),
                    FormatName(e.Type()).c_str(), e.Header().width, e.Header().height,
                    e.Has(kEntryHidden) ? "hidden" : "shown", letters);
    }
}

}  // namespace

int RunAlbum(const std::vector<std::string>& args) {
    AlbumRequest request;
    if (const std::string error = ParseRequest(args, request); !error.empty()) {
        return UsageError("album", error);
    }
    if (!IsDirectory(request.folder)) {
        std::fprintf(stderr, "xelo-tool album: %s is not a folder\n", request.folder.c_str());
        return 1;
    }
    try {
        CTavoDoc doc;
        doc.OpenFolder(request.folder);
        const bool changes =
            request.sortCommand != 0 || !request.hide.empty() || !request.show.empty();
        int status = 0;
        if (request.sortCommand != 0) Reorder(doc, request.sortCommand);
        if (!MarkSlides(doc, request.hide, true)) status = 1;
        if (!MarkSlides(doc, request.show, false)) status = 1;
        // Leaving a folder writes its album data only when it has images.
        if (changes && doc.Count() > 0) WriteAlbumFile(doc.CurrentFolder(), doc.MakeAlbumData());
        PrintAlbum(doc);
        return status;
    } catch (const CTavoException& e) {
        PrintFileError(request.folder, e.GetCode(), e.GetErrorMessage());
        return 1;
    }
}

}  // namespace xelo::tool
