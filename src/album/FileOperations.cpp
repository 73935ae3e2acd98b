// File and folder commands of the document.
#include "album/FileOperations.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "album/AlbumFile.h"
#include "album/AlbumOrigin.h"
#include "album/FileTransfer.h"
#include "album/NameValidation.h"
#include "album/TavoDoc.h"
#include "base/StringTable.h"
#include "base/ViewModes.h"
#include "image/FileError.h"
#include "image/TavoException.h"

namespace xelo {

namespace {

constexpr uint32_t kUnit = 351;

// Message and string numbers of the file commands.
enum : uint32_t {
    kStrDeleteFolderTitle = 2425,
    kStrDeleteFolderAsk = 2426,
    kStrOverwriteTitle = 2427,
    kStrOverwriteAsk = 2428,
    kStrCopyOf = 2429,
    kStrNewFolder = 2430,
    kStrDeleteTextAsk = 2434,
    kStrDeleteAudioAsk = 2435,
    kStrDeleteInkAsk = 2436,
    kStrFolderFilesTitle = 2440,
    kStrFolderFilesAsk = 2441,
    kStrDeleteFileTitle = 2442,
    kStrDeleteFileAsk = 2443,
    kStrRemoveTextTitle = 2446,
    kStrRemoveAudioTitle = 2447,
    kStrRemoveInkTitle = 2449,
    kMsgNoSuchFile = 20502,
    kMsgAccessFailed = 20504,
    kMsgStorageFull = 20508,
    kMsgCleanSubfolders = 20510,
    kMsgFolderExists = 20511,
    kMsgSameFolder = 20512,
    kMsgFileExists = 20513,
    kMsgRemoveInkFailed = 22007,
    kMsgRemoveAudioFailed = 22008,
    kMsgRemoveTextFailed = 22009,
};

// The side files, in the order the commands handle them.
constexpr const char* kSideExtensions[] = {"wav", "txt", "ink"};
// Duplicate gives up on a name after this many numbered attempts.
constexpr int kMaxCopyNumber = 10000;

std::string SidePath(const std::string& imagePath, const char* extension) {
    return imagePath + "." + extension;
}

void ShowAccessFailed(UserPrompt& prompt, const std::string& path) {
    prompt.ShowMessage(kMsgAccessFailed, LoadString(kMsgAccessFailed) + "\n" + path);
}

// Answers the per-file question unless Yes to All was given; false to skip, and `cancelled` set
// when the command ends.
bool Confirm(UserPrompt& prompt, const Question& question, bool& yesToAll, bool& cancelled) {
    if (yesToAll) return true;
    switch (prompt.Ask(question)) {
        case Answer::kYesToAll:
            yesToAll = true;
            return true;
        case Answer::kYes:
            return true;
        case Answer::kCancel:
            cancelled = true;
            return false;
        case Answer::kNo:
            break;
    }
    return false;
}

std::string SizeText(uint64_t bytes) {
    char text[64];
    if (bytes < 1024) {
        std::snprintf(text, sizeof text, "%d B", static_cast<int>(bytes));
    } else if (bytes < (uint64_t{1} << 20)) {
        std::snprintf(text, sizeof text, "%.2f KB", bytes / 1024.0);
    } else if (bytes < (uint64_t{1} << 30)) {
        std::snprintf(text, sizeof text, "%.2f MB", bytes / 1048576.0);
    } else {
        std::snprintf(text, sizeof text, "%.2f GB", bytes / 1073741824.0);
    }
    return text;
}

std::string DateText(const struct stat& st) {
    struct tm local {};
    const time_t t = st.st_mtim.tv_sec;
    localtime_r(&t, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%.2d/%.2d/%.2d %.2d:%.2d", local.tm_mon + 1, local.tm_mday,
                  local.tm_year % 100, local.tm_hour, local.tm_min);
    return text;
}

// The entry of exactly this name (names identify files on a case-sensitive file system).
int FindExact(const CTavoDoc& doc, const std::string& name) {
    for (int i = 0; i < doc.Count(); ++i) {
        if (doc.EntryAt(i)->Name() == name) return i;
    }
    return -1;
}

// Brings the list in step with folder/name: a new entry, a refreshed one, or none when the
// file is gone or holds no image.
void SyncEntry(CTavoDoc& doc, const std::string& name) {
    const std::string& folder = doc.CurrentFolder();
    FindData data;
    const bool exists = ReadFindData(folder, name, data);
    int index = FindExact(doc, name);
    if (index >= 0) {
        if (!exists) {
            doc.RemoveEntry(index);
            return;
        }
        try {
            doc.EntryAt(index)->Refill(data, folder);
        } catch (const CTavoException& e) {
            if (e.GetCode() == kErrNoMemory || e.GetCode() == kErrNoResources) throw;
            doc.RemoveEntry(index);
            return;
        }
    } else {
        if (!exists || !doc.AddEntry(data)) return;
        index = doc.Count() - 1;
    }
    CImageEntry* entry = doc.EntryAt(index);
    entry->ForgetAnnotations();
    entry->Annotations(folder);
}

// True when `name` in the current folder would take the name of an image's side file
// (IMAGE.txt, .wav, .ink of any image there, `self` included) or give its own side files the name
// of an image. Compared without regard to case: on a card's file system those names are one.
bool TakesSideFileName(const CTavoDoc& doc, const std::string& name, const std::string& self) {
    for (const char* extension : kSideExtensions) {
        const std::string ending = std::string(".") + extension;
        if (name.size() > ending.size() &&
            CompareNames(name.substr(name.size() - ending.size()), ending) == 0) {
            const std::string image = name.substr(0, name.size() - ending.size());
            if (CompareNames(image, self) == 0 || doc.FindByName(image)) return true;
            if (ExtensionCounts(image, doc.Extensions()) &&
                IsRegularFile(JoinPath(doc.CurrentFolder(), image))) {
                return true;
            }
        }
        if (doc.FindByName(SidePath(name, extension))) return true;
    }
    return false;
}

// One clipboard name of a paste; false when the paste ends (Cancel).
bool PasteOne(CTavoDoc& doc, UserPrompt& prompt, const std::string& name, bool& yesToAll) {
    const FileClipboard& clip = doc.Clipboard();
    if (TakesSideFileName(doc, name, std::string())) {
        prompt.ShowMessage(kErrIllegalName, LoadString(kErrIllegalName) + "\n" + name);
        return true;
    }
    const std::string source = JoinPath(clip.sourceFolder, name);
    const std::string destination = JoinPath(doc.CurrentFolder(), name);
    struct stat sourceStat {};
    if (::stat(source.c_str(), &sourceStat) != 0 || !S_ISREG(sourceStat.st_mode)) {
        prompt.ShowMessage(kMsgNoSuchFile, FormatString(kMsgNoSuchFile, name.c_str()));
        return true;
    }
    struct stat destinationStat {};
    const bool replacing = ::stat(destination.c_str(), &destinationStat) == 0;
    if (replacing) {
        const std::string text = FormatString(
            kStrOverwriteAsk, destination.c_str(), SizeText(destinationStat.st_size).c_str(),
            DateText(destinationStat).c_str(), source.c_str(), SizeText(sourceStat.st_size).c_str(),
            DateText(sourceStat).c_str());
        bool cancelled = false;
        if (!Confirm(prompt, {kStrOverwriteAsk, kStrOverwriteTitle, text, true}, yesToAll,
                     cancelled)) {
            return !cancelled;
        }
    }
    if (CopyFileSafely(source, destination, false) != 0) {
        ShowAccessFailed(prompt, destination);
        return true;
    }
    // Side files follow the image: copied when the source has one, otherwise the replaced
    // image's own is removed so it does not stick to the new picture.
    bool sidesCopied = true;
    for (const char* extension : kSideExtensions) {
        const std::string from = SidePath(source, extension);
        const std::string to = SidePath(destination, extension);
        const int error = PathExists(from) ? CopyFileSafely(from, to, false)
                          : replacing      ? RemoveFile(to)
                                           : 0;
        if (error != 0) {
            sidesCopied = false;
            ShowAccessFailed(prompt, to);
        }
    }
    // A cut removes the sources only once everything reached the destination.
    if (clip.cut && sidesCopied) {
        for (const char* extension : kSideExtensions) {
            const std::string from = SidePath(source, extension);
            if (RemoveFile(from) != 0) ShowAccessFailed(prompt, from);
        }
        if (RemoveFile(source) != 0) ShowAccessFailed(prompt, source);
    }
    SyncEntry(doc, name);
    return true;
}

// Removes an image's side files; failures are shown.
void RemoveSideFiles(UserPrompt& prompt, const std::string& imagePath) {
    for (const char* extension : kSideExtensions) {
        const std::string side = SidePath(imagePath, extension);
        if (RemoveFile(side) != 0) ShowAccessFailed(prompt, side);
    }
}

// "Copy (%d) of " with the number filled in.
std::string NumberedPrefix(std::string pattern, int number) {
    const size_t at = pattern.find("%d");
    if (at != std::string::npos) pattern.replace(at, 2, std::to_string(number));
    return pattern;
}

struct FolderContents {
    std::vector<std::string> images;
    std::vector<std::string> others;
    int subfolders = 0;
};

FolderContents Classify(const std::string& folder, std::string_view extensions) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) ThrowFileError(errno, folder, {kComponentAlbum, kUnit, __LINE__});
    FolderContents contents;
    while (const dirent* d = ::readdir(dir)) {
        const std::string name = d->d_name;
        if (name == "." || name == "..") continue;
        struct stat st {};
        const bool known = ::fstatat(::dirfd(dir), d->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0;
        if (known && S_ISDIR(st.st_mode)) {
            ++contents.subfolders;
        } else if (ExtensionCounts(name, extensions)) {
            contents.images.push_back(name);
        } else {
            contents.others.push_back(name);
        }
    }
    ::closedir(dir);
    std::sort(contents.images.begin(), contents.images.end());
    std::sort(contents.others.begin(), contents.others.end());
    return contents;
}

struct AnnotationCommand {
    const char* extension;
    uint32_t flag;
    uint32_t askId;
    uint32_t titleId;
    uint32_t failedId;
};

AnnotationCommand CommandFor(AnnotationKind kind) {
    switch (kind) {
        case AnnotationKind::kText:
            return {"txt", kEntryHasText, kStrDeleteTextAsk, kStrRemoveTextTitle,
                    kMsgRemoveTextFailed};
        case AnnotationKind::kAudio:
            return {"wav", kEntryHasAudio, kStrDeleteAudioAsk, kStrRemoveAudioTitle,
                    kMsgRemoveAudioFailed};
        case AnnotationKind::kInk:
            break;
    }
    return {"ink", kEntryHasInk, kStrDeleteInkAsk, kStrRemoveInkTitle, kMsgRemoveInkFailed};
}

}  // namespace

int CopySelection(CTavoDoc& doc, bool cut) {
    const std::vector<int> selected = doc.SelectedIndices();
    if (selected.empty()) return 0;
    FileClipboard& clip = doc.Clipboard();
    clip.sourceFolder = doc.CurrentFolder();
    clip.cut = cut;
    clip.names.clear();
    for (int i : selected)
        clip.names.push_back(doc.EntryAt(i)->Name());
    return static_cast<int>(clip.names.size());
}

void Paste(CTavoDoc& doc, UserPrompt& prompt) {
    FileClipboard& clip = doc.Clipboard();
    if (clip.names.empty() || doc.CurrentFolder().empty()) return;
    // The same folder however spelt: a cut onto itself would delete the only copy.
    if (SameFolder(clip.sourceFolder, doc.CurrentFolder())) {
        prompt.ShowMessage(kMsgSameFolder, LoadString(kMsgSameFolder));
        return;
    }
    bool yesToAll = false;
    const std::vector<std::string> names = clip.names;
    for (const std::string& name : names) {
        if (!PasteOne(doc, prompt, name, yesToAll)) break;
    }
    if (clip.cut) clip.Clear();
    doc.UpdateViews(kHintEntriesChanged);
}

void DeleteSelection(CTavoDoc& doc, UserPrompt& prompt) {
    const std::vector<int> selected = doc.SelectedIndices();
    if (selected.empty()) return;
    const int first = selected.front();
    std::vector<CImageEntry*> entries;
    for (int i : selected)
        entries.push_back(doc.EntryAt(i));
    const std::string& folder = doc.CurrentFolder();
    bool yesToAll = false, cancelled = false, removed = false;
    for (CImageEntry* entry : entries) {
        const std::string name = entry->Name();
        const Question question{kStrDeleteFileAsk, kStrDeleteFileTitle,
                                FormatString(kStrDeleteFileAsk, name.c_str()), entries.size() > 1};
        if (!Confirm(prompt, question, yesToAll, cancelled)) {
            if (cancelled) break;
            continue;
        }
        const std::string path = JoinPath(folder, name);
        if (RemoveFile(path) != 0) {
            ShowAccessFailed(prompt, path);
            continue;
        }
        RemoveSideFiles(prompt, path);
        doc.RemoveEntry(doc.IndexOf(entry));
        removed = true;
    }
    if (!removed) return;
    doc.ClearSelection();
    const int mode = doc.ViewMode();
    if (first < doc.Count()) {
        doc.SetSelected(first, true);
    } else if ((mode == kModeFilmstrip || mode == kModeVgaFilmstrip) && doc.Count() > 0) {
        doc.SetSelected(doc.Count() - 1, true);
    }
    doc.UpdateViews(kHintEntriesChanged);
}

void DuplicateSelection(CTavoDoc& doc, UserPrompt& prompt) {
    const std::vector<int> selected = doc.SelectedIndices();
    if (selected.empty()) return;
    std::vector<std::string> names;
    for (int i : selected)
        names.push_back(doc.EntryAt(i)->Name());
    const std::string patterns = LoadString(kStrCopyOf);
    const std::string copyOf = FieldItem(patterns, 0);
    const std::string numbered = FieldItem(patterns, 1);
    const std::string& folder = doc.CurrentFolder();
    bool storageFull = false;
    for (const std::string& name : names) {
        const std::string source = JoinPath(folder, name);
        std::string newName = copyOf + name;
        int error = CopyFileSafely(source, JoinPath(folder, newName), true);
        // Only a taken name is worth another try; any other failure would fail again.
        for (int n = 2; error == EEXIST && n <= kMaxCopyNumber; ++n) {
            newName = NumberedPrefix(numbered, n) + name;
            error = CopyFileSafely(source, JoinPath(folder, newName), true);
        }
        if (IsStorageFull(error)) {
            prompt.ShowMessage(kMsgStorageFull, LoadString(kMsgStorageFull));
            storageFull = true;
            break;
        }
        if (error != 0) {
            ShowAccessFailed(prompt, source);
            continue;
        }
        const std::string copy = JoinPath(folder, newName);
        for (const char* extension : kSideExtensions) {
            const std::string from = SidePath(source, extension);
            if (!PathExists(from)) continue;
            const int sideError = CopyFileSafely(from, SidePath(copy, extension), false);
            if (sideError != 0) ShowAccessFailed(prompt, SidePath(copy, extension));
            if (IsStorageFull(sideError)) storageFull = true;
        }
        SyncEntry(doc, newName);
        if (storageFull) {
            prompt.ShowMessage(kMsgStorageFull, LoadString(kMsgStorageFull));
            break;
        }
    }
    doc.UpdateViews(kHintEntriesChanged);
}

uint32_t RenameEntry(CTavoDoc& doc, int index, std::string newName) {
    CImageEntry* entry = doc.EntryAt(index);
    if (!entry) return 0;
    const std::string& folder = doc.CurrentFolder();
    if (const uint32_t refused = ValidateName(newName, &folder)) return refused;
    const std::string oldName = entry->Name();
    if (newName == oldName) return 0;
    const std::string from = JoinPath(folder, oldName);
    const std::string to = JoinPath(folder, newName);
    if (PathExists(to)) return kMsgFileExists;
    // Renaming onto a side file's name would move the image again with its side files.
    if (TakesSideFileName(doc, newName, oldName)) return kErrIllegalName;
    const int error = RenameFile(from, to, true);
    if (error == EEXIST) return kMsgFileExists;
    if (error != 0) ThrowFileError(error, from, {kComponentAlbum, kUnit, __LINE__});
    // The side files go to the new name, replacing strays of that name.
    int sideError = 0;
    std::string failedSide;
    for (const char* extension : kSideExtensions) {
        const std::string side = SidePath(from, extension);
        if (!PathExists(side)) continue;
        const int e = RenameFile(side, SidePath(to, extension), false);
        if (e != 0 && sideError == 0) sideError = e, failedSide = side;
    }
    // A name waiting on the clipboard follows the file.
    FileClipboard& clip = doc.Clipboard();
    if (SameFolder(clip.sourceFolder, folder))
        std::replace(clip.names.begin(), clip.names.end(), oldName, newName);
    FindData data;
    if (ReadFindData(folder, newName, data)) {
        try {
            entry->Refill(data, folder);
            entry->ForgetAnnotations();
            entry->Annotations(folder);
        } catch (const CTavoException& e) {
            if (e.GetCode() == kErrNoMemory || e.GetCode() == kErrNoResources) throw;
            doc.RemoveEntry(doc.IndexOf(entry));
        }
    }
    doc.UpdateViews(kHintEntriesChanged);
    if (sideError != 0) ThrowFileError(sideError, failedSide, {kComponentAlbum, kUnit, __LINE__});
    return 0;
}

std::string ProposeFolderName(const std::string& folder) {
    const std::string base = LoadString(kStrNewFolder);
    std::string proposal = base;
    for (int n = 1; n <= kMaxCopyNumber && PathExists(JoinPath(folder, proposal)); ++n)
        proposal = base + std::to_string(n);
    return proposal;
}

uint32_t CreateFolder(const std::string& folder, std::string name) {
    if (const uint32_t refused = ValidateName(name, &folder)) return refused;
    const std::string path = JoinPath(folder, name);
    if (PathExists(path)) return kMsgFolderExists;
    if (::mkdir(path.c_str(), 0777) != 0) {
        if (errno == EEXIST) return kMsgFolderExists;
        ThrowFileError(errno, path, {kComponentAlbum, kUnit, __LINE__});
    }
    return 0;
}

bool DeleteFolder(const std::string& folder, std::string_view extensions, UserPrompt& prompt) {
    const FolderContents contents = Classify(folder, extensions);
    if (contents.subfolders > 0) {
        prompt.ShowMessage(kMsgCleanSubfolders, LoadString(kMsgCleanSubfolders));
        return false;
    }
    bool askEach = false, yesGiven = false;
    if (!contents.images.empty() || !contents.others.empty()) {
        const Question question{
            kStrFolderFilesAsk, kStrFolderFilesTitle,
            FormatString(kStrFolderFilesAsk, static_cast<int>(contents.images.size()),
                         static_cast<int>(contents.others.size())),
            false};
        const Answer answer = prompt.Ask(question);
        if (answer == Answer::kCancel) return false;
        askEach = answer == Answer::kNo;
        yesGiven = !askEach;
    }
    bool yesToAll = false, cancelled = false, everyImageGone = true;
    // Side files of an image that could not be removed stay with it.
    std::vector<std::string> sidesKept;
    auto mayDelete = [&](const std::string& name) {
        if (!askEach) return true;
        const Question question{kStrDeleteFileAsk, kStrDeleteFileTitle,
                                FormatString(kStrDeleteFileAsk, name.c_str()), true};
        return Confirm(prompt, question, yesToAll, cancelled);
    };
    for (const std::string& name : contents.images) {
        if (!mayDelete(name)) {
            if (cancelled) return false;
            everyImageGone = false;
            continue;
        }
        const std::string path = JoinPath(folder, name);
        if (RemoveFile(path) != 0) {
            ShowAccessFailed(prompt, path);
            everyImageGone = false;
            for (const char* extension : kSideExtensions)
                sidesKept.push_back(SidePath(name, extension));
            continue;
        }
        RemoveSideFiles(prompt, path);
    }
    // The album data orders the images; it goes only with the last of them.
    if (everyImageGone) {
        const std::string album = AlbumFilePath(folder);
        if (RemoveFile(album) != 0) ShowAccessFailed(prompt, album);
    }
    for (const std::string& name : contents.others) {
        const std::string path = JoinPath(folder, name);
        if (name == kAlbumFileName || !PathExists(path)) continue;  // gone with its image
        if (std::find(sidesKept.begin(), sidesKept.end(), name) != sidesKept.end()) continue;
        if (!mayDelete(name)) {
            if (cancelled) return false;
            continue;
        }
        if (RemoveFile(path) != 0) ShowAccessFailed(prompt, path);
    }
    if (!yesGiven) {
        const Question question{kStrDeleteFolderAsk, kStrDeleteFolderTitle,
                                FormatString(kStrDeleteFolderAsk, folder.c_str()), false};
        const Answer answer = prompt.Ask(question);
        if (answer != Answer::kYes && answer != Answer::kYesToAll) return false;
    }
    if (::rmdir(folder.c_str()) != 0) {
        ShowAccessFailed(prompt, folder);
        return false;
    }
    return true;
}

bool DeleteCurrentFolder(CTavoDoc& doc, UserPrompt& prompt) {
    const bool gone = DeleteFolder(doc.CurrentFolder(), doc.Extensions(), prompt);
    if (gone) {
        doc.ClearList();
    } else {
        doc.Scan(true);
    }
    doc.UpdateViews(kHintEntriesChanged);
    return gone;
}

bool RemoveAnnotations(CTavoDoc& doc, AnnotationKind kind, UserPrompt& prompt) {
    const AnnotationCommand command = CommandFor(kind);
    const std::vector<int> selected = doc.SelectedIndices();
    const std::string& folder = doc.CurrentFolder();
    bool yesToAll = false, cancelled = false, removed = false, ended = false;
    for (int index : selected) {
        CImageEntry* entry = doc.EntryAt(index);
        const std::string path = entry->AnnotationPath(folder, command.extension);
        if (!PathExists(path)) continue;
        const Question question{command.askId, command.titleId,
                                FormatString(command.askId, entry->Name().c_str()),
                                selected.size() > 1};
        if (!Confirm(prompt, question, yesToAll, cancelled)) {
            if (cancelled) {
                ended = true;
                break;
            }
            continue;
        }
        if (RemoveFile(path) != 0) {
            prompt.ShowMessage(command.failedId, LoadString(command.failedId));
            ended = true;
            break;
        }
        entry->ForgetAnnotations();
        entry->Annotations(folder);
        removed = true;
    }
    if (removed) doc.UpdateViews(kHintEntriesChanged);
    return !ended;
}

void RemoveAllAnnotations(CTavoDoc& doc, UserPrompt& prompt) {
    for (AnnotationKind kind :
         {AnnotationKind::kInk, AnnotationKind::kText, AnnotationKind::kAudio}) {
        if (!RemoveAnnotations(doc, kind, prompt)) return;
    }
}

}  // namespace xelo
