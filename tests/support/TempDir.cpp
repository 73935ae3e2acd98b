// Temporary folders for tests.
#include "support/TempDir.h"

#include <cstdlib>
#include <string>
#include <system_error>

namespace xelo::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "xelo-test-XXXXXX").string();
    if (char* made = ::mkdtemp(pattern.data())) path_ = made;
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

}  // namespace xelo::test
