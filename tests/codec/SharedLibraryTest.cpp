// The format libraries opened at run time: a missing library or function is the program's error
// naming the library, every time it is asked for; a present one resolves.
#include <gtest/gtest.h>

#include <cstring>

#include "codec/SharedLibrary.h"
#include "image/TavoException.h"

namespace xelo::test {
namespace {

struct StringFunctions {
    decltype(&::strlen) strlen = nullptr;
};

void ResolveStrlen(CLibraryLoader& loader, StringFunctions& table) {
    loader.Resolve("strlen", table.strlen);
}

TEST(SharedLibrary, MissingLibraryIsAnErrorNamingItAndPresentOneResolves) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            LoadedLibrary<StringFunctions>("libxelo-absent.so.9", 1, ResolveStrlen);
            ADD_FAILURE() << "no error";
        } catch (const CTavoException& e) {
            EXPECT_EQ(e.GetCode(), kErrLibraryMissing);
            EXPECT_NE(e.GetErrorMessage().find("libxelo-absent.so.9"), std::string::npos);
        }
    }
    CLibraryLoader libc("libc.so.6");
    StringFunctions table;
    libc.Resolve("strlen", table.strlen);
    ASSERT_TRUE(libc.Complete());
    EXPECT_EQ(table.strlen("four"), 4u);
    void (*absent)() = nullptr;
    libc.Resolve("xelo_absent_function", absent);
    EXPECT_FALSE(libc.Complete());
}

}  // namespace
}  // namespace xelo::test
