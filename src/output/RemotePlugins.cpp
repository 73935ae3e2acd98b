#include "output/RemotePlugins.h"

#include <algorithm>
#include <array>
#include <chrono>

#include "album/WideName.h"
#include "output/PluginLibrary.h"

namespace xelo::output {

namespace {

// The exports a remote plug-in must have, in the order they are kept.
constexpr std::array<const char*, 8> kExports = {
    "rmcGetName",     "rmcCheckDriver",           "rmcOpen",
    "rmcClose",       "rmcMsgHandler",            "rmcGetUserSettingBtnCount",
    "rmcGetUserSettingBtnValue", "rmcGetUserSettingBtnName"};
enum Export { kGetName, kCheckDriver, kOpen, kClose, kMsgHandler, kBtnCount, kBtnValue, kBtnName };

// A library that has not finished loading by then is taken for hung.
constexpr std::chrono::milliseconds kProbeTimeout{5000};
// More buttons than any remote has; a larger count is taken for garbage.
constexpr int kMaxButtons = 256;

// The length of a plug-in's text, reading no further than `limit` units.
size_t BoundedLength(const XeloChar16* text, size_t limit) {
    size_t n = 0;
    while (n < limit && text[n] != 0) ++n;
    return n;
}

}  // namespace

struct RemotePluginTable::Plugin {
    std::unique_ptr<PluginLibrary> library;
    std::string name;
    int buttonCount = 0;  // 0 until asked
    bool opened = false;

    template <typename F>
    F Call(Export e) const {
        return reinterpret_cast<F>(library->Export(e));
    }
};

RemotePluginTable::RemotePluginTable() = default;

RemotePluginTable::~RemotePluginTable() { Unload(); }

void RemotePluginTable::Unload() {
    // A plug-in still open may hold the window or run a thread of its own: close it before its
    // code goes away.
    for (int i = 0; i < Count(); ++i) {
        if (plugins_[i]->opened) Close(i);
    }
    plugins_.clear();
}

int RemotePluginTable::Discover(const std::vector<std::filesystem::path>& folders,
                                std::vector<std::string>* rejected) {
    Unload();
    for (const std::filesystem::path& file : FindPluginFiles(folders, ".rmc")) {
        std::string why;
        if (!ProbePlugin(file, kExports, "rmcCheckDriver", kProbeTimeout, &why)) {
            if (rejected) rejected->push_back(why);
            continue;
        }
        auto plugin = std::make_unique<Plugin>();
        plugin->library = PluginLibrary::Open(file, kExports, &why);
        if (!plugin->library) {
            if (rejected) rejected->push_back(why);
            continue;
        }
        if (plugin->Call<XeloRmcCheckDriver>(kCheckDriver)() != 0) {
            if (rejected) rejected->push_back(file.filename().string() + ": its driver is not installed");
            continue;
        }
        // The name is asked once: it identifies the plug-in for as long as it stays loaded.
        std::array<XeloChar16, XELO_REMOTE_NAME_UNITS> buffer{};
        if (plugin->Call<XeloRmcGetName>(kGetName)(buffer.data()) == 0) {
            const size_t length = BoundedLength(buffer.data(), buffer.size() - 1);
            plugin->name = NameFromUtf16(std::u16string(buffer.begin(), buffer.begin() + length));
        }
        plugins_.push_back(std::move(plugin));
    }
    return Count();
}

RemotePluginTable::Plugin* RemotePluginTable::At(int index) const {
    return index >= 0 && index < Count() ? plugins_[index].get() : nullptr;
}

bool RemotePluginTable::GetName(int index, std::string& name) const {
    const Plugin* plugin = At(index);
    if (!plugin) return false;
    name = plugin->name;
    return true;
}

bool RemotePluginTable::Open(int index, const XeloRemoteOpen* params) {
    Plugin* plugin = At(index);
    if (!plugin || !params) return false;
    if (plugin->Call<XeloRmcOpen>(kOpen)(params) != 0) return false;
    plugin->opened = true;
    return true;
}

bool RemotePluginTable::Close(int index) {
    Plugin* plugin = At(index);
    if (!plugin) return false;
    plugin->opened = false;
    return plugin->Call<XeloRmcClose>(kClose)() == 0;
}

std::optional<intptr_t> RemotePluginTable::MsgHandler(int index, void* window, uint32_t message,
                                                      uintptr_t wParam, intptr_t lParam) {
    Plugin* plugin = At(index);
    if (!plugin) return std::nullopt;
    return plugin->Call<XeloRmcMsgHandler>(kMsgHandler)(window, message, wParam, lParam);
}

int RemotePluginTable::GetUserSettingBtnCount(int index) {
    Plugin* plugin = At(index);
    if (!plugin) return 0;
    const int count = plugin->Call<XeloRmcGetUserSettingBtnCount>(kBtnCount)();
    plugin->buttonCount = count < 0 || count > kMaxButtons ? 0 : count;
    return plugin->buttonCount;
}

bool RemotePluginTable::GetUserSettingBtnName(int index, int button, std::u16string& name) {
    Plugin* plugin = At(index);
    if (!plugin || button < 0 || button >= plugin->buttonCount) return false;
    const XeloChar16* text = plugin->Call<XeloRmcGetUserSettingBtnName>(kBtnName)(button);
    if (!text) return false;
    name.assign(text, text + BoundedLength(text, XELO_REMOTE_NAME_UNITS));
    return true;
}

bool RemotePluginTable::GetUserSettingBtnValue(int index, int button, int& value) {
    Plugin* plugin = At(index);
    if (!plugin || button < 0 || button >= plugin->buttonCount) return false;
    value = plugin->Call<XeloRmcGetUserSettingBtnValue>(kBtnValue)(button);
    return true;
}

int RemotePluginTable::FindButtonByName(int index, std::u16string_view name) {
    if (!At(index)) return -1;
    const int count = GetUserSettingBtnCount(index);
    const std::u16string_view wanted = name.substr(0, XELO_REMOTE_NAME_UNITS);
    std::u16string text;
    for (int button = 0; button < count; ++button) {
        if (GetUserSettingBtnName(index, button, text) && text == wanted) return button;
    }
    return -1;
}

int RemotePluginTable::FindByName(std::string_view name) const {
    if (name.empty()) return -1;  // a plug-in that gave no name matches nothing
    for (int i = 0; i < Count(); ++i) {
        if (plugins_[i]->name == name) return i;
    }
    return -1;
}

RemotePluginTable& RemotePlugins() {
    static RemotePluginTable table;
    return table;
}

}  // namespace xelo::output
