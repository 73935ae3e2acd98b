// The mail program behind `xelo-tool mail`.
#include <string>
#include <vector>

#include "Verbs.h"

int main(int argc, char** argv) {
    return xelo::tool::RunMail(std::vector<std::string>(argv + 1, argv + argc));
}
