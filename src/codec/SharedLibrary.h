// The libraries of the newer photo formats are opened on the first picture that needs them,
// not at program start: a start then pays only for the libraries its pictures use (libheif
// alone brings four video decoders with it). Each library has a table of the functions the
// program calls, named as the library names them and typed from its header.
#pragma once

#include <cstdint>
#include <cstring>

namespace xelo {

// One library being opened: resolves functions into a table and remembers what was missing.
class CLibraryLoader {
  public:
    explicit CLibraryLoader(const char* soname);
    ~CLibraryLoader();
    CLibraryLoader(const CLibraryLoader&) = delete;
    CLibraryLoader& operator=(const CLibraryLoader&) = delete;

    template <class Function>
    void Resolve(const char* name, Function& slot) {
        static_assert(sizeof(Function) == sizeof(void*));
        void* address = Symbol(name);
        std::memcpy(&slot, &address, sizeof address);
    }
    // True when the library opened and every function resolved.
    bool Complete() const { return handle_ != nullptr && complete_; }
    // Keeps the library loaded for the rest of the program.
    void Keep() { kept_ = true; }

  private:
    void* Symbol(const char* name);

    void* handle_ = nullptr;
    bool complete_ = true;
    bool kept_ = false;
};

// Throws kErrLibraryMissing naming the library, from `component`.
[[noreturn]] void ThrowLibraryMissing(const char* soname, uint32_t component);

// The function table of `soname`, loaded by `resolve` on the first call and kept; every call
// throws kErrLibraryMissing when the library or one of its functions is not installed. Safe to
// call from several threads.
template <class Table>
const Table& LoadedLibrary(const char* soname, uint32_t component,
                           void (*resolve)(CLibraryLoader&, Table&)) {
    // Never destroyed, like the library it points into: objects in other statics may still call
    // the library while the program exits.
    static const Table* const table = [&]() -> const Table* {
        CLibraryLoader loader(soname);
        Table functions{};
        resolve(loader, functions);
        if (!loader.Complete()) return nullptr;
        loader.Keep();
        return new Table(functions);
    }();
    if (table == nullptr) ThrowLibraryMissing(soname, component);
    return *table;
}

}  // namespace xelo

// Declares a table member for each function of a list: XELO_LIBRARY_FUNCTIONS(F) F(name)...
#define XELO_DECLARE_LIBRARY_FUNCTION(name) decltype(&::name) name = nullptr;
#define XELO_RESOLVE_LIBRARY_FUNCTION(name) loader.Resolve(#name, table.name);
