// The remote-control plug-ins ("*.rmc"): discovery, and the program's side of their exports. A
// remote plug-in sees the main window's unhandled messages and posts keys and commands back.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xelo_plugin.h"

namespace xelo::output {

class PluginLibrary;

class RemotePluginTable {
  public:
    RemotePluginTable();
    ~RemotePluginTable();
    RemotePluginTable(const RemotePluginTable&) = delete;
    RemotePluginTable& operator=(const RemotePluginTable&) = delete;

    // Unloads what is loaded, then loads every "*.rmc" in `folders` that has all eight exports and
    // whose driver is installed. Each is tried in a child process first, so one that crashes or
    // hangs while loading is left out. Returns the number loaded; `rejected` (optional) receives
    // why each other file was left out.
    int Discover(const std::vector<std::filesystem::path>& folders,
                 std::vector<std::string>* rejected = nullptr);
    void Unload();
    int Count() const { return static_cast<int>(plugins_.size()); }

    // Every operation takes a plug-in index; one outside the table (-1: no remote) does nothing
    // and answers false, -1 or nothing.
    bool GetName(int index, std::string& name) const;
    // False also for a missing parameter block or when the plug-in refuses.
    bool Open(int index, const XeloRemoteOpen* params);
    bool Close(int index);
    // The plug-in's answer to a message of the main window.
    std::optional<intptr_t> MsgHandler(int index, void* window, uint32_t message, uintptr_t wParam,
                                       intptr_t lParam);
    // The number of user-setting buttons, remembered for the name and value questions below.
    int GetUserSettingBtnCount(int index);
    // For a button below the remembered count only.
    bool GetUserSettingBtnName(int index, int button, std::u16string& name);
    bool GetUserSettingBtnValue(int index, int button, int& value);
    // The button named `name` (at most XELO_REMOTE_NAME_UNITS units compared), or -1.
    int FindButtonByName(int index, std::u16string_view name);
    // The plug-in named `name`, or -1.
    int FindByName(std::string_view name) const;

  private:
    struct Plugin;
    Plugin* At(int index) const;
    std::vector<std::unique_ptr<Plugin>> plugins_;
};

// The table of the running program.
RemotePluginTable& RemotePlugins();

}  // namespace xelo::output
