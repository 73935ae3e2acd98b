// Whole-process thumbnail times over a folder of camera-size JPEG files (4000 × 3000, with and
// without an Exif thumbnail), one process per file, side by side with libjpeg's djpeg at 1/8
// scale (the floor for decoding a whole scan), vipsthumbnail and ImageMagick. Tools that are not
// installed are skipped. "per_file" is the wall time of one file, process start included.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "codec/JpegCodec.h"
#include "support/ExifBuilder.h"

extern char** environ;

namespace {

constexpr int kFiles = 6;
constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// A photo-like picture: smooth gradients with texture and a little noise, so that the scan is
// about as large as a camera's at quality 90.
void Paint(xelo::CDibImage& image, int seed) {
    uint32_t noise = 0x9E3779B9u * static_cast<uint32_t>(seed + 1);
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* row = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int n = static_cast<int>(noise >> 28) - 8;
            const int texture = ((x / 7) ^ (y / 5)) & 15;
            row[3 * x] = static_cast<uint8_t>(std::clamp(x / 16 + texture + n, 0, 255));
            row[3 * x + 1] = static_cast<uint8_t>(std::clamp(y / 12 + texture + n, 0, 255));
            row[3 * x + 2] =
                static_cast<uint8_t>(std::clamp((x + y + seed * 300) / 28 + n, 0, 255));
        }
    }
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    std::vector<uint8_t> bytes;
    if (!f) return bytes;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    return bytes;
}

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

struct Folder {
    std::filesystem::path root;
    // Thumbnails are written to memory (/dev/shm) when it is there: replacing a file on disk
    // costs every tool a few milliseconds of file-system work that says nothing about decoding.
    std::filesystem::path output;
    std::vector<std::string> plain;
    std::vector<std::string> withExif;

    Folder() {
        char pattern[] = "/tmp/xelo-bench-XXXXXX";
        root = ::mkdtemp(pattern);
        char memory[] = "/dev/shm/xelo-bench-XXXXXX";
        const char* made = std::filesystem::is_directory("/dev/shm") ? ::mkdtemp(memory) : nullptr;
        output = made ? std::filesystem::path(made) : root;
        xelo::CDibImage image;
        image.Create(kWidth, kHeight, 3, false);
        xelo::JpegWriterSettings settings;
        settings.quality = 90;
        for (int i = 0; i < kFiles; ++i) {
            Paint(image, i);
            const auto plainPath = root / ("plain" + std::to_string(i) + ".jpg");
            xelo::WriteJpeg(settings, plainPath.string(), image, 100);
            const auto thumbPath = root / "thumb.jpg";
            xelo::WriteJpeg(settings, thumbPath.string(), image, 4);  // 160 × 120
            xelo::test::ExifBuilder exif(false);
            exif.Ascii(xelo::test::ExifBuilder::kIfd0, 0x0110, "Bench camera");
            exif.Rational(xelo::test::ExifBuilder::kExif, 0x829A, {{1, 125}});
            exif.SetThumbnail(ReadFile(thumbPath));
            const auto exifPath = root / ("exif" + std::to_string(i) + ".jpg");
            WriteFile(exifPath, xelo::test::WithSegmentAfterSoi(ReadFile(plainPath), exif.App1()));
            plain.push_back(plainPath.string());
            withExif.push_back(exifPath.string());
        }
        std::filesystem::remove(root / "thumb.jpg");
    }
    ~Folder() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
        std::filesystem::remove_all(output, ec);
    }
};

Folder& Files() {
    static Folder folder;
    return folder;
}

bool Run(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool Installed(const std::string& program) {
    return std::system(("command -v " + program + " > /dev/null 2>&1").c_str()) == 0;
}

// Runs `command(file)` once per file per iteration.
template <typename Command>
void PerFile(benchmark::State& state, const std::vector<std::string>& files, const char* program,
             Command command) {
    if (!Installed(program)) {
        state.SkipWithError((std::string(program) + " is not installed").c_str());
        return;
    }
    for (auto _ : state) {
        for (const std::string& file : files) {
            if (!Run(command(file))) {
                state.SkipWithError(("failed on " + file).c_str());
                return;
            }
        }
    }
    state.counters["per_file"] = benchmark::Counter(
        static_cast<double>(files.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

std::string Output(const std::string& name) {
    return (Files().output / name).string();
}

void BM_XeloThumbPlain(benchmark::State& state) {
    PerFile(state, Files().plain, XELO_TOOL_PATH, [](const std::string& f) {
        return std::vector<std::string>{XELO_TOOL_PATH, "thumb", f, "-o", Output("xelo.bmp")};
    });
}
void BM_XeloThumbExif(benchmark::State& state) {
    PerFile(state, Files().withExif, XELO_TOOL_PATH, [](const std::string& f) {
        return std::vector<std::string>{XELO_TOOL_PATH, "thumb", f, "-o", Output("xelo.bmp")};
    });
}
void BM_DjpegScale8(benchmark::State& state) {
    PerFile(state, Files().plain, "djpeg", [](const std::string& f) {
        return std::vector<std::string>{
            "djpeg", "-scale", "1/8", "-nosmooth", "-outfile", Output("djpeg.ppm"), f};
    });
}
void BM_Vipsthumbnail(benchmark::State& state) {
    PerFile(state, Files().plain, "vipsthumbnail", [](const std::string& f) {
        return std::vector<std::string>{"vipsthumbnail",    "-s", "96x72", "-o",
                                        Output("vips.png"), f};
    });
}
void BM_ImageMagick(benchmark::State& state) {
    // /usr/bin/convert: the distribution's ImageMagick itself.
    PerFile(state, Files().plain, "/usr/bin/convert", [](const std::string& f) {
        return std::vector<std::string>{"/usr/bin/convert", f, "-thumbnail", "96x72",
                                        Output("magick.bmp")};
    });
}

BENCHMARK(BM_XeloThumbPlain)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_XeloThumbExif)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_DjpegScale8)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_Vipsthumbnail)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ImageMagick)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
