// The functions of Little CMS 2 that colour management calls, opened on the first picture
// with a colour profile: pictures without one cost nothing.
#pragma once

#include <lcms2.h>

#include "codec/SharedLibrary.h"

#define XELO_LCMS_FUNCTIONS(F)  \
    F(cmsSetLogErrorHandler)    \
    F(cmsOpenProfileFromMem)    \
    F(cmsCreate_sRGBProfile)    \
    F(cmsCloseProfile)          \
    F(cmsGetColorSpace)         \
    F(cmsCreateTransform)       \
    F(cmsDeleteTransform)       \
    F(cmsDoTransformLineStride) \
    F(cmsGetProfileInfoASCII)

namespace xelo {

struct LcmsLibrary {
    XELO_LCMS_FUNCTIONS(XELO_DECLARE_LIBRARY_FUNCTION)
};

// liblcms2; throws kErrLibraryMissing when it is not installed.
inline const LcmsLibrary& Lcms() {
    return LoadedLibrary<LcmsLibrary>("liblcms2.so.2", 0,
                                      [](CLibraryLoader& loader, LcmsLibrary& table) {
                                          XELO_LCMS_FUNCTIONS(XELO_RESOLVE_LIBRARY_FUNCTION)
                                      });
}

}  // namespace xelo
