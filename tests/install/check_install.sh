#!/usr/bin/env bash
# Installs the build into a fresh DESTDIR and checks the tree a packager gets, then runs the
# freedesktop validators on it when they are installed.
#   check_install.sh BUILD_DIR PREFIX BINDIR DATADIR MANDIR VERSION
set -euo pipefail
build="$1" prefix="$2" bindir="$3" datadir="$4" mandir="$5" version="$6"
id=com.trelvane.Clipwright
dest="$(mktemp -d)"
trap 'rm -rf "$dest"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

DESTDIR="$dest" cmake --install "$build" >/dev/null
root="$dest$prefix"
bin="$root/$bindir" share="$root/$datadir" man="$root/$mandir"

for program in clipwright clipwright-cli trelcore; do
    [ -x "$bin/$program" ] || fail "$bin/$program is not an executable"
done
for library in LanResChsDll.so LanResDeuDll.so; do
    [ -f "$bin/$library" ] || fail "the language library $library is not beside clipwright"
done
for page in Clipwright.html download.html; do
    [ -f "$bin/docs/$page" ] || fail "$page is not in docs/ beside clipwright, where Help opens it"
done

desktop="$share/applications/$id.desktop"
if [ -f "$desktop" ]; then
    grep -qx 'Exec=clipwright %F' "$desktop" || fail "the desktop entry does not start clipwright %F"
    grep -qx "Icon=$id" "$desktop" || fail "the desktop entry names another icon"
else
    fail "no desktop entry"
fi

metainfo="$share/metainfo/$id.metainfo.xml"
if [ -f "$metainfo" ]; then
    grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo lacks release $version"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
        fail "the metainfo launches another entry"
    ! grep -q '@' "$metainfo" || fail "a placeholder is left in the metainfo"
else
    fail "no metainfo"
fi

icons="$share/icons/hicolor"
[ -f "$icons/scalable/apps/$id.svg" ] || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
    png="$icons/${size}x${size}/apps/$id.png"
    if [ ! -f "$png" ]; then
        fail "no ${size}x${size} icon"
        continue
    fi
    # PNG: width and height are the big-endian words at bytes 16 and 20.
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{ print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }')
    [ "$width $height" = "$size $size" ] || fail "$png is ${width}x${height}"
done

for page in clipwright clipwright-cli trelcore; do
    file="$man/man1/$page.1"
    if [ -f "$file" ]; then
        grep -q "^\.SH EXIT STATUS" "$file" || fail "$page.1 has no exit statuses"
        ! grep -q '@' "$file" || fail "a placeholder is left in $page.1"
    else
        fail "no man page $page.1"
    fi
done

# The installed programs answer without a display.
out="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/clipwright" --version)" ||
    fail "the installed clipwright --version failed"
[ "$out" = "clipwright $version" ] || fail "clipwright --version printed '$out'"
out="$("$bin/trelcore" --version 2>/dev/null)" || fail "the installed trelcore --version failed"
case "$out" in "trelcore $version"*) ;; *) fail "trelcore --version printed '$out'" ;; esac

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
else
    echo "desktop-file-validate is not installed: not run"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
else
    echo "appstreamcli is not installed: not run"
fi

[ "$failures" -eq 0 ] || exit 1
echo "install tree checked under $root"
