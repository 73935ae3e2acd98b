// Attachments of a mail: prepared copies in a private temporary folder, notes under the attached
// image's name, and the folder removed with everything in it at the end.
#include "share/MailAttachments.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "codec/ImageFile.h"
#include "codec/SaveImageAs.h"
#include "image/FileError.h"
#include "image/TavoException.h"
#include "ink/InkFile.h"
#include "ink/InkRaster.h"
#include "ink/LtManager.h"
#include "share/MailErrors.h"

namespace xelo {

namespace {

constexpr uint32_t kUnit = 71;
// A reduced photograph should not show the pass it went through.
constexpr uint32_t kPreparedJpegQuality = 90;

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string LowerExtension(const std::string& name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return {};
    std::string ext = name.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// A regular file we can open for reading; otherwise its file error is thrown.
void CheckReadable(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) ThrowFileError(errno, path, {kMailComponent, kUnit, __LINE__});
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    if (!regular) ThrowError(kErrFileGeneric, {kMailComponent, kUnit, __LINE__});
}

// The mail library opens files by absolute path only.
std::string Absolute(const std::string& path) {
    if (!path.empty() && path.front() == '/') return path;
    char cwd[4096];
    if (::getcwd(cwd, sizeof cwd) == nullptr) return path;
    return std::string(cwd) + "/" + path;
}

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The format a prepared copy is written in: the picture's own where we write it, else JPEG.
SaveOptions CopyFormat(const ImageInfo& info) {
    SaveOptions options;
    switch (info.format) {
        case kFormatBmp:
            options.format = kSaveBmp;
            options.value = kKeepDepthValue;
            break;
        case kFormatGif:
            options.format = kSaveGif;
            options.value = 256;
            break;
        case kFormatPng:
            options.format = kSavePng;
            break;
        default:
            options.format = kSaveJpeg;
            options.value = kPreparedJpegQuality;
            break;
    }
    if (info.xResolution > 0 && info.yResolution > 0) {
        options.xDpi = info.xResolution;
        options.yDpi = info.yResolution;
    }
    return options;
}

// The name the recipient sees for a copy in `options`' format: the image's own name, with
// ".jpg" put on when the copy changed format.
std::string CopyName(const std::string& name, const SaveOptions& options, int32_t sourceFormat) {
    if (options.format != kSaveJpeg || sourceFormat == kFormatJpeg) return name;
    return name + ".jpg";
}

// Decodes `source`, draws its ink when asked, reduces it to `ratio` percent and writes `out`.
void WritePreparedCopy(const std::string& source, const std::string& out, int ratio, bool mergeInk,
                       const ImageInfo& info, const SaveOptions& options) {
    CImageFile file;
    CImageFrames frames;
    file.LoadFirstFrame(source, frames);
    if (frames.frames.empty() || frames.frames[0]->image.IsEmpty()) {
        ThrowError(kErrNoMemory, {kMailComponent, kUnit, __LINE__});
    }
    CDibImage& picture = frames.frames[0]->image;
    picture.MakeTransparentUnique();
    if (mergeInk) {
        CXeloLtManager layer;
        if (LoadInk(InkPathFor(source), layer) && layer.Count() > 0) {
            // Strokes are in the whole picture's pixels; a smaller first frame cannot take them.
            if (picture.Width() != info.width || picture.Height() != info.height) {
                ThrowError(kErrFormatUnsupported, {kMailComponent, kUnit, __LINE__});
            }
            DrawInkOnPicture(picture, layer);
        }
    }
    if (ratio < 100) {
        ResizeImage(picture, Size{ReducedSide(picture.Width(), ratio),
                                  ReducedSide(picture.Height(), ratio)});
    }
    WriteImageAs(picture, out, options);
}

std::string NoteCharsetOf(const std::string& path) {
    // The start is enough to tell; notes are short anyway.
    constexpr size_t kSample = 1 << 16;
    std::string bytes(kSample, '\0');
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ssize_t n = fd < 0 ? -1 : ::read(fd, bytes.data(), bytes.size());
    if (fd >= 0) ::close(fd);
    bytes.resize(n > 0 ? static_cast<size_t>(n) : 0);
    // A sample may end inside a character: judge only whole ones.
    if (bytes.size() == kSample) {
        size_t cut = bytes.size();
        while (cut > 0 && cut + 4 > bytes.size() &&
               (static_cast<unsigned char>(bytes[cut - 1]) & 0x80))
            --cut;
        bytes.resize(cut);
    }
    return NoteCharset(bytes);
}

constexpr char kFolderPrefix[] = "xelo-mail-";

void RemoveFolder(const std::string& folder) {
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (name != "." && name != "..") ::unlink((folder + "/" + name).c_str());
        }
        ::closedir(dir);
    }
    ::rmdir(folder.c_str());
}

// Folders of ours that a killed process left in `tmp`: "xelo-mail-PID-XXXXXX" of this user whose
// process is gone.
void RemoveStaleFolders(const std::string& tmp) {
    DIR* dir = ::opendir(tmp.c_str());
    if (!dir) return;
    const std::string prefix = kFolderPrefix;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        char* end = nullptr;
        const long pid = std::strtol(name.c_str() + prefix.size(), &end, 10);
        if (pid <= 0 || end == nullptr || *end != '-') continue;
        const std::string path = tmp + "/" + name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) {
            continue;
        }
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        RemoveFolder(path);
    }
    ::closedir(dir);
}

}  // namespace

std::string NoteCharset(const std::string& bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        return "utf-16";
    }
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        const size_t length = c < 0x80         ? 1
                              : (c >> 5) == 6  ? 2
                              : (c >> 4) == 14 ? 3
                              : (c >> 3) == 30 ? 4
                                               : 0;
        if (length == 0 || i + length > bytes.size()) return "windows-1252";
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return "windows-1252";
        }
        i += length;
    }
    return "utf-8";
}

int ReducedSide(int side, int ratio) {
    const long long scaled = (static_cast<long long>(side) * ratio + 50) / 100;
    return static_cast<int>(std::max<long long>(1, scaled));
}

std::string MailMimeType(const std::string& fileName) {
    static const struct {
        const char* extension;
        const char* type;
    } kTypes[] = {
        {"jpg", "image/jpeg"},  {"jpeg", "image/jpeg"}, {"jpe", "image/jpeg"},
        {"gif", "image/gif"},   {"giff", "image/gif"},  {"bmp", "image/bmp"},
        {"2bp", "image/bmp"},   {"png", "image/png"},   {"webp", "image/webp"},
        {"tif", "image/tiff"},  {"tiff", "image/tiff"}, {"heic", "image/heic"},
        {"heif", "image/heif"}, {"avif", "image/avif"}, {"txt", "text/plain"},
        {"wav", "audio/wav"},
    };
    const std::string ext = LowerExtension(fileName);
    for (const auto& t : kTypes) {
        if (ext == t.extension) return t.type;
    }
    return "application/octet-stream";
}

CMailAttachments::~CMailAttachments() {
    // Everything in the folder is ours, including what a writer left of a failed file.
    if (!folder_.empty()) RemoveFolder(folder_);
}

const std::string& CMailAttachments::Folder() {
    if (!folder_.empty()) return folder_;
    const char* variable = std::getenv("TMPDIR");
    const std::string tmp = Absolute(variable && *variable ? variable : "/tmp");
    RemoveStaleFolders(tmp);
    std::string pattern = tmp + "/" + kFolderPrefix + std::to_string(::getpid()) + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        ThrowError(kErrCreateAttachment, {kMailComponent, kUnit, __LINE__});
    }
    folder_ = pattern;
    return folder_;
}

std::string CMailAttachments::NewCopyPath(const std::string& name) {
    // Numbered, so that two copies of one name cannot meet; the recipient sees `name`.
    return Folder() + "/" + std::to_string(++copies_) + "-" + name;
}

uint64_t CMailAttachments::TotalBytes() const {
    uint64_t total = 0;
    for (const MailAttachment& a : items_) {
        struct stat st {};
        if (::stat(a.path.c_str(), &st) == 0) total += static_cast<uint64_t>(st.st_size);
    }
    return total;
}

void CMailAttachments::AddImage(const std::string& givenPath, const AttachOptions& options) {
    const std::string imagePath = Absolute(givenPath);
    const size_t itemMark = items_.size();
    const size_t ownedMark = ownedFiles_.size();
    try {
        std::string shownName = BaseName(imagePath);
        if (options.reduce || options.mergeInk) {
            CImageFile file;
            ImageInfo info;
            file.ReadInfo(imagePath, info);
            const SaveOptions format = CopyFormat(info);
            shownName = CopyName(shownName, format, info.format);
            const std::string copy = NewCopyPath(shownName);
            ownedFiles_.push_back(copy);
            WritePreparedCopy(imagePath, copy, options.reduce ? options.ratio : 100,
                              options.mergeInk, info, format);
            items_.push_back({copy, shownName, MailMimeType(shownName), {}});
        } else {
            CheckReadable(imagePath);
            items_.push_back({imagePath, shownName, MailMimeType(shownName), {}});
        }
        // The notes go under the name the image is attached with.
        if (options.attachText && IsRegularFile(imagePath + ".txt")) {
            CheckReadable(imagePath + ".txt");
            items_.push_back({imagePath + ".txt", shownName + ".txt", "text/plain",
                              NoteCharsetOf(imagePath + ".txt")});
        }
        if (options.attachAudio && IsRegularFile(imagePath + ".wav")) {
            CheckReadable(imagePath + ".wav");
            items_.push_back({imagePath + ".wav", shownName + ".wav", "audio/wav", {}});
        }
    } catch (...) {
        items_.resize(itemMark);
        for (size_t i = ownedMark; i < ownedFiles_.size(); ++i)
            ::unlink(ownedFiles_[i].c_str());
        ownedFiles_.resize(ownedMark);
        throw;
    }
}

}  // namespace xelo
