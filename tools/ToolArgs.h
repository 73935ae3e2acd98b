// Argument parsing shared by the verbs of xelo-tool.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "image/Geometry.h"

namespace xelo::tool {

// The arguments of one verb: options with values and plain operands, in order.
class ToolArgs {
  public:
    // `valued` lists the options that take a value ("-o", "--percent"); any other word starting
    // with "-" is a flag. After "--" every word is an operand. Returns false with `error` set for
    // an option missing its value.
    bool Parse(const std::vector<std::string>& words, const std::vector<std::string>& valued,
               std::string& error);

    bool Has(const std::string& option) const;
    std::optional<std::string> Value(const std::string& option) const;
    const std::vector<std::string>& Operands() const { return operands_; }
    // Options that were given but are not in `known`.
    std::vector<std::string> Unknown(const std::vector<std::string>& known) const;

  private:
    std::vector<std::pair<std::string, std::string>> options_;
    std::vector<std::string> operands_;
};

std::optional<int> ParseInt(const std::string& text);
// "96x72" → {96, 72}.
std::optional<Size> ParseSize(const std::string& text);
// The lower-case extension of a path without the dot ("" when none).
std::string Extension(const std::string& path);

}  // namespace xelo::tool
