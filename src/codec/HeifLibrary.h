// The functions of libheif that the HEIC and AVIF codec calls, opened on first use.
#pragma once

#include <libheif/heif.h>

#include "codec/SharedLibrary.h"
#include "image/ErrorCodes.h"

#define XELO_HEIF_FUNCTIONS(F)                      \
    F(heif_context_alloc)                           \
    F(heif_context_free)                            \
    F(heif_context_set_maximum_image_size_limit)    \
    F(heif_context_set_max_decoding_threads)        \
    F(heif_context_read_from_reader)                \
    F(heif_context_get_primary_image_handle)        \
    F(heif_image_handle_release)                    \
    F(heif_image_handle_has_alpha_channel)          \
    F(heif_image_handle_get_luma_bits_per_pixel)    \
    F(heif_image_handle_get_number_of_thumbnails)   \
    F(heif_image_handle_get_list_of_thumbnail_IDs)  \
    F(heif_image_handle_get_thumbnail)              \
    F(heif_image_handle_get_width)                  \
    F(heif_image_handle_get_height)                 \
    F(heif_image_handle_get_ispe_width)             \
    F(heif_image_handle_get_ispe_height)            \
    F(heif_image_handle_get_raw_color_profile_size) \
    F(heif_image_handle_get_raw_color_profile)      \
    F(heif_decoding_options_alloc)                  \
    F(heif_decoding_options_free)                   \
    F(heif_decode_image)                            \
    F(heif_image_release)                           \
    F(heif_image_get_width)                         \
    F(heif_image_get_height)                        \
    F(heif_image_get_plane)

namespace xelo {

struct HeifLibrary {
    XELO_HEIF_FUNCTIONS(XELO_DECLARE_LIBRARY_FUNCTION)
};

// libheif; throws kErrLibraryMissing when it is not installed.
inline const HeifLibrary& Heif() {
    return LoadedLibrary<HeifLibrary>("libheif.so.1", kComponentHeifDecoder,
                                      [](CLibraryLoader& loader, HeifLibrary& table) {
                                          XELO_HEIF_FUNCTIONS(XELO_RESOLVE_LIBRARY_FUNCTION)
                                      });
}

}  // namespace xelo
