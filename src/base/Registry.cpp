// The in-memory preference store.
#include "base/Registry.h"

namespace xelo {

std::optional<std::vector<uint8_t>> CMemoryRegistry::ReadBinary(std::string_view section,
                                                                std::string_view name) const {
    const auto it = values_.find(Key(section, name));
    if (it == values_.end()) return std::nullopt;
    if (const auto* bytes = std::get_if<std::vector<uint8_t>>(&it->second)) return *bytes;
    return std::nullopt;
}

void CMemoryRegistry::WriteBinary(std::string_view section, std::string_view name,
                                  const std::vector<uint8_t>& bytes) {
    values_[Key(section, name)] = bytes;
    ++writes_;
}

std::optional<std::string> CMemoryRegistry::ReadString(std::string_view section,
                                                       std::string_view name) const {
    const auto it = values_.find(Key(section, name));
    if (it == values_.end()) return std::nullopt;
    if (const auto* text = std::get_if<std::string>(&it->second)) return *text;
    return std::nullopt;
}

void CMemoryRegistry::WriteString(std::string_view section, std::string_view name,
                                  std::string_view value) {
    values_[Key(section, name)] = std::string(value);
    ++writes_;
}

bool CMemoryRegistry::Has(std::string_view section, std::string_view name) const {
    return values_.count(Key(section, name)) != 0;
}

}  // namespace xelo
