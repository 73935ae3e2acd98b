// xelo-tool thumb: thumbnails of one or many images, written to files or into the desktop's
// shared thumbnail folders, made on every core.
#include <sys/stat.h>

#include <cstdio>
#include <set>

#include "FileOperands.h"
#include "SaveImage.h"
#include "ToolArgs.h"
#include "Verbs.h"
#include "codec/FileWriter.h"
#include "codec/ImageFile.h"
#include "image/TavoException.h"
#include "views/ThumbnailCache.h"
#include "views/ThumbnailWorkers.h"

namespace xelo::tool {

namespace {

const std::vector<std::string> kValued = {"-o", "--box", "--out-dir", "--format"};
const std::vector<std::string> kKnown = {"-o",       "--box",   "--out-dir",
                                         "--format", "--cache", "--large"};

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// "photo.jpg" in DIR as "DIR/photo.bmp".
std::string OutputIn(const std::string& dir, const std::string& file, const std::string& ext) {
    std::string name = BaseName(file);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return dir + "/" + name + "." + ext;
}

}  // namespace

int RunThumb(const std::vector<std::string>& args) {
    ToolArgs parsed;
    std::string error;
    if (!parsed.Parse(args, kValued, error)) return UsageError("thumb", error);
    if (const auto unknown = parsed.Unknown(kKnown); !unknown.empty()) {
        return UsageError("thumb", "unknown option " + unknown.front());
    }
    const std::vector<std::string>& files = parsed.Operands();
    if (files.empty()) return UsageError("thumb", "no FILE given");
    const auto out = parsed.Value("-o");
    const auto outDir = parsed.Value("--out-dir");
    const bool toCache = parsed.Has("--cache");
    if (out && outDir) return UsageError("thumb", "give -o or --out-dir, not both");
    if (out && (out->empty() || files.size() != 1)) {
        return UsageError("thumb", "-o OUT takes exactly one FILE; use --out-dir DIR for many");
    }
    if (outDir && outDir->empty()) return UsageError("thumb", "--out-dir needs a folder");
    if (!out && !outDir && !toCache) {
        return UsageError("thumb", "no output (-o OUT.bmp, --out-dir DIR or --cache)");
    }
    const std::string format = parsed.Value("--format").value_or("bmp");
    if (format != "bmp" && format != "jpg" && format != "gif") {
        return UsageError("thumb", "--format takes bmp, jpg or gif");
    }
    Size box{96, 72};
    if (const auto text = parsed.Value("--box")) {
        const auto size = ParseSize(*text);
        if (!size || size->width < 1 || size->height < 1) {
            return UsageError("thumb", "--box takes WxH with both at least 1");
        }
        box = *size;
    }
    const ThumbnailFolder folder =
        parsed.Has("--large") ? ThumbnailFolder::kLarge : ThumbnailFolder::kNormal;
    const ThumbnailCache cache(ThumbnailCache::DefaultRoot());
    if (toCache && cache.Root().empty()) {
        return UsageError("thumb", "neither XDG_CACHE_HOME nor HOME is set");
    }
    // The box's thumbnail of `file`, or with the cache its cached picture, reduced to the box
    // only when it is also written to a file. Failures throw.
    auto make = [&](const std::string& file, CDibImage& thumb, bool written) {
        if (toCache) {
            cache.Get(file, folder, thumb, DefaultBoxDecoder(), true);
            if (written) ReduceToFit(thumb, box.width, box.height);
        } else {
            CImageFile().ReadThumbnail(file, thumb, box.width, box.height);
        }
    };
    if (out) {
        const std::string& file = files.front();
        if (RefuseFolder(file)) return 1;
        try {
            CDibImage thumb;
            make(file, thumb, true);
            const CRegenerableOutput thumbnail;  // made again from the file whenever needed
            if (!SaveImage(*out, thumb, ToolSaveOptions{}, error)) return UsageError("thumb", error);
            std::printf("%s: %dx%d thumbnail written to %s\n", Printable(file).c_str(),
                        thumb.Width(), thumb.Height(), Printable(*out).c_str());
        } catch (const CTavoException& e) {
            PrintFileError(file, e.GetCode(), e.GetErrorMessage());
            return 1;
        }
        return 0;
    }

    std::vector<std::string> targets(files.size());
    if (outDir) {
        std::set<std::string> seen;
        for (size_t i = 0; i < files.size(); ++i) {
            targets[i] = OutputIn(*outDir, files[i], format);
            if (!seen.insert(targets[i]).second) {
                return UsageError("thumb", "two files would both be written to " + targets[i]);
            }
            if (SameFile(targets[i], files[i])) {
                return UsageError("thumb", "the thumbnail would overwrite " + files[i]);
            }
        }
    }

    // Each job makes, and writes, its thumbnail on a worker; the lines are printed one at a time.
    // The image is handed back only to print its size.
    int failures = 0;
    ThumbnailWorkers workers(
        [&](const ThumbnailJob& job, CDibImage& thumb) {
            make(files[job.key], thumb, !targets[job.key].empty());
            std::string unused;  // the format was checked above
            const CRegenerableOutput thumbnail;
            if (!targets[job.key].empty())
                SaveImage(targets[job.key], thumb, ToolSaveOptions{}, unused);
        },
        [&](ThumbnailResult& result) {
            const std::string& file = files[result.job.key];
            if (result.error != 0) {
                ++failures;
                PrintFileError(file, result.error, result.message);
            } else if (!targets[result.job.key].empty()) {
                std::printf("%s: %dx%d thumbnail written to %s\n", Printable(file).c_str(),
                            result.image.Width(), result.image.Height(),
                            Printable(targets[result.job.key]).c_str());
            } else {
                std::printf("%s: %dx%d thumbnail cached\n", Printable(file).c_str(),
                            result.image.Width(), result.image.Height());
            }
        });
    std::vector<ThumbnailJob> jobs;
    for (size_t i = 0; i < files.size(); ++i) {
        if (RefuseFolder(files[i])) {
            ++failures;
            continue;
        }
        jobs.push_back(ThumbnailJob{i, files[i], 0});
    }
    workers.Schedule(std::move(jobs));
    workers.WaitIdle();
    workers.Stop();
    return failures == 0 ? 0 : 1;
}

}  // namespace xelo::tool
