#!/usr/bin/env bash
# Makes the README's pictures in a real X server (Xvfb, OpenGL by Mesa) with a fresh settings
# folder: docs/main-window.png, docs/help-tips.png, docs/progress.png, docs/about.png,
# docs/disc-dialog.png and docs/preview-dialog.png (a frame of a generated 720p clip). Run after a build:
#   scripts/screenshot.sh [BUILD_DIR] [LANGUAGE_ID]
# With a language id (2052 Chinese Simplified, 1031 German) the window starts in that language,
# from the library beside the program, and the pictures are docs/<name>-<id>.png.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
build="${1:-build}"
language="${2:-}"
suffix="${language:+-$language}"
out="docs/main-window${suffix}.png"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config/Trelvane"
{
    printf '"HiddenToolTips"="TRUE"\n'
    [ -z "$language" ] || printf '"Language"=dword:%08x\n' "$language"
} > "$home/.config/Trelvane/Clipwright.conf"
HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    xvfb-run -a -s "-screen 0 1024x768x24" "$build/bin/window_shot" "$out" \
    "docs/help-tips${suffix}.png" "docs/progress${suffix}.png" "docs/about${suffix}.png" \
    "docs/disc-dialog${suffix}.png"
echo "$out, docs/help-tips${suffix}.png, docs/progress${suffix}.png, docs/about${suffix}.png and" \
    "docs/disc-dialog${suffix}.png written"
"$build/bin/clipgen" "$home/clip.mp4" --duration 10 --size 1280x720 --vcodec h264 --acodec aac
HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    xvfb-run -a -s "-screen 0 1024x768x24" "$build/bin/preview_shot" "docs/preview-dialog${suffix}.png" \
    "$home/clip.mp4"
echo "docs/preview-dialog${suffix}.png written"
