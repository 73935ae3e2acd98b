// Fuzz target: the album data file reader; anything it accepts must encode back to a file that
// decodes to the same album.
#include <cstddef>
#include <cstdint>

#include "album/AlbumFile.h"
#include "image/TavoException.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    xelo::AlbumData album;
    try {
        album = xelo::DecodeAlbumData(data, size);
    } catch (const xelo::CTavoException&) {
        return 0;
    }
    const std::vector<uint8_t> again = xelo::EncodeAlbumData(album);
    const xelo::AlbumData back = xelo::DecodeAlbumData(again.data(), again.size());
    if (back.names != album.names || back.flags != album.flags) __builtin_trap();
    return 0;
}
