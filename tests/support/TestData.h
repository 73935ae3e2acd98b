// Where the tests find their input files.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace xelo::test {

// The public test images (../shared/testdata), or empty when that folder is absent.
std::filesystem::path SharedTestData();
// A file below the shared test data.
std::filesystem::path SharedFile(const std::string& relative);
// Files with one of `extensions` (lower case, without dot) directly in `folder`, sorted.
std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder,
                                           const std::vector<std::string>& extensions);
// Whole file contents.
std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

}  // namespace xelo::test

// Skips the current test when the shared test data is not there (a user's clone has none).
#define XELO_REQUIRE_SHARED_TESTDATA()                                           \
    do {                                                                         \
        if (::xelo::test::SharedTestData().empty()) {                            \
            GTEST_SKIP() << "shared test data not found at " XELO_TESTDATA_DIR   \
                            "; these cases run where ../shared/testdata exists"; \
        }                                                                        \
    } while (0)
