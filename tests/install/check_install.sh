#!/usr/bin/env bash
# Installs the build into a fresh DESTDIR and checks the tree a packager gets (programs only in
# bin, the language libraries in <libdir>/clipwright, the help in <datadir>/clipwright/help), then
# starts the installed program from there and reads in its log where it found its languages and
# manual, and runs the freedesktop validators on the tree when they are installed.
#   check_install.sh BUILD_DIR PREFIX BINDIR LIBDIR DATADIR MANDIR VERSION
set -euo pipefail
build="$1" prefix="$2" bindir="$3" libdir="$4" datadir="$5" mandir="$6" version="$7"
id=com.trelvane.Clipwright
dest="$(realpath "$(mktemp -d)")"
trap 'rm -rf "$dest"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

DESTDIR="$dest" cmake --install "$build" >/dev/null
root="$dest$prefix"
bin="$root/$bindir" share="$root/$datadir" man="$root/$mandir"
languages="$root/$libdir/clipwright" help="$share/clipwright/help"

# Debian puts libraries of the /usr prefix in lib/<multiarch triplet>.
if [ "$prefix" = /usr ] && triplet="$(gcc -print-multiarch 2>/dev/null)" && [ -n "$triplet" ]; then
    [ "$libdir" = "lib/$triplet" ] || fail "the library folder is $libdir, not lib/$triplet"
fi

for program in clipwright clipwright-cli trelcore; do
    [ -x "$bin/$program" ] || fail "$bin/$program is not an executable"
done
for entry in "$bin"/*; do
    if [ -d "$entry" ] || [ ! -x "$entry" ]; then
        fail "$entry in the program folder is not a program"
    fi
    case "$entry" in *.so | *.so.*) fail "$entry: a library in the program folder" ;; esac
done
for library in LanResChsDll.so LanResDeuDll.so; do
    [ -f "$languages/$library" ] || fail "the language library $library is not in $languages"
done
for page in Clipwright.html download.html; do
    [ -f "$help/$page" ] || fail "$page is not in $help, where Help opens it"
done
# Every picture the manual shows is installed beside it.
if [ -f "$help/Clipwright.html" ]; then
    for picture in $(grep -o 'src="[^"]*"' "$help/Clipwright.html" | sed 's/^src="//; s/"$//'); do
        [ -f "$help/$picture" ] || fail "the manual shows $picture, which is not installed"
    done
fi

desktop="$share/applications/$id.desktop"
if [ -f "$desktop" ]; then
    grep -qx 'Exec=clipwright %F' "$desktop" || fail "the desktop entry does not start clipwright %F"
    grep -qx "Icon=$id" "$desktop" || fail "the desktop entry names another icon"
    types="$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' ')"
    for wanted in video/mp4 video/mpeg video/x-matroska video/webm video/mp2t audio/flac; do
        case " $types " in *" $wanted "*) ;; *) fail "the desktop entry does not claim $wanted" ;; esac
    done
    # Canonical names only: an alias is not what file managers match files to.
    mime=/usr/share/mime
    if [ -f "$mime/aliases" ]; then
        for type in $types; do
            [ -f "$mime/$type.xml" ] || fail "the desktop entry claims $type, unknown to $mime"
            ! grep -q "^$type " "$mime/aliases" || fail "the desktop entry claims the alias $type"
        done
    fi
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

# The installed program, started from the DESTDIR with German chosen in its settings, loads that
# language from its library folder and looks for its manual in the help folder; its start-up log
# line says where it looked. The "exposed" report means the window is up and the line written.
home="$dest/home"
mkdir -p "$home/config/Trelvane" "$home/runtime"
chmod 700 "$home/runtime"
printf '"Language"=dword:00000407\n' >"$home/config/Trelvane/Clipwright.conf"
log="$home/clipwright.log"
coproc app {
    exec env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" XDG_CONFIG_HOME="$home/config" \
        XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen CLIPWRIGHT_LOG="$log" \
        CLIPWRIGHT_STARTUP_REPORT=1 "$bin/clipwright" 2>"$home/stderr"
}
# shellcheck disable=SC2154 # app_PID is set by coproc
pid="$app_PID"
step=""
while read -r -t 60 -u "${app[0]}" step _; do
    [ "$step" = exposed ] && break
done
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
if [ "$step" != exposed ]; then
    fail "the installed clipwright did not show its window: $(cat "$home/stderr")"
else
    expected="language 1031, 2 language libraries in $languages/, help in $help/"
    grep -qF "Start-up: $expected" "$log" ||
        fail "the installed clipwright did not report '$expected'; its log: $(grep -F Start-up "$log")"
fi

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
else
    echo "desktop-file-validate is not installed: not run"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --pedantic --no-net "$metainfo" || fail "appstreamcli validate"
else
    echo "appstreamcli is not installed: not run"
fi

[ "$failures" -eq 0 ] || exit 1
echo "install tree checked under $root"
