#!/usr/bin/env bash
# Makes docs/main-window.png and docs/preview-dialog.png, the README's pictures of the main
# window and of the preview dialog showing a frame of a generated 720p clip, in a real X server
# (Xvfb, OpenGL by Mesa) with a fresh settings folder. Run after a build:
# scripts/screenshot.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
build="${1:-build}"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config/Trelvane"
printf '"HiddenToolTips"="TRUE"\n' > "$home/.config/Trelvane/Clipwright.conf"
HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    xvfb-run -a -s "-screen 0 1024x768x24" "$build/bin/window_shot" docs/main-window.png
echo "docs/main-window.png written"
"$build/bin/clipgen" "$home/clip.mp4" --duration 10 --size 1280x720 --vcodec h264 --acodec aac
HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    xvfb-run -a -s "-screen 0 1024x768x24" "$build/bin/preview_shot" docs/preview-dialog.png \
    "$home/clip.mp4"
echo "docs/preview-dialog.png written"
