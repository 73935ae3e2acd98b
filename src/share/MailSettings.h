// What "Send via E-mail" remembers: the options (bits 7-10 of the UI flag word), the last
// ratio and service, the SMTP server and the draft folder. The password is never kept here: it
// lives in the desktop's secret store.
#pragma once

#include <string>

#include "settings/PrefLayout.h"
#include "share/MailAttachments.h"
#include "share/MailTransport.h"

namespace xelo {

class Registry;

namespace ui {
constexpr BitField kMailReduce{152, 0x80};
constexpr BitField kMailAttachAudio{152, 0x100};
constexpr BitField kMailAttachText{152, 0x200};
constexpr BitField kMailMergeInk{152, 0x400};
}  // namespace ui

const char* MailServiceName(MailService service);
bool ParseMailService(const std::string& name, MailService& service);

struct MailSettings {
    int ratio = 50;
    std::string service;  // a MailServiceName; empty: the first offered
    SmtpSettings smtp;    // without its password
    std::string draftFolder;

    void Load(const Registry& registry);
    void Save(Registry& registry) const;
};

// The options' check boxes from and to the UI Info block.
AttachOptions MailOptionsFrom(const UiInfoBlock& uiInfo, int ratio);
void StoreMailOptions(UiInfoBlock& uiInfo, const AttachOptions& options);

}  // namespace xelo
