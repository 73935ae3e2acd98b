// The functions of libtiff that the TIFF codec calls, opened on first use.
#pragma once

#include <tiffio.h>

#include "codec/SharedLibrary.h"
#include "image/ErrorCodes.h"

#define XELO_TIFF_FUNCTIONS(F)              \
    F(TIFFOpenOptionsAlloc)                 \
    F(TIFFOpenOptionsFree)                  \
    F(TIFFOpenOptionsSetMaxSingleMemAlloc)  \
    F(TIFFOpenOptionsSetErrorHandlerExtR)   \
    F(TIFFOpenOptionsSetWarningHandlerExtR) \
    F(TIFFClientOpenExt)                    \
    F(TIFFClose)                            \
    F(TIFFGetField)                         \
    F(TIFFGetFieldDefaulted)                \
    F(TIFFReadDirectory)                    \
    F(TIFFSetDirectory)                     \
    F(TIFFRGBAImageOK)                      \
    F(TIFFRGBAImageBegin)                   \
    F(TIFFRGBAImageGet)                     \
    F(TIFFRGBAImageEnd)

namespace xelo {

struct TiffLibrary {
    XELO_TIFF_FUNCTIONS(XELO_DECLARE_LIBRARY_FUNCTION)
};

// libtiff; throws kErrLibraryMissing when it is not installed.
inline const TiffLibrary& Tiff() {
    return LoadedLibrary<TiffLibrary>("libtiff.so.6", kComponentTiffDecoder,
                                      [](CLibraryLoader& loader, TiffLibrary& table) {
                                          XELO_TIFF_FUNCTIONS(XELO_RESOLVE_LIBRARY_FUNCTION)
                                      });
}

}  // namespace xelo
