#!/usr/bin/env bash
# Makes the README's pictures in a real X server (Xvfb, OpenGL by Mesa) with a fresh settings
# folder: docs/main-window.png, docs/help-tips.png, docs/progress.png, docs/about.png,
# docs/disc-dialog.png and docs/preview-dialog.png (a frame of a generated 720p clip). Run after a build:
#   scripts/screenshot.sh [BUILD_DIR] [LANGUAGE_ID] [dark]
# With a language id (2052 Chinese Simplified, 1031 German; 1033 English) the window starts in
# that language, from the library beside the program, and the pictures are docs/<name>-<id>.png.
# With "dark" the program runs in Fusion with a dark palette and the names end in "-dark".
# Environment: SHOT_DIR writes the pictures to another folder than docs/ (with the Add dialog and a
# question box beside them, and a generated clip listed in the main window); SHOT_SCALE sets
# QT_SCALE_FACTOR (2 for a picture at twice the size).
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
build="${1:-build}"
language="${2:-}"
mode="${3:-}"
dir="${SHOT_DIR:-docs}"
mkdir -p "$dir"
suffix="${language:+-$language}"
if [ "$mode" = dark ]; then
    suffix="$suffix-dark"
    export CLIPWRIGHT_DARK_PALETTE=1
fi
export QT_SCALE_FACTOR="${SHOT_SCALE:-1}"
out="$dir/main-window${suffix}.png"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config/Trelvane"
{
    printf '"HiddenToolTips"="TRUE"\n'
    [ -z "$language" ] || printf '"Language"=dword:%08x\n' "$language"
} > "$home/.config/Trelvane/Clipwright.conf"
"$build/bin/clipgen" "$home/clip.mp4" --duration 10 --size 1280x720 --vcodec h264 --acodec aac
extras=()
if [ -n "${SHOT_DIR:-}" ]; then
    extras=("$dir")
    export CLIPWRIGHT_SHOT_CLIP="$home/clip.mp4"
fi
HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    xvfb-run -a -s "-screen 0 1600x1200x24" "$build/bin/window_shot" "$out" \
    "$dir/help-tips${suffix}.png" "$dir/progress${suffix}.png" "$dir/about${suffix}.png" \
    "$dir/disc-dialog${suffix}.png" "${extras[@]}"
echo "$out, $dir/help-tips${suffix}.png, $dir/progress${suffix}.png, $dir/about${suffix}.png and" \
    "$dir/disc-dialog${suffix}.png written"
HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    xvfb-run -a -s "-screen 0 1600x1200x24" "$build/bin/preview_shot" "$dir/preview-dialog${suffix}.png" \
    "$home/clip.mp4" $language
echo "$dir/preview-dialog${suffix}.png written"
