// The document: folder scan, album data applied, selection, view notifications.
#include "album/TavoDoc.h"

#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "album/AlbumOrigin.h"
#include "base/Registry.h"
#include "base/ViewModes.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 102;

bool PassesOn(const CTavoException& e) {
    return e.GetCode() == kErrNoMemory || e.GetCode() == kErrNoResources;
}

// ASCII letters in lower case, as CompareNames folds them.
std::string FoldCase(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

// "/pics/" and "/pics" are the same folder; "/" stays.
std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}
}  // namespace

int CompareNames(const std::string& a, const std::string& b) {
    return ::strcasecmp(a.c_str(), b.c_str());
}

CTavoDoc::CTavoDoc(Registry* registry, DocumentHost* host) : registry_(registry), host_(host) {}

CTavoDoc::~CTavoDoc() = default;

void CTavoDoc::AddObserver(DocumentObserver* observer) {
    observers_.push_back(observer);
}

void CTavoDoc::RemoveObserver(DocumentObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

int CTavoDoc::ViewMode() const {
    return host_ ? host_->ViewMode() : kModeNone;
}

CImageEntry* CTavoDoc::EntryAt(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return entries_[static_cast<size_t>(index)].get();
}

int CTavoDoc::IndexOf(const CImageEntry* entry) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].get() == entry) return static_cast<int>(i);
    }
    return -1;
}

CImageEntry* CTavoDoc::FindByName(const std::string& name, int* index) const {
    if (!name.empty()) {
        for (size_t i = 0; i < entries_.size(); ++i) {
            if (CompareNames(entries_[i]->Name(), name) == 0) {
                if (index) *index = static_cast<int>(i);
                return entries_[i].get();
            }
        }
    }
    if (index) *index = -1;
    return nullptr;
}

std::vector<CImageEntry*> CTavoDoc::Order() const {
    std::vector<CImageEntry*> order;
    order.reserve(entries_.size());
    for (const auto& e : entries_)
        order.push_back(e.get());
    return order;
}

bool CTavoDoc::SetOrder(const std::vector<CImageEntry*>& order) {
    if (!Rebuild(order)) return false;
    arranged_ = true;
    return true;
}

bool CTavoDoc::Rebuild(const std::vector<CImageEntry*>& order) {
    if (order.size() != entries_.size()) return false;
    std::unordered_map<const CImageEntry*, size_t> position;
    for (size_t i = 0; i < entries_.size(); ++i)
        position.emplace(entries_[i].get(), i);
    std::vector<std::unique_ptr<CImageEntry>> rebuilt(entries_.size());
    for (size_t i = 0; i < order.size(); ++i) {
        const auto it = position.find(order[i]);
        if (it == position.end() || !entries_[it->second]) {
            // Not ours, or named twice: put back what was taken and refuse.
            for (size_t k = 0; k < i; ++k)
                entries_[position[order[k]]] = std::move(rebuilt[k]);
            return false;
        }
        rebuilt[i] = std::move(entries_[it->second]);
    }
    entries_ = std::move(rebuilt);
    return true;
}

int CTavoDoc::SelectByName(const std::string& name, bool on) {
    int index = -1;
    if (FindByName(name, &index)) SetSelected(index, on);
    return index;
}

int CTavoDoc::SelectedCount() const {
    return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                          [](const auto& e) { return e->Has(kEntrySelected); }));
}

int CTavoDoc::FirstSelected() const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i]->Has(kEntrySelected)) return static_cast<int>(i);
    }
    return -1;
}

std::vector<int> CTavoDoc::SelectedIndices() const {
    std::vector<int> selected;
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i]->Has(kEntrySelected)) selected.push_back(static_cast<int>(i));
    }
    return selected;
}

void CTavoDoc::SetSelected(int index, bool on) {
    CImageEntry* entry = EntryAt(index);
    if (!entry) return;
    entry->SetFlag(kEntrySelected, on);
    if (on) NotifyCurrent(entry);
}

void CTavoDoc::ClearSelection() {
    for (auto& e : entries_)
        e->SetFlag(kEntrySelected, false);
}

void CTavoDoc::SelectAll() {
    for (auto& e : entries_)
        e->SetFlag(kEntrySelected, true);
}

void CTavoDoc::InvertSelection() {
    for (auto& e : entries_)
        e->SetFlag(kEntrySelected, !e->Has(kEntrySelected));
}

bool CTavoDoc::AddEntry(const FindData& data) {
    try {
        entries_.push_back(std::make_unique<CImageEntry>(data, folder_));
        return true;
    } catch (const CTavoException& e) {
        if (PassesOn(e)) throw;
        return false;  // not an image we can read: left out
    } catch (const std::bad_alloc&) {
        ThrowError(kErrNoMemory, {kComponentAlbum, kUnit, __LINE__});
    }
}

void CTavoDoc::RemoveEntry(int index) {
    if (index < 0 || index >= Count()) return;
    entries_.erase(entries_.begin() + index);
}

void CTavoDoc::ClearList() {
    entries_.clear();
}

void CTavoDoc::OpenFolder(const std::string& path) {
    folder_ = WithoutTrailingSlash(path);
    recent_.Add(folder_);
    if (registry_) {
        recent_.Save(*registry_);
        registry_->WriteString(reg::kStrings, reg::kPath, folder_);
    }
    ClearList();
    arranged_ = false;
    Scan(false);
    AlbumData album;
    bool haveAlbum = false;
    try {
        haveAlbum = ReadAlbumFile(folder_, album);
    } catch (const CTavoException&) {
        // A damaged album file leaves the scan order.
    }
    if (haveAlbum) ApplyAlbum(album);
    CheckModeAfterScan();
    UpdateViews(kHintNewFolder);
}

void CTavoDoc::ApplyAlbum(const AlbumData& album) {
    // Each stored name claims the entry of exactly that name, else one whose name differs only in
    // case and that no stored name claims exactly. Claimed entries come first in the stored order
    // and take the stored flag of their own name, never of a position; the others keep their scan
    // order after them and are shown.
    const size_t count = entries_.size();
    std::unordered_map<std::string_view, size_t> exact;
    exact.reserve(count);
    for (size_t i = 0; i < count; ++i)
        exact.emplace(entries_[i]->Name(), i);
    constexpr size_t kNone = SIZE_MAX;
    std::vector<size_t> claimOf(album.names.size(), kNone);
    std::vector<bool> claimed(count, false);
    for (size_t k = 0; k < album.names.size(); ++k) {
        const auto it = exact.find(album.names[k]);
        if (it != exact.end() && !claimed[it->second]) {
            claimed[it->second] = true;
            claimOf[k] = it->second;
        }
    }
    std::unordered_map<std::string, std::vector<size_t>> folded;  // unclaimed, in scan order
    for (size_t i = 0; i < count; ++i) {
        if (!claimed[i]) folded[FoldCase(entries_[i]->Name())].push_back(i);
    }
    for (size_t k = 0; k < album.names.size(); ++k) {
        if (claimOf[k] != kNone) continue;
        const auto it = folded.find(FoldCase(album.names[k]));
        if (it == folded.end()) continue;
        for (size_t i : it->second) {
            if (claimed[i]) continue;
            claimed[i] = true;
            claimOf[k] = i;
            break;
        }
    }
    std::vector<CImageEntry*> order;
    order.reserve(count);
    for (size_t k = 0; k < album.names.size(); ++k) {
        if (claimOf[k] == kNone) continue;
        CImageEntry* entry = entries_[claimOf[k]].get();
        order.push_back(entry);
        if (k < album.flags.size() && album.flags[k] == 1) entry->SetFlag(kEntryHidden, true);
    }
    for (size_t i = 0; i < count; ++i) {
        if (!claimed[i]) order.push_back(entries_[i].get());
    }
    Rebuild(order);
}

void CTavoDoc::Scan(bool refresh) {
    if (refresh) {
        for (size_t i = 0; i < entries_.size();) {
            CImageEntry& entry = *entries_[i];
            FindData now;
            if (!ReadFindData(folder_, entry.Name(), now)) {
                entries_.erase(entries_.begin() + static_cast<long>(i));
                continue;
            }
            const bool changed = now.size != entry.Size() || now.writeTime != entry.WriteTime() ||
                                 now.readOnly != entry.Has(kEntryReadOnly) ||
                                 entry.AnnotationsChanged(folder_);
            if (changed) {
                try {
                    entry.Refill(now, folder_);
                } catch (const CTavoException& e) {
                    if (PassesOn(e)) throw;
                    entries_.erase(entries_.begin() + static_cast<long>(i));
                    continue;
                }
            }
            ++i;
        }
    }
    // Files already listed before this scan are not added again.
    std::unordered_set<std::string> known;
    if (refresh) {
        known.reserve(entries_.size());
        for (const auto& e : entries_)
            known.insert(e->Name());
    }
    EnumerateFiles(folder_, extensions_, [&](const FindData& data) {
        if (!known.empty() && known.count(data.name)) return true;
        AddEntry(data);
        return true;
    });
    if (refresh) CheckModeAfterScan();
}

void CTavoDoc::CheckModeAfterScan() {
    const int mode = ViewMode();
    if (entries_.empty() && IsImageMode(mode)) {
        if (host_) host_->SendCommand(kModeThumbnail);
    } else if (!entries_.empty() && FirstSelected() < 0 && IsSingleImageMode(mode)) {
        SetSelected(0, true);
    }
}

AlbumData CTavoDoc::MakeAlbumData() const {
    AlbumData album;
    album.names.reserve(entries_.size());
    album.flags.reserve(entries_.size());
    for (const auto& e : entries_) {
        album.names.push_back(e->Name());
        album.flags.push_back(e->Has(kEntryHidden) ? 1 : 0);
    }
    return album;
}

bool CTavoDoc::AlbumWorthKeeping() const {
    if (albumForEveryFolder_ || arranged_) return true;
    for (const auto& e : entries_) {
        if (e->Has(kEntryHidden)) return true;
    }
    struct stat st {};
    return ::lstat(AlbumFilePath(folder_).c_str(), &st) == 0;
}

bool CTavoDoc::SaveAlbum() {
    if (folder_.empty() || entries_.empty() || !IsDirectory(folder_)) return false;
    if (!AlbumWorthKeeping()) return false;
    try {
        WriteAlbumFile(folder_, MakeAlbumData());
        return true;
    } catch (const CTavoException&) {
        return false;  // storage full or read-only: the folder keeps its old album data
    }
}

void CTavoDoc::Reopen(const std::string& folder) {
    SaveAlbum();
    OpenFolder(folder);
}

void CTavoDoc::Close() {
    SaveAlbum();
    ClearList();
}

bool CTavoDoc::GoTo(const std::string& target) {
    const std::string folder = target.empty() ? std::string("/") : WithoutTrailingSlash(target);
    if (!IsDirectory(folder)) ThrowError(kErrBadPath, {kComponentAlbum, kUnit, __LINE__});
    if (folder == folder_) return false;
    SaveAlbum();
    const int mode = ViewMode();
    if (mode == kModeFilmstrip || mode == kModeVgaFilmstrip) NotifyCurrent(nullptr);
    OpenFolder(folder);
    return true;
}

void CTavoDoc::UpdateViews(UpdateHint hint) {
    const int mode = ViewMode();
    if (entries_.empty() && IsImageMode(mode)) {
        if (host_) host_->SendCommand(kModeThumbnail);
        return;
    }
    if (IsSingleImageMode(mode)) {
        const int first = FirstSelected();
        if (first < 0) {
            SetSelected(0, true);
        } else {
            for (size_t i = static_cast<size_t>(first) + 1; i < entries_.size(); ++i) {
                entries_[i]->SetFlag(kEntrySelected, false);
            }
        }
    }
    Notify(hint);
}

void CTavoDoc::Notify(UpdateHint hint) {
    for (DocumentObserver* o : observers_)
        o->OnListChanged(hint);
}

void CTavoDoc::NotifyCurrent(const CImageEntry* entry) {
    for (DocumentObserver* o : observers_)
        o->OnCurrentChanged(entry);
}

}  // namespace xelo
