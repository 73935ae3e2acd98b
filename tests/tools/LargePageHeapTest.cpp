// The tool's heap: large buffers on transparent huge pages, small ones on ordinary pages.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/LargePageHeap.h"

namespace {

bool HugePagesOffered() {
    std::ifstream in("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string modes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return !modes.empty() && modes.find("[never]") == std::string::npos;
}

// Whether the kernel may back the mapping that holds `p` with huge pages; -1 when no mapping
// holds it.
int HugePageEligible(const void* p) {
    const auto address = reinterpret_cast<uintptr_t>(p);
    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    bool inside = false;
    while (std::getline(smaps, line)) {
        uintptr_t from = 0, to = 0;
        char dash = 0;
        std::istringstream fields(line);
        if (fields >> std::hex >> from >> dash >> to && dash == '-') {
            inside = from <= address && address < to;
        } else if (inside && line.rfind("THPeligible:", 0) == 0) {
            return std::atoi(line.c_str() + 12);
        }
    }
    return -1;
}

// In a child process, as the tool's main does: the allocator's settings are the process's own.
void RunInChild(void (*body)()) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        body();
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace

TEST(LargePageHeap, APictureBufferLiesOnHugePagesAndSmallBlocksDoNot) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers bring their own allocator";
#endif
    if (!HugePagesOffered()) GTEST_SKIP() << "the kernel offers no transparent huge pages";
    RunInChild([] {
        xelo::tool::UseLargePageHeap();
        // A coded picture as libheif copies it, then an 8-megapixel one decoded, each freed before
        // the next.
        for (size_t bytes : {size_t{1662203}, size_t{3} * 3264 * 2448}) {
            auto* buffer = static_cast<char*>(std::malloc(bytes));
            ASSERT_NE(buffer, nullptr);
            std::memset(buffer, 1, bytes);
            EXPECT_EQ(HugePageEligible(buffer), 1) << bytes;
            EXPECT_EQ(HugePageEligible(buffer + bytes - 1), 1) << bytes;
            std::free(buffer);
        }
        auto* small = static_cast<char*>(std::malloc(200));
        ASSERT_NE(small, nullptr);
        EXPECT_EQ(HugePageEligible(small), 0);
        std::free(small);
    });
}
