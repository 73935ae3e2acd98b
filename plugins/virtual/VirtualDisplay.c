/* virtual.vod: an external display that is not there. It keeps the picture in memory and, when
 * XELO_VIRTUAL_DISPLAY_DIR names a folder, writes every presented picture into it as a numbered
 * PNG (000001.png, 000002.png, ...), for demonstrations and tests. */
#include <dirent.h>
#include <png.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "xelo_plugin.h"

#define MODE_COUNT 6

static const XeloOutputMode kModes[MODE_COUNT] = {
    {640, 480, 16, 60, XELO_OUTPUT_VGA},  {640, 480, 24, 60, XELO_OUTPUT_VGA},
    {800, 600, 16, 60, XELO_OUTPUT_VGA},  {800, 600, 24, 60, XELO_OUTPUT_VGA},
    {1024, 768, 16, 60, XELO_OUTPUT_VGA}, {1024, 768, 24, 60, XELO_OUTPUT_VGA},
};

static XeloDeviceContext gSurface;
static XeloOutputMode gMode;
static int gModeSet;
static long gNextNumber; /* 0 until the folder was looked at since the mode was set */

/* Continues after the highest number already in the folder, so a second run adds to a first. */
static long FirstFreeNumber(const char* folder) {
    long highest = 0;
    DIR* dir = opendir(folder);
    if (!dir) return 1;
    struct dirent* entry;
    while ((entry = readdir(dir)) != NULL) {
        char* end = NULL;
        const long n = strtol(entry->d_name, &end, 10);
        if (end == entry->d_name + 6 && strcmp(end, ".png") == 0 && n > highest) highest = n;
    }
    closedir(dir);
    return highest + 1;
}

static void ToRgb(const XeloDeviceContext* dc, int y, png_byte* out) {
    const uint8_t* row = dc->pixels + (size_t)y * (size_t)dc->stride;
    for (int x = 0; x < dc->width; ++x, out += 3) {
        if (dc->pixelFormat == XELO_PIXELS_RGB565) {
            uint16_t w;
            memcpy(&w, row + 2 * x, 2);
            const int r = (w >> 11) & 31, g = (w >> 5) & 63, b = w & 31;
            out[0] = (png_byte)((r << 3) | (r >> 2));
            out[1] = (png_byte)((g << 2) | (g >> 4));
            out[2] = (png_byte)((b << 3) | (b >> 2));
        } else {
            uint32_t w;
            memcpy(&w, row + 4 * x, 4);
            out[0] = (png_byte)(w >> 16);
            out[1] = (png_byte)(w >> 8);
            out[2] = (png_byte)w;
        }
    }
}

static int WritePng(const XeloDeviceContext* dc, const char* path) {
    FILE* file = fopen(path, "wb");
    if (!file) return 1;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop info = png ? png_create_info_struct(png) : NULL;
    png_byte* row = malloc((size_t)dc->width * 3);
    int failed = 1;
    if (png && info && row && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, (png_uint_32)dc->width, (png_uint_32)dc->height, 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_set_compression_level(png, 1);
        png_write_info(png, info);
        for (int y = 0; y < dc->height; ++y) {
            ToRgb(dc, y, row);
            png_write_row(png, row);
        }
        png_write_end(png, info);
        failed = 0;
    }
    png_destroy_write_struct(&png, &info);
    free(row);
    if (fclose(file) != 0) failed = 1;
    return failed;
}

/* The picture goes to the folder under a temporary name first, so a reader never sees half. */
static int Present(XeloDeviceContext* dc) {
    const char* folder = getenv("XELO_VIRTUAL_DISPLAY_DIR");
    if (!folder || !*folder) return 0;
    if (gNextNumber == 0) gNextNumber = FirstFreeNumber(folder);
    char path[4096], temp[4096];
    if (snprintf(path, sizeof path, "%s/%06ld.png", folder, gNextNumber) >= (int)sizeof path ||
        snprintf(temp, sizeof temp, "%s/.%06ld.png.part", folder, gNextNumber) >= (int)sizeof temp) {
        return 1;
    }
    if (WritePng(dc, temp) != 0 || rename(temp, path) != 0) {
        remove(temp);
        return 1;
    }
    ++gNextNumber;
    return 0;
}

XELO_PLUGIN_EXPORT int voeGetName(XeloChar16* name) {
    static const char kName[] = "Virtual Display";
    for (size_t i = 0; i < sizeof kName; ++i) name[i] = (XeloChar16)kName[i];
    return 0;
}

XELO_PLUGIN_EXPORT int voeCheckDriver(void) { return 0; }

XELO_PLUGIN_EXPORT int voeCheckCard(void) { return 0; }

XELO_PLUGIN_EXPORT int voeGetOutputTypes(uint32_t* types) {
    *types = XELO_OUTPUT_VGA;
    return 0;
}

XELO_PLUGIN_EXPORT int voeGetOutputModes(int32_t* count, XeloOutputMode* modes) {
    memcpy(modes, kModes, sizeof kModes);
    *count = MODE_COUNT;
    return 0;
}

XELO_PLUGIN_EXPORT int voeGetCurrentMode(XeloOutputMode* mode) {
    *mode = gModeSet ? gMode : kModes[0];
    return 0;
}

XELO_PLUGIN_EXPORT int voeSetOutputMode(uint32_t outputType, const XeloOutputMode* mode) {
    if (outputType != XELO_OUTPUT_VGA) return 1;
    for (int i = 0; i < MODE_COUNT; ++i) {
        const XeloOutputMode* m = &kModes[i];
        if (m->width != mode->width || m->height != mode->height ||
            m->bitsPerPixel != mode->bitsPerPixel) {
            continue;
        }
        const int format = m->bitsPerPixel == 16 ? XELO_PIXELS_RGB565 : XELO_PIXELS_XRGB8888;
        const int stride = m->width * (format == XELO_PIXELS_RGB565 ? 2 : 4);
        uint8_t* pixels = calloc((size_t)stride * (size_t)m->height, 1);
        if (!pixels) return 1;
        free(gSurface.pixels);
        gSurface.pixels = pixels;
        gSurface.width = m->width;
        gSurface.height = m->height;
        gSurface.stride = stride;
        gSurface.pixelFormat = format;
        gSurface.present = Present;
        gSurface.device = NULL;
        gMode = *m;
        gModeSet = 1;
        gNextNumber = 0;
        return 0;
    }
    return 1;
}

XELO_PLUGIN_EXPORT int voeGetDC(XeloDeviceContext** dc) {
    if (!gModeSet) return 1;
    *dc = &gSurface;
    return 0;
}

XELO_PLUGIN_EXPORT int voeReleaseDC(XeloDeviceContext* dc) {
    return dc == &gSurface ? 0 : 1;
}

__attribute__((destructor)) static void FreeSurface(void) {
    free(gSurface.pixels);
    gSurface.pixels = NULL;
}
