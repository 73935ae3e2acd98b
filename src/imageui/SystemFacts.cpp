// Reading the System page's facts from the kernel.
#include "imageui/SystemFacts.h"

#include <sys/statvfs.h>
#include <sys/utsname.h>

#include <cstdio>
#include <fstream>

#include "views/ListTexts.h"

namespace xelo {

namespace {

std::string Trimmed(std::string text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    const size_t last = text.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The value after "key:" on the first line of `path` that starts with `key`.
std::string Field(const char* path, const std::string& key) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, key.size(), key) == 0) {
            const size_t colon = line.find(':');
            if (colon != std::string::npos) return Trimmed(line.substr(colon + 1));
        }
    }
    return std::string();
}

uint64_t KiloBytes(const std::string& text) {
    return std::strtoull(text.c_str(), nullptr, 10) * 1024;
}

}  // namespace

SystemFacts ReadSystemFacts(const std::string& folder) {
    SystemFacts facts;
    std::ifstream product("/sys/devices/virtual/dmi/id/product_name");
    std::getline(product, facts.model);
    facts.model = Trimmed(facts.model);
    facts.processor = Field("/proc/cpuinfo", "model name");
    utsname name{};
    if (::uname(&name) == 0) {
        facts.system = name.sysname;
        facts.version = name.release;
        if (facts.processor.empty()) facts.processor = name.machine;
    }
    facts.memoryTotal = KiloBytes(Field("/proc/meminfo", "MemTotal"));
    facts.memoryFree = KiloBytes(Field("/proc/meminfo", "MemAvailable"));
    struct statvfs fs {};
    if (::statvfs(folder.empty() ? "/" : folder.c_str(), &fs) == 0) {
        facts.storageTotal = static_cast<uint64_t>(fs.f_blocks) * fs.f_frsize;
        facts.storageFree = static_cast<uint64_t>(fs.f_bavail) * fs.f_frsize;
    }
    return facts;
}

std::string FormatBigSize(uint64_t bytes) {
    constexpr uint64_t kGiga = uint64_t{1} << 30;
    if (bytes < kGiga) return FormatFileSize(bytes);
    const uint64_t hundredths = bytes * 100 / kGiga;
    char text[48];
    if (hundredths % 100 == 0) {
        std::snprintf(text, sizeof text, "%llu GB", static_cast<unsigned long long>(hundredths / 100));
    } else {
        std::snprintf(text, sizeof text, "%llu.%.2llu GB",
                      static_cast<unsigned long long>(hundredths / 100),
                      static_cast<unsigned long long>(hundredths % 100));
    }
    return text;
}

}  // namespace xelo
