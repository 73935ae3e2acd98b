/* A remote-control plug-in for presenter remotes: they are keyboards that send a few ordinary keys
 * (Page Up, Page Down, B, F5, Escape). Keys the window left unhandled become the program's remote
 * keys and commands. Its name (XELO_KEYS_NAME) is that of the output plug-in it goes with.
 */
#include <stddef.h>

#include "xelo_plugin.h"

#ifndef XELO_KEYS_NAME
#error "XELO_KEYS_NAME must give the name of the output plug-in this remote belongs to"
#endif

/* X11 keysyms of the keys a presenter remote sends. */
enum {
    kKeyLeft = 0xff51,
    kKeyRight = 0xff53,
    kKeyPageUp = 0xff55,
    kKeyPageDown = 0xff56,
    kKeyEscape = 0xff1b,
    kKeyF5 = 0xffc2,
    kKeyPeriod = 0x2e,
    kKeyUpperB = 0x42,
    kKeyLowerB = 0x62
};

/* Commands of the program's menus. */
enum {
    kCommandVgaSlideShow = 30131,
    kCommandExitFullScreen = 30116,
    kCommandSlideStop = 30804
};

static XeloRemoteOpen opened;
static int isOpen;

/* The user-setting buttons: what the remote's two buttons stand for. */
static const XeloChar16 kNextName[] = {'N', 'e', 'x', 't', 0};
static const XeloChar16 kPreviousName[] = {'P', 'r', 'e', 'v', 'i', 'o', 'u', 's', 0};
static const struct {
    const XeloChar16* name;
    int keysym;
} kButtons[] = {{kNextName, kKeyPageDown}, {kPreviousName, kKeyPageUp}};
#define BUTTON_COUNT ((int)(sizeof kButtons / sizeof kButtons[0]))

XELO_PLUGIN_EXPORT int rmcGetName(XeloChar16* name) {
    static const char kName[] = XELO_KEYS_NAME;
    size_t i;
    if (!name) return 1;
    for (i = 0; kName[i] != 0 && i + 1 < XELO_REMOTE_NAME_UNITS; ++i) name[i] = (XeloChar16)kName[i];
    name[i] = 0;
    return 0;
}

/* A keyboard needs no driver of its own. */
XELO_PLUGIN_EXPORT int rmcCheckDriver(void) { return 0; }

XELO_PLUGIN_EXPORT int rmcOpen(const XeloRemoteOpen* params) {
    if (!params || !params->postMessage) return 1;
    opened = *params;
    isOpen = 1;
    return 0;
}

XELO_PLUGIN_EXPORT int rmcClose(void) {
    isOpen = 0;
    return 0;
}

/* What a key stands for: a message to post, or 0 when the key is not the remote's. */
static uint32_t Translate(uintptr_t keysym, intptr_t modifiers, uintptr_t* wParam) {
    /* With Control or Alt held the key is meant for something else. */
    if (modifiers & (XELO_MOD_CONTROL | XELO_MOD_ALT)) return 0;
    switch (keysym) {
        case kKeyPageDown:
        case kKeyRight:
            *wParam = XELO_REMOTE_RIGHT;
            return XELO_MSG_REMOTE_KEY;
        case kKeyPageUp:
        case kKeyLeft:
            *wParam = XELO_REMOTE_LEFT;
            return XELO_MSG_REMOTE_KEY;
        case kKeyF5:
            *wParam = kCommandVgaSlideShow;
            return XELO_MSG_COMMAND;
        case kKeyEscape:
            *wParam = kCommandExitFullScreen;
            return XELO_MSG_COMMAND;
        case kKeyLowerB:
        case kKeyUpperB:
        case kKeyPeriod:
            /* The "black screen" key: the program has no blanking command, so the show stops. */
            *wParam = kCommandSlideStop;
            return XELO_MSG_COMMAND;
        default:
            return 0;
    }
}

XELO_PLUGIN_EXPORT intptr_t rmcMsgHandler(void* window, uint32_t message, uintptr_t wParam,
                                          intptr_t lParam) {
    uintptr_t post = 0;
    uint32_t what;
    (void)window;
    if (!isOpen || (message != XELO_MSG_KEYDOWN && message != XELO_MSG_KEYUP)) return 0;
    what = Translate(wParam, lParam, &post);
    if (what == 0) return 0;
    /* The release of a key taken on its press is taken as well, and does nothing. */
    if (message == XELO_MSG_KEYDOWN) opened.postMessage(opened.window, what, post, 0);
    return 1;
}

XELO_PLUGIN_EXPORT int rmcGetUserSettingBtnCount(void) { return BUTTON_COUNT; }

XELO_PLUGIN_EXPORT int rmcGetUserSettingBtnValue(int index) {
    return index >= 0 && index < BUTTON_COUNT ? kButtons[index].keysym : 0;
}

XELO_PLUGIN_EXPORT const XeloChar16* rmcGetUserSettingBtnName(int index) {
    return index >= 0 && index < BUTTON_COUNT ? kButtons[index].name : NULL;
}
