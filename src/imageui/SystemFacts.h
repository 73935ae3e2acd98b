// What the System page shows about this computer: model, processor, system and its version,
// memory from /proc/meminfo and storage of the album's file system from statvfs.
#pragma once

#include <cstdint>
#include <string>

namespace xelo {

struct SystemFacts {
    std::string model;      // empty when the firmware names none
    std::string processor;  // "model name" of /proc/cpuinfo, else the machine type
    std::string system;     // "Linux"
    std::string version;    // the kernel release
    uint64_t memoryTotal = 0;
    uint64_t memoryFree = 0;  // available to programs
    uint64_t storageTotal = 0;
    uint64_t storageFree = 0;
};

// `folder` names the file system whose storage is counted.
SystemFacts ReadSystemFacts(const std::string& folder);

// Bytes in units of 1024 up to GB, with two decimals when they are not 0 ("1.50 GB").
std::string FormatBigSize(uint64_t bytes);

}  // namespace xelo
