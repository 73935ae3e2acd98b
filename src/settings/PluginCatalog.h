// What the preference loader needs to know about the installed output and remote plug-ins.
// Until plug-ins are loaded, NoPlugins answers that none is installed.
#pragma once

#include <cstdint>
#include <string>

namespace xelo {

class PluginCatalog {
  public:
    virtual ~PluginCatalog() = default;
    virtual int OutputCount() const = 0;
    virtual std::string OutputName(int index) const = 0;
    // The index of the output plug-in of that name, or -1.
    virtual int FindOutput(const std::string& name) const = 0;
    // Lets the plug-in correct the stored output type and width.
    virtual void CorrectOutput(int index, uint32_t& outputType, uint32_t& width) const = 0;
    // The remote-control entry matching an output plug-in, or -1.
    virtual int RemoteIndexFor(const std::string& outputName) const = 0;
};

class NoPlugins : public PluginCatalog {
  public:
    int OutputCount() const override { return 0; }
    std::string OutputName(int) const override { return {}; }
    int FindOutput(const std::string&) const override { return -1; }
    void CorrectOutput(int, uint32_t&, uint32_t&) const override {}
    int RemoteIndexFor(const std::string&) const override { return -1; }
};

}  // namespace xelo
