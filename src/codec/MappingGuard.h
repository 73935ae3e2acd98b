// Keeps a mapped file that shrinks (or fails to read) underneath from killing the process. The
// kernel answers a read of a mapped page past the file's new end with SIGBUS; inside a guarded
// range the handler puts zero pages there instead and notes the fault, and the owner of the
// mapping then reports the read error rather than trusting the bytes.
#pragma once

#include <cstddef>

namespace xelo {

class MappingGuard {
  public:
    MappingGuard() = default;
    ~MappingGuard() { Release(); }
    MappingGuard(const MappingGuard&) = delete;
    MappingGuard& operator=(const MappingGuard&) = delete;

    // Guards [base, base + length). False when no guard could be set (too many mappings at once,
    // or the handler could not be installed): the caller must not map the file then.
    bool Watch(const void* base, size_t length);
    // Stops guarding; call before unmapping.
    void Release();
    // True once a read inside the range faulted.
    bool Faulted() const;

  private:
    int slot_ = -1;
};

}  // namespace xelo
