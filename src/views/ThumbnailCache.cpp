// Looking up, validating and storing pictures in the shared thumbnail folders.
#include "views/ThumbnailCache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "codec/ColourTarget.h"
#include "codec/ImageFile.h"
#include "codec/TempFiles.h"
#include "codec/ThumbnailPng.h"
#include "image/ErrorCodes.h"
#include "image/FileError.h"
#include "image/FitSize.h"
#include "image/Reducer.h"
#include "image/Resampler.h"
#include "image/TavoException.h"
#include "views/Md5Digest.h"

namespace xelo {

namespace {

constexpr uint32_t kUnit = 41;
constexpr uint32_t kBackground = 0x999999;  // under transparent parts of other programs' files
constexpr const char* kSoftware = "Xelo Album";
// Seconds are all the shared key holds; our own files also carry the nanoseconds so that a file
// rewritten within the same second is not taken for the one thumbnailed.
constexpr const char* kNanosecondsKey = "X-Xelo::MTime-Nsec";

struct FileStamp {
    std::string uri;
    int64_t seconds = 0;
    int64_t nanoseconds = 0;  // since 1970, whole
    uint64_t size = 0;
};

const char* FolderName(ThumbnailFolder folder) {
    return folder == ThumbnailFolder::kLarge ? "large" : "normal";
}

std::optional<int64_t> ParseInteger(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0') return std::nullopt;
    return value;
}

bool Matches(const PngTextKeys& keys, const FileStamp& stamp) {
    const auto uri = keys.find("Thumb::URI");
    if (uri != keys.end() && uri->second != stamp.uri) return false;
    const auto mtime = keys.find("Thumb::MTime");
    if (mtime == keys.end() || ParseInteger(mtime->second) != stamp.seconds) return false;
    const auto size = keys.find("Thumb::Size");
    if (size != keys.end() && ParseInteger(size->second) != static_cast<int64_t>(stamp.size)) {
        return false;
    }
    const auto nanoseconds = keys.find(kNanosecondsKey);
    return nanoseconds == keys.end() || ParseInteger(nanoseconds->second) == stamp.nanoseconds;
}

bool ReadValid(const std::string& path, const FileStamp& stamp, CDibImage& image) {
    PngTextKeys keys;
    if (!ReadThumbnailPng(path, image, keys, kBackground)) return false;
    if (Matches(keys, stamp)) return true;
    image.Release();
    return false;
}

// mkdir -p with mode 0700 for every folder it makes.
bool MakeFolders(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    const size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !MakeFolders(path.substr(0, slash))) {
        return false;
    }
    return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

// Written beside its final name and renamed over it: readers never see half a file.
void Store(const std::string& path, const CDibImage& image, const FileStamp& stamp) {
    const size_t slash = path.find_last_of('/');
    if (!MakeFolders(path.substr(0, slash))) return;
    std::string temp;
    const int fd = CreateTempBeside(path, 0600, temp);
    if (fd < 0) return;
    const PngTextKeys keys = {
        {"Thumb::URI", stamp.uri},
        {"Thumb::MTime", std::to_string(stamp.seconds)},
        {"Thumb::Size", std::to_string(stamp.size)},
        {"Software", kSoftware},
        {kNanosecondsKey, std::to_string(stamp.nanoseconds)},
    };
    FILE* file = ::fdopen(fd, "wb");
    bool ok = file != nullptr;
    if (ok) {
        try {
            ok = WriteThumbnailPng(file, image, keys);
        } catch (...) {
            ok = false;
        }
        ok = std::fclose(file) == 0 && ok;
    } else {
        ::close(fd);
    }
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) ::unlink(temp.c_str());
}

bool IsDecodingFailure(uint32_t code) {
    return code == kErrFormatInvalid || code == kErrFormatUnsupported || code == kErrNoImages ||
           code == kErrEndOfFile;
}

bool Inside(const std::string& path, const std::string& folder) {
    return !folder.empty() && path.size() > folder.size() &&
           path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/';
}

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    std::string absolute = std::filesystem::absolute(path, error).lexically_normal().string();
    return error ? path : absolute;
}

}  // namespace

int ThumbnailFolderSide(ThumbnailFolder folder) {
    return folder == ThumbnailFolder::kLarge ? 256 : 128;
}

ThumbnailBoxDecoder DefaultBoxDecoder() {
    return [](const std::string& path, CDibImage& image, int side) {
        CImageFile file;
        file.ReadThumbnail(path, image, side, side);
    };
}

ThumbnailCache::ThumbnailCache(std::string root) : root_(std::move(root)) {
    while (root_.size() > 1 && root_.back() == '/')
        root_.pop_back();
}

std::string ThumbnailCache::DefaultRoot() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/') return std::string(cache) + "/thumbnails";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return std::string(home) + "/.cache/thumbnails";
    return std::string();
}

std::string ThumbnailCache::FileUri(const std::string& path) {
    const std::string absolute = AbsolutePath(path);
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const char c : absolute) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= '0' && byte <= '9') ||
                           std::string_view("!$&'()*+,-./:=@_~").find(c) != std::string_view::npos;
        if (plain) {
            uri += c;
        } else {
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 15];
        }
    }
    return uri;
}

std::string ThumbnailCache::PicturePath(const std::string& uri, ThumbnailFolder folder) const {
    return root_ + "/" + FolderName(folder) + "/" + Md5Hex(uri) + ".png";
}

std::string ThumbnailCache::FailurePath(const std::string& uri) const {
    return root_ + "/fail/" + kThumbnailFailureFolder + "/" + Md5Hex(uri) + ".png";
}

void ThumbnailCache::Get(const std::string& path, ThumbnailFolder folder, CDibImage& image,
                         const ThumbnailBoxDecoder& decode, bool retryFailures) const {
    image.Release();
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        ThrowFileError(errno, path, {kComponentCodecFramework, kUnit, __LINE__});
    FileStamp stamp;
    stamp.uri = FileUri(path);
    stamp.seconds = st.st_mtim.tv_sec;
    stamp.nanoseconds = int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec;
    stamp.size = static_cast<uint64_t>(st.st_size);
    const int side = ThumbnailFolderSide(folder);
    const bool usable = !root_.empty();
    if (usable) {
        if (ReadValid(PicturePath(stamp.uri, folder), stamp, image)) return;
        if (folder == ThumbnailFolder::kNormal &&
            ReadValid(PicturePath(stamp.uri, ThumbnailFolder::kLarge), stamp, image)) {
            ReduceToFit(image, side, side);
            return;
        }
        CDibImage marker;
        if (!retryFailures && ReadValid(FailurePath(stamp.uri), stamp, marker)) {
            ThrowError(kErrFormatInvalid, {kComponentCodecFramework, kUnit, __LINE__});
        }
    }
    // A picture inside the thumbnail folders is never thumbnailed into them.
    const bool store = usable && !Inside(AbsolutePath(path), AbsolutePath(root_));
    try {
        const CSrgbOutput shared;  // the cache is read by other programs as sRGB
        decode(path, image, side);
    } catch (const CTavoException& e) {
        if (store && IsDecodingFailure(e.GetCode())) {
            CDibImage marker;
            marker.Create(1, 1, 3, false);
            Store(FailurePath(stamp.uri), marker, stamp);
        }
        throw;
    }
    if (store && !image.IsEmpty()) Store(PicturePath(stamp.uri, folder), image, stamp);
}

void ReduceToFit(CDibImage& image, int maxWidth, int maxHeight) {
    if (image.IsEmpty()) return;
    const Size fit = FitSize(maxWidth, maxHeight, image.Width(), image.Height(), false);
    if (fit.width == image.Width() && fit.height == image.Height()) return;
    CDibImage reduced;
    if (CanReduceSmoothly(image)) {
        ReduceImage(image, reduced, fit);
    } else {
        reduced.Create(fit.width, fit.height, 3, false);
        if (!Resample24(image.Bits(), image.Width(), image.Height(), image.RowPad(),
                        image.BytesPerPixel(), image.Palette(), reduced.Bits(), fit.width,
                        fit.height, reduced.RowPad())) {
            ThrowError(kErrNoMemory, {kComponentResampler, kUnit, __LINE__});
        }
    }
    reduced.TransferTo(image);
}

}  // namespace xelo
