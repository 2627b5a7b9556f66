#!/usr/bin/env bash
# Makes docs/main-window.png, the README's picture of the main window, in a real X server
# (Xvfb) with a fresh settings folder. Run after a build:
#   scripts/screenshot.sh [BUILD_DIR] [LANGUAGE_ID]
# With a language id (2052 Chinese Simplified, 1031 German) the window starts in that language,
# from the library beside the program, and the picture is docs/main-window-<id>.png.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
build="${1:-build}"
language="${2:-}"
out="docs/main-window${language:+-$language}.png"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config/Trelvane"
{
    printf '"HiddenToolTips"="TRUE"\n'
    [ -z "$language" ] || printf '"Language"=dword:%08x\n' "$language"
} > "$home/.config/Trelvane/Clipwright.conf"
HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    xvfb-run -a -s "-screen 0 1024x768x24" "$build/bin/window_shot" "$out"
echo "$out written"
