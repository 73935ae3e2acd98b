// The loaded output plug-ins ("*.vod"): discovery in the program's own folders, and the program's
// side of their exports, each by the plug-in's index in discovery order.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "settings/PluginCatalog.h"
#include "xelo_plugin.h"

namespace xelo::output {

class PluginLibrary;

class OutputPluginTable {
  public:
    OutputPluginTable();
    ~OutputPluginTable();
    OutputPluginTable(const OutputPluginTable&) = delete;
    OutputPluginTable& operator=(const OutputPluginTable&) = delete;

    // Unloads what is loaded, then loads every "*.vod" of `folders` that has the eight exports and
    // whose driver check succeeds. Each file is first probed in a child process, so one that
    // crashes or hangs while loading is left out. Returns the number loaded. Call it before the
    // program starts threads (the probe forks).
    int Discover(const std::vector<std::filesystem::path>& folders);
    void Unload();

    int Count() const { return static_cast<int>(plugins_.size()); }
    // Why each left-out file was left out, from the latest discovery.
    const std::vector<std::string>& Rejected() const { return rejected_; }

    // Each returns false when `index` is outside the table or the plug-in reports a failure.
    bool GetName(int index, std::string& name) const;
    bool GetOutputTypes(int index, uint32_t& types) const;
    // The plug-in's modes that belong to output type `type`.
    bool GetOutputModes(int index, uint32_t type, std::vector<XeloOutputMode>& modes) const;
    bool CheckCard(int index) const;
    bool GetCurrentMode(int index, XeloOutputMode& mode) const;
    bool SetOutputMode(int index, uint32_t type, const XeloOutputMode& mode) const;
    bool GetDC(int index, XeloDeviceContext*& dc) const;
    // Hands the surface back when the plug-in exports voeReleaseDC; true otherwise too.
    bool ReleaseDC(int index, XeloDeviceContext* dc) const;
    // The index of the plug-in named `name`, or -1.
    int FindByName(const std::string& name) const;

  private:
    struct Plugin;
    const Plugin* At(int index) const;
    std::vector<std::unique_ptr<Plugin>> plugins_;
    std::vector<std::string> rejected_;
};

// The table the program uses.
OutputPluginTable& OutputPlugins();

// What the preference loader learns from an output plug-in table.
class OutputPluginCatalog : public PluginCatalog {
  public:
    explicit OutputPluginCatalog(const OutputPluginTable& table) : table_(table) {}
    int OutputCount() const override { return table_.Count(); }
    std::string OutputName(int index) const override;
    int FindOutput(const std::string& name) const override { return table_.FindByName(name); }
    // A stored type the plug-in does not offer becomes its first; a stored width no mode of that
    // type has becomes the width of its first mode.
    void CorrectOutput(int index, uint32_t& outputType, uint32_t& width) const override;
    int RemoteIndexFor(const std::string& outputName) const override {
        return remoteIndexFor ? remoteIndexFor(outputName) : -1;
    }
    // Set by whoever owns the remote-control plug-ins.
    std::function<int(const std::string& outputName)> remoteIndexFor;

  private:
    const OutputPluginTable& table_;  // not owned
};

// The catalog over OutputPlugins() that the program's preference loader uses.
OutputPluginCatalog& OutputCatalog();

}  // namespace xelo::output
