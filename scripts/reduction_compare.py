#!/usr/bin/python3
"""Picture reduction side by side: quality against Pillow's Lanczos and speed against djpeg
and vipsthumbnail, all measured in one run.

    scripts/reduction_compare.py BUILD_DIR [--big]

Quality: PSNR of `xelo-tool thumb` (96x72) against Pillow's Image.LANCZOS reduction of the same
decoded picture, for a zone plate (grey, cos(a*r^2) rising to 0.45 cycles per pixel at the
corners, 2400x1800) as JPEG quality 95 and as BMP, and for a photograph from ../shared/testdata
(its Exif block removed, so the main picture is thumbnailed); `xelo-tool convert --percent 25`
of the zone-plate JPEG against Pillow at the same size. vipsthumbnail and `vips resize` are
measured on the same files.

Speed: `xelo-tool thumb` of a 4000x3000 JPEG against `djpeg -scale 1/8` (best of several runs,
whole processes). With --big, `convert --percent 10` of a 17000x30000 JPEG (made once in /tmp)
against vipsthumbnail to the same size, with peak memory of each.
"""
import math
import os
import subprocess
import sys
import tempfile
import time

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
PHOTO = os.path.join(HERE, "..", "..", "shared", "testdata", "jpeg-exif", "exif-py", "mobile",
                     "jolla.jpg")
BIG = "/tmp/xelo-reduce-17000x30000.jpg"


def psnr(a, b):
    a = a.convert("RGB")
    b = b.convert("RGB")
    if a.size != b.size:
        return float("nan")
    pa, pb = a.tobytes(), b.tobytes()
    se = sum((x - y) * (x - y) for x, y in zip(pa, pb))
    if se == 0:
        return float("inf")
    return 10 * math.log10(255 * 255 * len(pa) / se)


def zone_plate(width=2400, height=1800, corner_frequency=0.45):
    # Local frequency of cos(a r^2) is a r / pi cycles per pixel.
    radius = math.hypot(width / 2, height / 2)
    a = corner_frequency * math.pi / radius
    cx, cy = width / 2, height / 2
    data = bytearray(width * height)
    for y in range(height):
        dy2 = (y + 0.5 - cy) ** 2
        row = y * width
        for x in range(width):
            r2 = (x + 0.5 - cx) ** 2 + dy2
            data[row + x] = int(round(127.5 + 127.5 * math.cos(a * r2)))
    return Image.frombytes("L", (width, height), bytes(data))


def strip_exif(src, dst):
    """Copies a JPEG without its APP1 segments (the scan is untouched)."""
    data = open(src, "rb").read()
    out = bytearray(data[:2])
    i = 2
    while i + 4 <= len(data) and data[i] == 0xFF:
        marker = data[i + 1]
        if marker == 0xDA:
            break
        length = (data[i + 2] << 8) | data[i + 3]
        if marker != 0xE1:
            out += data[i:i + 2 + length]
        i += 2 + length
    out += data[i:]
    open(dst, "wb").write(out)


def run(args):
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def cpu_time(args):
    proc = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    if status != 0:
        raise RuntimeError(f"{args[0]} failed")
    return usage.ru_utime + usage.ru_stime


def best_times(commands, rounds=15):
    """Least CPU time (user + system) of each whole process, the commands taken in turn each
    round: on a shared machine wall time mostly measures the neighbours, and taking turns
    spreads their load evenly."""
    best = [float("inf")] * len(commands)
    for _ in range(rounds):
        for k, args in enumerate(commands):
            best[k] = min(best[k], cpu_time(args))
    return best


def peak(args):
    """Wall time and peak resident memory (MB) of one process. GNU time measures the memory:
    a child forked from this script would count the script's own pages as its peak."""
    report = tempfile.mktemp(prefix="xelo-reduce-rss-")
    start = time.perf_counter()
    status = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report] + args,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode
    elapsed = time.perf_counter() - start
    kilobytes = float(open(report).read().split()[-1])
    os.remove(report)
    if status != 0:
        return float("nan"), float("nan")
    return elapsed, kilobytes / 1024


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build")
    tool = os.path.join(build, "tools", "xelo-tool")
    work = tempfile.mkdtemp(prefix="xelo-reduce-")
    zp_jpeg = os.path.join(work, "zone.jpg")
    zp_bmp = os.path.join(work, "zone.bmp")
    photo = os.path.join(work, "photo.jpg")
    plate = zone_plate()
    plate.save(zp_jpeg, quality=95)
    plate.save(zp_bmp)
    strip_exif(PHOTO, photo)

    print("quality: PSNR (dB) against Pillow Image.LANCZOS of the same decoded picture")
    print(f"{'picture':<24}{'size':>10}{'xelo':>9}{'vips':>9}")
    for name, path in (("zone plate JPEG q95", zp_jpeg), ("zone plate BMP", zp_bmp),
                       ("photo " + os.path.basename(PHOTO), photo)):
        source = Image.open(path)
        source.load()
        ours = os.path.join(work, "thumb.bmp")
        run([tool, "thumb", path, "-o", ours])
        mine = Image.open(ours)
        reference = source.resize(mine.size, Image.LANCZOS)
        theirs = os.path.join(work, "vips.png")
        run(["vipsthumbnail", path, "--size", f"{mine.size[0]}x{mine.size[1]}!", "-o", theirs])
        print(f"{name:<24}{'%dx%d' % mine.size:>10}{psnr(mine, reference):9.1f}"
              f"{psnr(Image.open(theirs), reference):9.1f}")

    source = Image.open(zp_jpeg)
    source.load()
    ours = os.path.join(work, "quarter.bmp")
    run([tool, "convert", zp_jpeg, "-o", ours, "--percent", "25"])
    mine = Image.open(ours)
    reference = source.resize(mine.size, Image.LANCZOS)
    theirs = os.path.join(work, "quarter-vips.png")
    run(["vips", "resize", zp_jpeg, theirs, "0.25"])
    print(f"{'convert --percent 25':<24}{'%dx%d' % mine.size:>10}{psnr(mine, reference):9.1f}"
          f"{psnr(Image.open(theirs), reference):9.1f}  (vips resize 0.25)")

    camera = os.path.join(work, "camera.jpg")
    Image.open(photo).convert("RGB").resize((4000, 3000), Image.BICUBIC).save(camera, quality=90)
    shm = "/dev/shm" if os.path.isdir("/dev/shm") else work
    ours_t, djpeg_t, vips_t = best_times([
        [tool, "thumb", camera, "-o", os.path.join(shm, "xelo-reduce-t.bmp")],
        ["djpeg", "-scale", "1/8", "-outfile", os.path.join(shm, "xelo-reduce-t.ppm"), camera],
        ["vipsthumbnail", camera, "--size", "96x72", "-o", os.path.join(shm, "xelo-reduce-t.png")],
    ])
    print("\nspeed: 4000x3000 JPEG thumbnail, least CPU time of 15 whole processes each")
    print(f"xelo-tool thumb {ours_t * 1000:.1f} ms, djpeg -scale 1/8 {djpeg_t * 1000:.1f} ms, "
          f"vipsthumbnail {vips_t * 1000:.1f} ms; xelo/djpeg = {ours_t / djpeg_t:.2f}x, "
          f"xelo/vips = {ours_t / vips_t:.2f}x")

    if "--big" in sys.argv:
        if not os.path.exists(BIG):
            run(["vips", "resize", photo, BIG + "[Q=85]", str(17000 / 3264), "--vscale",
                 str(30000 / 2448)])
        out = os.path.join(shm, "xelo-reduce-big.jpg")
        ours_t, ours_m = peak([tool, "convert", BIG, "-o", out, "--percent", "10"])
        vips_t, vips_m = peak(["vipsthumbnail", BIG, "--size", "1700x3000!", "-o",
                               os.path.join(shm, "xelo-reduce-big-vips.jpg")])
        print("\n17000x30000 JPEG to 1700x3000")
        print(f"xelo-tool convert --percent 10: {ours_t:.2f} s, peak {ours_m:.0f} MB; "
              f"vipsthumbnail: {vips_t:.2f} s, peak {vips_m:.0f} MB; "
              f"time ratio {ours_t / vips_t:.2f}x")
        os.remove(out)


if __name__ == "__main__":
    main()
