// CTavoDoc: the album of the current folder, an ordered list of image entries that every view
// reads. Views observe it; the frame is reached through DocumentHost.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "album/AlbumFile.h"
#include "album/FileClipboard.h"
#include "album/FolderEnum.h"
#include "album/ImageEntry.h"
#include "album/RecentFolders.h"

namespace xelo {

class Registry;

// What the views are told after the list changed.
enum UpdateHint : int {
    kHintEntriesChanged = 0,
    kHintOrderChanged = 1,
    kHintNewFolder = 2,
};

class DocumentObserver {
  public:
    virtual ~DocumentObserver() = default;
    virtual void OnListChanged(UpdateHint hint) = 0;
    // An entry was selected (the image view loads it), or null: drop the shown image.
    virtual void OnCurrentChanged(const CImageEntry* entry) = 0;
};

// The frame, as far as the document needs it.
class DocumentHost {
  public:
    virtual ~DocumentHost() = default;
    virtual int ViewMode() const = 0;
    // Switches the view mode (the document asks for Thumbnail when the list becomes empty).
    virtual void SendCommand(int command) = 0;
};

// How the image view shows its picture, kept for ink drawing and the slide show.
struct ImageViewRecord {
    double zoomFactor = 1.0;  // with VGA Filmstrip, times the external display's scale
    int orientation = 0;      // 0 … 7
    int naturalWidth = 0;
    int naturalHeight = 0;
};

class CTavoDoc {
  public:
    // Both are optional and not owned.
    explicit CTavoDoc(Registry* registry = nullptr, DocumentHost* host = nullptr);
    ~CTavoDoc();
    CTavoDoc(const CTavoDoc&) = delete;
    CTavoDoc& operator=(const CTavoDoc&) = delete;

    void AddObserver(DocumentObserver* observer);  // not owned
    void RemoveObserver(DocumentObserver* observer);

    // The list, in display order.
    int Count() const { return static_cast<int>(entries_.size()); }
    CImageEntry* EntryAt(int index) const;
    int IndexOf(const CImageEntry* entry) const;
    // The entry whose name equals `name` without regard to case (first in display order), with
    // its position; null for an empty name or no match.
    CImageEntry* FindByName(const std::string& name, int* index = nullptr) const;
    // The entry pointers in display order.
    std::vector<CImageEntry*> Order() const;
    // Rebuilds the list in `order`, which must hold every entry exactly once (else false and the
    // list is unchanged). The folder then counts as arranged by the user.
    bool SetOrder(const std::vector<CImageEntry*>& order);

    // Selection (bit 0x1000).
    int SelectByName(const std::string& name, bool on);
    int SelectedCount() const;
    int FirstSelected() const;
    std::vector<int> SelectedIndices() const;
    void SetSelected(int index, bool on);
    void ClearSelection();
    void SelectAll();
    void InvertSelection();

    // Adds an entry for a file of the current folder at the tail; false when the file holds no
    // readable image. Out of memory and out of resources are passed on.
    bool AddEntry(const FindData& data);
    void RemoveEntry(int index);
    void ClearList();

    // Makes `path` the current folder, remembers it, scans it and applies its album data.
    void OpenFolder(const std::string& path);
    // Adds the folder's new files; with refresh, first drops vanished files and refills changed.
    void Scan(bool refresh);
    // The album data of the current folder as it would be written.
    AlbumData MakeAlbumData() const;
    // Writes the album data when the current folder exists and has entries, and the folder
    // already has an album file, or the user arranged it (reordered, sorted or hid a slide), or
    // album files are kept for every folder. Errors are swallowed. True when the file was written.
    bool SaveAlbum();
    // With `on`, every folder left gets its album file, as the handheld did; otherwise a folder
    // merely looked at stays as it was.
    void SetAlbumForEveryFolder(bool on) { albumForEveryFolder_ = on; }
    bool AlbumForEveryFolder() const { return albumForEveryFolder_; }
    // The tree selected another folder: the album data of this one is saved, then it opens.
    void Reopen(const std::string& folder);
    // Closing the document saves the album data of the current folder and empties the list.
    void Close();
    // Go To: an empty target means "/"; a missing one raises 46012; the current folder does
    // nothing (false). Otherwise the album data is saved and the target opened.
    bool GoTo(const std::string& target);

    // Tells the observers; enforces the one-selected rule of the single-image modes first.
    void UpdateViews(UpdateHint hint);

    const std::string& CurrentFolder() const { return folder_; }
    void SetCurrentFolder(const std::string& folder) { folder_ = folder; }
    const std::string& Extensions() const { return extensions_; }
    void SetExtensions(std::string list) { extensions_ = std::move(list); }
    CRecentFolders& Recent() { return recent_; }
    // The image names of Copy and Cut (file commands in FileOperations.h).
    FileClipboard& Clipboard() { return clipboard_; }
    const FileClipboard& Clipboard() const { return clipboard_; }
    const CRecentFolders& Recent() const { return recent_; }
    int ViewMode() const;
    const ImageViewRecord& ViewRecord() const { return viewRecord_; }
    void SetViewRecord(const ImageViewRecord& record) { viewRecord_ = record; }

  private:
    bool Rebuild(const std::vector<CImageEntry*>& order);
    void ApplyAlbum(const AlbumData& album);
    // Whether leaving the folder should write its album file (see SaveAlbum).
    bool AlbumWorthKeeping() const;
    // Step after a scan: back to Thumbnail when empty in an image mode, else select the first.
    void CheckModeAfterScan();
    void Notify(UpdateHint hint);
    void NotifyCurrent(const CImageEntry* entry);

    Registry* registry_;  // not owned
    DocumentHost* host_;  // not owned
    std::vector<DocumentObserver*> observers_;
    std::vector<std::unique_ptr<CImageEntry>> entries_;
    std::string folder_;
    std::string extensions_{kImageExtensions};
    CRecentFolders recent_;
    FileClipboard clipboard_;
    ImageViewRecord viewRecord_;
    bool arranged_ = false;  // the user changed the order since the folder was opened
    bool albumForEveryFolder_ = false;
};

// Case-insensitive name comparison (ASCII letters folded), as names are compared for sorting
// and searching.
int CompareNames(const std::string& a, const std::string& b);

}  // namespace xelo
