/* The interface between Xelo Album and its plug-ins: output plug-ins ("*.vod") that drive an
 * external display, and remote-control plug-ins ("*.rmc") that turn a remote's events into the
 * program's keys and commands. Plain C, so a plug-in can be any shared object with these exports.
 *
 * Texts are UTF-16 (native byte order), terminated by a 0 unit. Every export returns 0 for success
 * unless its comment says otherwise. The program calls a plug-in from its GUI thread only.
 */
#ifndef XELO_PLUGIN_H
#define XELO_PLUGIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define XELO_PLUGIN_EXPORT __attribute__((visibility("default")))

typedef uint16_t XeloChar16;

/* ---- Output plug-ins ("*.vod") ---- */

/* Output types, as bits. */
enum {
    XELO_OUTPUT_VGA = 1,
    XELO_OUTPUT_COMPOSITE = 2,
    XELO_OUTPUT_SVIDEO = 4
};

/* Mode flags beside the output-type bits. */
enum {
    XELO_MODE_NTSC_TV = 0x10,
    XELO_MODE_PAL_TV = 0x20
};

/* One display mode: 20 bytes, stored by the program exactly as the plug-in filled it. */
typedef struct XeloOutputMode {
    int32_t width;
    int32_t height;
    int32_t bitsPerPixel;
    int32_t refreshHz; /* 0 = not stated */
    uint32_t flags;    /* output-type bits the mode belongs to, plus XELO_MODE_* */
} XeloOutputMode;

#define XELO_OUTPUT_NAME_BYTES 96 /* room voeGetName may fill, terminator included */
#define XELO_MAX_OUTPUT_MODES 61  /* room voeGetOutputModes may fill */

/* Pixel layouts of a device context. */
enum {
    XELO_PIXELS_XRGB8888 = 1, /* one 32-bit word per pixel, 0x00RRGGBB in native order */
    XELO_PIXELS_RGB565 = 2    /* one 16-bit word per pixel, native order */
};

/* The drawing surface of the external display. The plug-in owns it (and its pixels) until the next
 * voeSetOutputMode, voeReleaseDC or unload. The program draws into `pixels` and then calls
 * `present` to show them. */
typedef struct XeloDeviceContext {
    uint8_t* pixels;
    int32_t width;
    int32_t height;
    int32_t stride; /* bytes from one row to the next */
    int32_t pixelFormat;
    int (*present)(struct XeloDeviceContext* dc);
    void* device; /* the plug-in's own */
} XeloDeviceContext;

/* Required exports, in the order the program resolves them. */
typedef int (*XeloVoeGetName)(XeloChar16* name);
typedef int (*XeloVoeCheckDriver)(void);
typedef int (*XeloVoeCheckCard)(void);
typedef int (*XeloVoeGetOutputTypes)(uint32_t* types);
typedef int (*XeloVoeGetOutputModes)(int32_t* count, XeloOutputMode* modes);
typedef int (*XeloVoeGetCurrentMode)(XeloOutputMode* mode);
typedef int (*XeloVoeSetOutputMode)(uint32_t outputType, const XeloOutputMode* mode);
typedef int (*XeloVoeGetDC)(XeloDeviceContext** dc);
/* Optional: the program is done with the surface (a window plug-in hides its window). */
typedef int (*XeloVoeReleaseDC)(XeloDeviceContext* dc);

/* ---- Remote-control plug-ins ("*.rmc") ---- */

#define XELO_REMOTE_NAME_UNITS 260 /* room rmcGetName may fill, terminator included */

/* Messages between the program and a remote plug-in. */
enum {
    XELO_MSG_KEYDOWN = 0x0100, /* wParam: X11 keysym; lParam: XELO_MOD_* bits */
    XELO_MSG_KEYUP = 0x0101,   /* wParam: X11 keysym; lParam: XELO_MOD_* bits */
    XELO_MSG_COMMAND = 0x0111, /* wParam: a command number of the program's menus */
    XELO_MSG_REMOTE_KEY = 0x0400 + 136 /* wParam: XELO_REMOTE_*; lParam: the digit for XELO_REMOTE_DIGIT */
};

enum {
    XELO_MOD_SHIFT = 1,
    XELO_MOD_CONTROL = 2,
    XELO_MOD_ALT = 4
};

/* What XELO_MSG_REMOTE_KEY asks for: a key press sent to the window that has the focus. */
enum {
    XELO_REMOTE_DIGIT = 0,
    XELO_REMOTE_LEFT = 1,
    XELO_REMOTE_RIGHT = 2,
    XELO_REMOTE_UP = 3,
    XELO_REMOTE_DOWN = 4,
    XELO_REMOTE_ENTER = 5
};

/* Handed to rmcOpen. The plug-in may keep the pointers until rmcClose. */
typedef struct XeloRemoteOpen {
    const XeloChar16* windowClass; /* the main window's class name */
    void* window;                  /* the main window, opaque to the plug-in */
    /* Posts a message to the main window; safe to call from any thread. Returns 0 when queued. */
    int (*postMessage)(void* window, uint32_t message, uintptr_t wParam, intptr_t lParam);
} XeloRemoteOpen;

typedef int (*XeloRmcGetName)(XeloChar16* name);
typedef int (*XeloRmcCheckDriver)(void);
typedef int (*XeloRmcOpen)(const XeloRemoteOpen* params);
typedef int (*XeloRmcClose)(void);
/* Sees every message the main window did not handle itself; its result is passed back. */
typedef intptr_t (*XeloRmcMsgHandler)(void* window, uint32_t message, uintptr_t wParam, intptr_t lParam);
typedef int (*XeloRmcGetUserSettingBtnCount)(void);
typedef int (*XeloRmcGetUserSettingBtnValue)(int index);
typedef const XeloChar16* (*XeloRmcGetUserSettingBtnName)(int index);

#ifdef __cplusplus
}
#endif

#endif /* XELO_PLUGIN_H */
