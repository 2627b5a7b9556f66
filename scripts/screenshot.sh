#!/usr/bin/env bash
# Makes the README's pictures in a real X server (Xvfb) with a fresh settings folder:
# docs/main-window.png, docs/help-tips.png and docs/progress.png.
# Run after a build: scripts/screenshot.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
build="${1:-build}"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config/Trelvane"
printf '"HiddenToolTips"="TRUE"\n' > "$home/.config/Trelvane/Clipwright.conf"
HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    xvfb-run -a -s "-screen 0 1024x768x24" "$build/bin/window_shot" docs/main-window.png \
    docs/help-tips.png docs/progress.png
echo "docs/main-window.png, docs/help-tips.png and docs/progress.png written"
