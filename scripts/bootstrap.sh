#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, when any is missing.
# Safe to run again: it asks apt only when something is not installed yet.
set -euo pipefail

packages=(
    g++ make cmake pkg-config
    clang libclang-rt-14-dev          # libFuzzer targets and their sanitizers
    libjpeg62-turbo-dev               # the JPEG codec's libjpeg (library version 62)
    libgtest-dev libgmock-dev         # core tests
    libbenchmark-dev                  # bench/
    qt6-base-dev qt6-multimedia-dev   # the window layer
    python3-pil                       # an independent decoder that reads what our writers write
    libjpeg-turbo-progs               # djpeg: libjpeg's own decoder and colour quantiser, to check ours
    libpng-dev                        # tests read reference renderings stored as PNG
    clang-format
    xvfb xauth xdotool                # the window's tests on a real X server with real input
    libxcb1-dev                       # the capture key grabbed on X11
    libwebp-dev libtiff-dev libheif-dev liblcms2-dev  # the WebP, TIFF, HEIC/AVIF codecs; colour profiles
    webp libheif-examples heif-thumbnailer libtiff-tools netpbm  # independent coders for tests, bench
    libimage-exiftool-perl            # exiftool: writes the orientation tags the tests read
    desktop-file-utils appstream libxml2-utils  # validate the installed desktop, AppStream and MIME files
    libvmime-dev libsecret-1-dev      # e-mail: MIME messages, sendmail and SMTP; passwords in the secret store
    python3-aiosmtpd                  # the mail tests' SMTP server
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 || { echo "Run as root, or install: ${missing[*]}" >&2; exit 1; }
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
