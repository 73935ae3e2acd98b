/* An output plug-in with one fault, chosen when built: BROKEN_NO_EXPORT lacks voeGetDC,
 * BROKEN_DRIVER fails its driver check, BROKEN_CRASH aborts as it is loaded, BROKEN_EXIT ends the
 * process quietly as it is loaded. */
#include <stdlib.h>

#include "xelo_plugin.h"

#ifdef BROKEN_CRASH
__attribute__((constructor)) static void CrashOnLoad(void) { abort(); }
#endif
#ifdef BROKEN_EXIT
__attribute__((constructor)) static void ExitOnLoad(void) { exit(0); }
#endif

XELO_PLUGIN_EXPORT int voeGetName(XeloChar16* name) {
    name[0] = 'B';
    name[1] = 0;
    return 0;
}
#ifdef BROKEN_DRIVER
XELO_PLUGIN_EXPORT int voeCheckDriver(void) { return 1; }
#else
XELO_PLUGIN_EXPORT int voeCheckDriver(void) { return 0; }
#endif
XELO_PLUGIN_EXPORT int voeCheckCard(void) { return 0; }
XELO_PLUGIN_EXPORT int voeGetOutputTypes(uint32_t* types) { *types = XELO_OUTPUT_VGA; return 0; }
XELO_PLUGIN_EXPORT int voeGetOutputModes(int32_t* count, XeloOutputMode* modes) {
    (void)modes;
    *count = 0;
    return 0;
}
XELO_PLUGIN_EXPORT int voeGetCurrentMode(XeloOutputMode* mode) { (void)mode; return 0; }
XELO_PLUGIN_EXPORT int voeSetOutputMode(uint32_t type, const XeloOutputMode* mode) {
    (void)type;
    (void)mode;
    return 1;
}
#ifndef BROKEN_NO_EXPORT
XELO_PLUGIN_EXPORT int voeGetDC(XeloDeviceContext** dc) { (void)dc; return 1; }
#endif
