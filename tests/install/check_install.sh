#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks that every file a desktop needs is there,
# that the desktop and AppStream files validate (where the validators are installed) and that the
# installed tool runs.
set -euo pipefail
build=$1
prefix=${2:-/usr/local}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

DESTDIR=$stage cmake --install "$build" --prefix "$prefix" >/dev/null
root=$stage$prefix
failed=0
need() {
    if [ ! -e "$root/$1" ]; then echo "missing after install: $prefix/$1"; failed=1; fi
}

need bin/xelo-tool
need share/man/man1/xelo-tool.1
if grep -q '^XELO_CORE_ONLY:BOOL=OFF' "$build/CMakeCache.txt"; then
    need bin/xelo_album
    need share/man/man1/xelo_album.1
    need share/applications/xelo-album.desktop
    need share/metainfo/io.github.xelo.XeloAlbum.metainfo.xml
    need share/mime/packages/xelo-album.xml
    need share/icons/hicolor/scalable/apps/xelo-album.svg
    for s in 16 24 32 48 64 128 256; do need "share/icons/hicolor/${s}x${s}/apps/xelo-album.png"; done
    need share/xelo-album/help/xelo_album_help.htm
    # The help test checks the anchors of docs/help; the installed file must be that one.
    cmp -s "$root/share/xelo-album/help/xelo_album_help.htm" \
        "$(dirname "$0")/../../docs/help/xelo_album_help.htm" ||
        { echo "installed help differs from docs/help"; failed=1; }
    need share/xelo-album/frames/walnut.gif
    [ -d "$root/lib/xelo-album/plugins" ] || [ -d "$root/lib64/xelo-album/plugins" ] ||
        ls -d "$root"/lib/*/xelo-album/plugins >/dev/null 2>&1 || { echo "missing: plug-in folder"; failed=1; }
    for plugin in keys.rmc second-screen.vod; do
        find "$root" -path "*/xelo-album/plugins/$plugin" | grep -q . ||
            { echo "missing: plug-in $plugin"; failed=1; }
    done
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$root/share/applications/xelo-album.desktop" || failed=1
    fi
    if command -v appstreamcli >/dev/null; then
        appstreamcli validate --no-net "$root/share/metainfo/io.github.xelo.XeloAlbum.metainfo.xml" >/dev/null ||
            { appstreamcli validate --no-net "$root/share/metainfo/io.github.xelo.XeloAlbum.metainfo.xml"; failed=1; }
    fi
    # The installed program starts on its installed frames and draws its first screen.
    mkdir "$stage/home"
    HOME=$stage/home XDG_CONFIG_HOME=$stage/home/.config QT_QPA_PLATFORM=offscreen \
        timeout 60 "$root/bin/xelo_album" --screenshot "$stage/shot.png" -t \
        "$root/share/xelo-album/frames" >/dev/null 2>&1 && [ -s "$stage/shot.png" ] ||
        { echo "installed xelo_album does not start"; failed=1; }
    if command -v xmllint >/dev/null; then
        xmllint --noout "$root/share/mime/packages/xelo-album.xml" || failed=1
    fi
fi

"$root/bin/xelo-tool" --help | grep -q '^usage: xelo-tool' || { echo "installed xelo-tool does not run"; failed=1; }
# The mail verb runs its own program from the installed helper folder: a draft needs no server.
if grep -q '^XELO_MAIL:BOOL=ON' "$build/CMakeCache.txt"; then
    python3 -c 'import struct,sys; sys.stdout.buffer.write(b"BM"+struct.pack("<IHHIIiiHHIIiiII",58,0,0,54,40,1,1,1,24,0,4,2835,2835,0,0)+bytes(4))' >"$stage/dot.bmp"
    "$root/bin/xelo-tool" mail --to a@b --draft "$stage" "$stage/dot.bmp" >/dev/null ||
        { echo "installed xelo-tool mail does not run"; failed=1; }
fi
exit $failed
