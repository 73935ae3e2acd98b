#!/usr/bin/env bash
# Shows an album folder: the sample album when no folder is given. Until the main window exists,
# the album is shown through xelo-tool: one line of facts per image.
set -euo pipefail
build="${1:-build}"
folder="${2:-}"
root="$(cd "$(dirname "$0")/.." && pwd)"
[ -n "$folder" ] || folder="$root/samples"
if [ ! -d "$folder" ]; then
    echo "No such folder: $folder" >&2
    exit 1
fi
echo "Album $folder:"
shopt -s nullglob nocaseglob
files=("$folder"/*.{bmp,2bp,jpg,jpeg,jpe,gif,giff})
if [ ${#files[@]} -eq 0 ]; then
    echo "  (no images)"
    exit 0
fi
"$root/$build/tools/xelo-tool" info "${files[@]}"
