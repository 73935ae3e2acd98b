#include "share/ContactBook.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <set>
#include <system_error>
#include <utility>

#include "album/WholeFile.h"
#include "image/FileError.h"
#include "image/TavoException.h"
#include "settings/FileAssociation.h"
#include "share/ContactsOrigin.h"

namespace xelo {

namespace {

constexpr uint32_t kUnit = 2;
constexpr size_t kMaxFileBytes = 64u << 20;
constexpr size_t kMaxFolderFiles = 20000;
constexpr int kMaxFolderDepth = 4;

std::vector<VCardContact> ReadCards(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, kMaxFileBytes, bytes, {kComponentContacts, kUnit, __LINE__})) {
        ThrowFileError(ENOENT, path, {kComponentContacts, kUnit, __LINE__});
    }
    return ParseVCards(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool IsCardFile(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".vcf" || extension == ".vcard";
}

std::string Folded(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::vector<std::string> DefaultContactFolders() {
    std::vector<std::string> folders = {XdgDataHome() + "/contacts"};
    const char* home = std::getenv("HOME");
    if (home && *home) {
        std::error_code ec;
        const std::string dotted = std::string(home) + "/.contacts";
        if (std::filesystem::is_directory(dotted, ec)) folders.push_back(dotted);
    }
    return folders;
}

void CContactBook::LoadFolders(const std::vector<std::string>& folders) {
    namespace fs = std::filesystem;
    for (const std::string& folder : folders) {
        std::error_code ec;
        std::vector<fs::path> files;
        fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied,
                                            ec);
        for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (it.depth() >= kMaxFolderDepth) it.disable_recursion_pending();
            std::error_code typeError;
            if (it->is_regular_file(typeError) && IsCardFile(it->path())) {
                files.push_back(it->path());
            }
            if (files.size() >= kMaxFolderFiles) break;
        }
        std::sort(files.begin(), files.end());  // the directory's own order is arbitrary
        for (const fs::path& file : files) {
            try {
                std::vector<VCardContact> cards = ReadCards(file.string());
                std::move(cards.begin(), cards.end(), std::back_inserter(contacts_));
            } catch (const CTavoException&) {
                // Skipped: see the header.
            }
        }
    }
}

void CContactBook::LoadFile(const std::string& path) {
    std::vector<VCardContact> cards = ReadCards(path);
    std::move(cards.begin(), cards.end(), std::back_inserter(contacts_));
}

std::vector<ContactRow> CContactBook::Rows() const {
    std::vector<std::pair<std::string, ContactRow>> keyed;
    std::set<std::pair<std::string, std::string>> seen;
    for (const VCardContact& contact : contacts_) {
        for (const std::string& address : contact.emails) {
            if (address.size() <= 2 || address.find('@') == std::string::npos) continue;
            if (!seen.insert({contact.name, address}).second) continue;
            keyed.push_back({Folded(contact.name), {contact.name, address}});
        }
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<ContactRow> rows;
    rows.reserve(keyed.size());
    for (auto& k : keyed)
        rows.push_back(std::move(k.second));
    return rows;
}

std::vector<ContactRow> LoadContactRows(const std::string& chosenFile) {
    CContactBook book;
    if (chosenFile.empty()) {
        book.LoadFolders(DefaultContactFolders());
    } else {
        book.LoadFile(chosenFile);
    }
    return book.Rows();
}

}  // namespace xelo
