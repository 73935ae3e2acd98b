// The settings of contacts and local-link sending, kept as strings beside the preference blocks.
#pragma once

#include <string>
#include <string_view>

namespace xelo {

class Registry;

namespace reg {
inline constexpr std::string_view kContactsFile = "Contacts File";
inline constexpr std::string_view kSendFileProgram = "Send File Program";
inline constexpr std::string_view kReceiveFileProgram = "Receive File Program";
}  // namespace reg

// GNOME's Bluetooth tools: bluetooth-sendto sends the file it is given; the Bluetooth panel of
// the desktop's settings makes the computer visible and accepts incoming files while it is open.
inline constexpr const char* kDefaultSendFileProgram = "bluetooth-sendto";
inline constexpr const char* kDefaultReceiveFileProgram = "gnome-control-center bluetooth";

struct ShareSettings {
    std::string contactsFile;  // empty: the default contact folders
    // Command lines (a quoted program path may hold blanks); the file to send is added last.
    std::string sendProgram = kDefaultSendFileProgram;
    std::string receiveProgram = kDefaultReceiveFileProgram;

    // Missing or empty values give the defaults.
    static ShareSettings Load(const Registry& store);
    void Save(Registry& store) const;
};

// The store the sharing dialogs and commands keep their settings in. The main frame sets it for
// its life; with none (null) the defaults hold and nothing is remembered.
void SetShareStore(Registry* store);  // not owned
Registry* ShareStore();

}  // namespace xelo
