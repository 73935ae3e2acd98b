#include "settings/FileAssociation.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "album/FolderEnum.h"
#include "album/WholeFile.h"
#include "codec/FileWriter.h"
#include "image/ErrorCodes.h"
#include "image/TavoException.h"
#include "settings/KeyFileText.h"

namespace xelo {

namespace {

constexpr char kDefaultsGroup[] = "Default Applications";
constexpr char kRecordGroup[] = "Replaced Defaults";
constexpr size_t kMaxKeyFile = 4u << 20;
constexpr Origin kOrigin{};

struct TypeName {
    const char* extension;
    const char* mimeType;
};
constexpr TypeName kTypes[] = {
    {"jpg", "image/jpeg"},  {"jpeg", "image/jpeg"}, {"jpe", "image/jpeg"},  {"png", "image/png"},
    {"gif", "image/gif"},   {"bmp", "image/bmp"},   {"webp", "image/webp"}, {"heic", "image/heic"},
    {"heif", "image/heif"}, {"avif", "image/avif"}, {"tif", "image/tiff"},  {"tiff", "image/tiff"},
};

std::string EnvPath(const char* name) {
    const char* v = std::getenv(name);
    return v && v[0] == '/' ? std::string(v) : std::string();
}

std::string Home() {
    const char* home = std::getenv("HOME");
    return home ? home : "";
}

// The file to write for `path`: a symbolic link (a dotfile manager's) keeps pointing at the
// file it names, which gets the new text.
std::string WriteTarget(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec)) return path;
    const std::filesystem::path target = std::filesystem::canonical(path, ec);
    return ec ? path : target.string();
}

CKeyFileText ReadKeyFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, kMaxKeyFile, bytes, kOrigin)) return CKeyFileText(std::string());
    return CKeyFileText(std::string(bytes.begin(), bytes.end()));
}

void WriteKeyFile(const std::string& path, const CKeyFileText& file) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    CFileWriter writer(WriteTarget(path), kOrigin);
    const std::string text = file.Text();
    writer.Write(text.data(), text.size());
    writer.Commit();
}

std::vector<std::string> SplitIds(const std::string& value) {
    std::vector<std::string> ids;
    size_t pos = 0;
    while (pos <= value.size()) {
        size_t semi = value.find(';', pos);
        if (semi == std::string::npos) semi = value.size();
        std::string id = value.substr(pos, semi - pos);
        id.erase(0, id.find_first_not_of(' '));
        id.erase(id.find_last_not_of(' ') + 1);
        if (!id.empty()) ids.push_back(id);
        pos = semi + 1;
    }
    return ids;
}

bool FirstIsOurs(const std::optional<std::string>& value) {
    if (!value) return false;
    const std::vector<std::string> ids = SplitIds(*value);
    return !ids.empty() && ids.front() == kDesktopId;
}

// Ours first, then the ids that were there, so the type still opens when the program is gone.
std::string ClaimedValue(const std::optional<std::string>& previous) {
    std::string value = std::string(kDesktopId) + ";";
    if (previous) {
        for (const std::string& id : SplitIds(*previous)) {
            if (id != kDesktopId) value += id + ";";
        }
    }
    return value;
}

}  // namespace

std::string XdgConfigHome() {
    const std::string config = EnvPath("XDG_CONFIG_HOME");
    return config.empty() ? Home() + "/.config" : config;
}

std::string XdgDataHome() {
    const std::string data = EnvPath("XDG_DATA_HOME");
    return data.empty() ? Home() + "/.local/share" : data;
}

std::string ImageMimeType(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (!lower.empty() && lower[0] == '.') lower.erase(0, 1);
    for (const TypeName& t : kTypes) {
        if (lower == t.extension || lower == t.mimeType) return t.mimeType;
    }
    return {};
}

const std::vector<std::string>& AssociableMimeTypes() {
    static const std::vector<std::string> types = [] {
        std::vector<std::string> out;
        for (const TypeName& t : kTypes) {
            if (std::find(out.begin(), out.end(), t.mimeType) == out.end())
                out.push_back(t.mimeType);
        }
        return out;
    }();
    return types;
}

CFileAssociation::CFileAssociation(std::string configHome) : configHome_(std::move(configHome)) {}

std::string CFileAssociation::MimeAppsPath() const {
    return JoinPath(configHome_, "mimeapps.list");
}

std::string CFileAssociation::RecordPath() const {
    return JoinPath(configHome_, "xelo-album/replaced-defaults.list");
}

bool CFileAssociation::IsClaimed(const std::string& mimeType) const {
    return FirstIsOurs(ReadKeyFile(MimeAppsPath()).Value(kDefaultsGroup, mimeType));
}

void CFileAssociation::Claim(const std::vector<std::string>& mimeTypes) {
    CKeyFileText apps = ReadKeyFile(MimeAppsPath());
    CKeyFileText record = ReadKeyFile(RecordPath());
    bool changed = false;
    for (const std::string& type : mimeTypes) {
        const std::optional<std::string> current = apps.Value(kDefaultsGroup, type);
        if (FirstIsOurs(current)) continue;
        // An empty record means the type had no default of its own.
        record.SetValue(kRecordGroup, type, current.value_or(""));
        apps.SetValue(kDefaultsGroup, type, ClaimedValue(current));
        changed = true;
    }
    if (!changed) return;
    // The record first: should the second write fail, the old default is still known.
    WriteKeyFile(RecordPath(), record);
    WriteKeyFile(MimeAppsPath(), apps);
}

void CFileAssociation::Release(const std::vector<std::string>& mimeTypes) {
    CKeyFileText apps = ReadKeyFile(MimeAppsPath());
    CKeyFileText record = ReadKeyFile(RecordPath());
    bool appsChanged = false;
    bool recordChanged = false;
    for (const std::string& type : mimeTypes) {
        const std::optional<std::string> previous = record.Value(kRecordGroup, type);
        if (!previous) continue;
        if (FirstIsOurs(apps.Value(kDefaultsGroup, type))) {
            if (previous->empty()) {
                apps.Remove(kDefaultsGroup, type);
            } else {
                apps.SetValue(kDefaultsGroup, type, *previous);
            }
            appsChanged = true;
        }
        record.Remove(kRecordGroup, type);
        recordChanged = true;
    }
    if (appsChanged) WriteKeyFile(MimeAppsPath(), apps);
    if (recordChanged) WriteKeyFile(RecordPath(), record);
}

}  // namespace xelo
