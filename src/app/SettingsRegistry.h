// The production preference store: QSettings in INI format under "Xelo Style/Xelo Album", with
// the profile ("2.30") as the first key level and the program's sections below it.
#pragma once

#include <QSettings>
#include <memory>

#include "base/Registry.h"

namespace xelo {

class CSettingsRegistry : public Registry {
  public:
    // The user's store under $XDG_CONFIG_HOME.
    CSettingsRegistry();
    // A store in one INI file (tests).
    explicit CSettingsRegistry(const QString& iniFile);

    std::optional<std::vector<uint8_t>> ReadBinary(std::string_view section,
                                                   std::string_view name) const override;
    void WriteBinary(std::string_view section, std::string_view name,
                     const std::vector<uint8_t>& bytes) override;
    std::optional<std::string> ReadString(std::string_view section,
                                          std::string_view name) const override;
    void WriteString(std::string_view section, std::string_view name,
                     std::string_view value) override;
    // Writes pending changes to disk (another process reads the forwarded command line).
    void Sync();

  private:
    std::unique_ptr<QSettings> settings_;
};

// "2.30": the profile name's version part.
QString ProfileKey();

}  // namespace xelo
