// The album data file of a folder: the display order of its images and their hidden-slide flags,
// in the archive encoding of a string array followed by a byte array.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace xelo {

// The file name the program uses in every folder; it is named after the executable.
inline constexpr const char* kAlbumFileName = "xelo_album.xla";

struct AlbumData {
    std::vector<std::string> names;  // bare file names (UTF-8), in display order
    std::vector<uint8_t> flags;      // 1 = hidden slide; one per name in files we write
};

// The executable's base name (after the last "\", "/" or ":", before the last ".") + ".xla".
std::string AlbumFileNameFor(const std::string& executablePath);
// folder + "/" + kAlbumFileName.
std::string AlbumFilePath(const std::string& folder);

// The file's bytes for `data`.
std::vector<uint8_t> EncodeAlbumData(const AlbumData& data);
// Decodes the bytes of an album file; truncated or badly encoded data throws CTavoException.
AlbumData DecodeAlbumData(const uint8_t* bytes, size_t size);

// False when the folder has no album file; otherwise fills `data`. Read errors throw.
bool ReadAlbumFile(const std::string& folder, AlbumData& data);
// Replaces the folder's album file as a whole: the bytes go to a temporary file in the folder
// that is renamed over the old file only when complete. `afterName`, when given, is called after
// each name is written with the number written so far (lets tests interrupt the write).
void WriteAlbumFile(const std::string& folder, const AlbumData& data,
                    const std::function<void(size_t)>& afterName = {});
// Removes the folder's album file if it exists.
void DeleteAlbumFile(const std::string& folder);

}  // namespace xelo
