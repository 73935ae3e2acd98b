// The shared thumbnail folders of the desktop ($XDG_CACHE_HOME/thumbnails): PNG pictures named
// by the MD5 of the file's URI, valid while their Thumb::MTime (and Thumb::Size, when given)
// match the file, so that pictures made by any program serve every other.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "image/DibImage.h"

namespace xelo {

// "normal" holds pictures of at most 128 × 128, "large" 256 × 256.
enum class ThumbnailFolder { kNormal, kLarge };
int ThumbnailFolderSide(ThumbnailFolder folder);

// The folder name under fail/ where this program records pictures it cannot decode.
inline constexpr const char* kThumbnailFailureFolder = "xelo-album";

// Decodes the picture of a file fitted into side × side; raises CTavoException.
using ThumbnailBoxDecoder =
    std::function<void(const std::string& path, CDibImage& image, int side)>;
// The codec framework's thumbnail read.
ThumbnailBoxDecoder DefaultBoxDecoder();

class ThumbnailCache {
  public:
    // `root` is the thumbnails folder itself (normally DefaultRoot()).
    explicit ThumbnailCache(std::string root);

    // $XDG_CACHE_HOME/thumbnails, else $HOME/.cache/thumbnails; empty when neither is set.
    static std::string DefaultRoot();
    // "file://" and the absolute path, escaped the way desktop file managers escape it.
    static std::string FileUri(const std::string& path);

    const std::string& Root() const { return root_; }
    std::string PicturePath(const std::string& uri, ThumbnailFolder folder) const;
    std::string FailurePath(const std::string& uri) const;

    // The picture of the file at `path` at the folder's size: the stored one when it is valid
    // for the file as it is now (a larger folder's picture serves when reduced), else decoded,
    // stored and returned. A file recorded under fail/ for its present modification time fails
    // at once unless `retryFailures`; a new decoding failure is recorded there. Errors raise
    // CTavoException; a cache that cannot be written only costs the next start its speed.
    void Get(const std::string& path, ThumbnailFolder folder, CDibImage& image,
             const ThumbnailBoxDecoder& decode = DefaultBoxDecoder(),
             bool retryFailures = false) const;

  private:
    std::string root_;
};

// Reduces `image` in place to fit maxWidth × maxHeight (never enlarging); palette pictures
// become 3-byte ones when reduced.
void ReduceToFit(CDibImage& image, int maxWidth, int maxHeight);

}  // namespace xelo
