// QSettings keeps binary values as QByteArray, so blocks come back with their exact size; a
// value of the other kind reads as missing.
#include "app/SettingsRegistry.h"

namespace xelo {

namespace {

QString KeyOf(std::string_view section, std::string_view name) {
    return ProfileKey() + '/' + QString::fromUtf8(section.data(), qsizetype(section.size())) + '/' +
           QString::fromUtf8(name.data(), qsizetype(name.size()));
}

}  // namespace

QString ProfileKey() {
    return QStringLiteral("%1.%2").arg(2).arg(30, 2, 10, QChar('0'));
}

CSettingsRegistry::CSettingsRegistry()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("Xelo Style"),
                                            QStringLiteral("Xelo Album"))) {}

CSettingsRegistry::CSettingsRegistry(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

std::optional<std::vector<uint8_t>> CSettingsRegistry::ReadBinary(std::string_view section,
                                                                  std::string_view name) const {
    const QVariant v = settings_->value(KeyOf(section, name));
    if (!v.isValid() || v.typeId() != QMetaType::QByteArray) return std::nullopt;
    const QByteArray bytes = v.toByteArray();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void CSettingsRegistry::WriteBinary(std::string_view section, std::string_view name,
                                    const std::vector<uint8_t>& bytes) {
    settings_->setValue(
        KeyOf(section, name),
        QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
}

std::optional<std::string> CSettingsRegistry::ReadString(std::string_view section,
                                                         std::string_view name) const {
    const QVariant v = settings_->value(KeyOf(section, name));
    if (!v.isValid() || v.typeId() != QMetaType::QString) return std::nullopt;
    return v.toString().toStdString();
}

void CSettingsRegistry::WriteString(std::string_view section, std::string_view name,
                                    std::string_view value) {
    settings_->setValue(KeyOf(section, name),
                        QString::fromUtf8(value.data(), qsizetype(value.size())));
}

void CSettingsRegistry::Sync() {
    settings_->sync();
}

}  // namespace xelo
