// The functions of libwebp and its demuxer that the WebP codec calls, opened on first use. The
// header's inline helpers (WebPDemux, WebPGetFeatures, ...) call the library's versioned
// functions, so those are called here with the header's ABI version, as the helpers would.
#pragma once

#include <webp/decode.h>
#include <webp/demux.h>

#include "codec/SharedLibrary.h"
#include "image/ErrorCodes.h"

#define XELO_WEBP_FUNCTIONS(F)            \
    F(WebPDemuxInternal)                  \
    F(WebPDemuxDelete)                    \
    F(WebPDemuxGetI)                      \
    F(WebPDemuxGetFrame)                  \
    F(WebPDemuxReleaseIterator)           \
    F(WebPDemuxGetChunk)                  \
    F(WebPDemuxReleaseChunkIterator)      \
    F(WebPAnimDecoderOptionsInitInternal) \
    F(WebPAnimDecoderNewInternal)         \
    F(WebPAnimDecoderGetNext)             \
    F(WebPAnimDecoderReset)               \
    F(WebPAnimDecoderDelete)              \
    F(WebPInitDecoderConfigInternal)      \
    F(WebPGetFeaturesInternal)            \
    F(WebPDecode)                         \
    F(WebPFreeDecBuffer)                  \
    F(WebPDecodeBGRInto)

namespace xelo {

struct WebpLibrary {
    XELO_WEBP_FUNCTIONS(XELO_DECLARE_LIBRARY_FUNCTION)
};

// libwebpdemux with the libwebp it loads; throws kErrLibraryMissing when it is not installed.
inline const WebpLibrary& Webp() {
    return LoadedLibrary<WebpLibrary>("libwebpdemux.so.2", kComponentWebpDecoder,
                                      [](CLibraryLoader& loader, WebpLibrary& table) {
                                          XELO_WEBP_FUNCTIONS(XELO_RESOLVE_LIBRARY_FUNCTION)
                                      });
}

}  // namespace xelo
