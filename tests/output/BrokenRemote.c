/* A remote plug-in with one fault, chosen at build time, that discovery must leave out. */
#include <stdlib.h>

#include "xelo_plugin.h"

#ifdef BROKEN_CRASH
__attribute__((constructor)) static void CrashOnLoad(void) { abort(); }
#endif
#ifdef BROKEN_DRIVER
XELO_PLUGIN_EXPORT int rmcCheckDriver(void) { return 1; }
#else
XELO_PLUGIN_EXPORT int rmcCheckDriver(void) { return 0; }
#endif
XELO_PLUGIN_EXPORT int rmcGetName(XeloChar16* name) { return name[0] = 0; }
XELO_PLUGIN_EXPORT int rmcOpen(const XeloRemoteOpen* params) { return !params; }
XELO_PLUGIN_EXPORT int rmcClose(void) { return 0; }
XELO_PLUGIN_EXPORT intptr_t rmcMsgHandler(void* w, uint32_t m, uintptr_t wp, intptr_t lp) { return !w + m + wp + lp; }
XELO_PLUGIN_EXPORT int rmcGetUserSettingBtnCount(void) { return 0; }
XELO_PLUGIN_EXPORT int rmcGetUserSettingBtnValue(int i) { return i; }
#ifndef BROKEN_MISSING_EXPORT
XELO_PLUGIN_EXPORT const XeloChar16* rmcGetUserSettingBtnName(int i) { (void)i; return NULL; }
#endif
