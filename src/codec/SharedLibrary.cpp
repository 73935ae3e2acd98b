#include "codec/SharedLibrary.h"

#include <dlfcn.h>

#include "base/StringTable.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 90;
}

// Lazy binding, as for the libraries linked at start: libheif's video decoders hold thousands of
// functions a picture never calls.
CLibraryLoader::CLibraryLoader(const char* soname)
    : handle_(::dlopen(soname, RTLD_LAZY | RTLD_LOCAL)) {}

CLibraryLoader::~CLibraryLoader() {
    if (handle_ != nullptr && !kept_) ::dlclose(handle_);
}

void* CLibraryLoader::Symbol(const char* name) {
    void* address = handle_ != nullptr ? ::dlsym(handle_, name) : nullptr;
    if (address == nullptr) complete_ = false;
    return address;
}

void ThrowLibraryMissing(const char* soname, uint32_t component) {
    throw CTavoException::WithText(kErrLibraryMissing, {component, kUnit, __LINE__},
                                   LoadString(kErrLibraryMissing) + "\n" + soname);
}

}  // namespace xelo
