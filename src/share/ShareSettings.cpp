#include "share/ShareSettings.h"

#include "base/Registry.h"

namespace xelo {

namespace {

Registry* g_store = nullptr;

std::string ReadOr(const Registry& store, std::string_view name, const char* fallback) {
    const std::optional<std::string> value = store.ReadString(reg::kStrings, name);
    return value && !value->empty() ? *value : std::string(fallback);
}

}  // namespace

ShareSettings ShareSettings::Load(const Registry& store) {
    ShareSettings s;
    s.contactsFile = ReadOr(store, reg::kContactsFile, "");
    s.sendProgram = ReadOr(store, reg::kSendFileProgram, kDefaultSendFileProgram);
    s.receiveProgram = ReadOr(store, reg::kReceiveFileProgram, kDefaultReceiveFileProgram);
    return s;
}

void ShareSettings::Save(Registry& store) const {
    store.WriteString(reg::kStrings, reg::kContactsFile, contactsFile);
    store.WriteString(reg::kStrings, reg::kSendFileProgram, sendProgram);
    store.WriteString(reg::kStrings, reg::kReceiveFileProgram, receiveProgram);
}

void SetShareStore(Registry* store) {
    g_store = store;
}

Registry* ShareStore() {
    return g_store;
}

}  // namespace xelo
