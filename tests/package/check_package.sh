#!/usr/bin/env bash
# Checks debian/ without the packaging tools (./test does not install them): control, changelog
# and copyright parse as deb822 / changelog text and agree with the project, and every file the
# install tree holds is in a place the package may put it.
#   check_package.sh SOURCE_DIR BUILD_DIR PREFIX BINDIR LIBDIR DATADIR MANDIR VERSION
set -euo pipefail
source="$1" build="$2" prefix="$3" bindir="$4" libdir="$5" datadir="$6" mandir="$7"
version="$8"
debian="$source/debian"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# deb822: paragraphs of "Field: value" lines with indented continuations, separated by blank
# lines; prints each paragraph's fields as "N<TAB>Field<TAB>value" (continuations joined by
# spaces) and "ERROR<TAB>line<TAB>text" for a line that is neither, or a field given twice.
parse_deb822() {
    awk -v OFS='\t' '
        BEGIN { paragraph = 0 }
        /^#/ { next }
        /^[ \t]*$/ { if (open) { paragraph++; open = 0; delete seen } ; next }
        /^[ \t]/ {
            if (!open) { print "ERROR", NR, $0; next }
            line = $0; sub(/^[ \t]+/, "", line); value[paragraph, field] = value[paragraph, field] " " line
            next
        }
        /^[!-9;-~][!-9;-~]*:/ {
            open = 1
            field = substr($0, 1, index($0, ":") - 1)
            if ((field) in seen) print "ERROR", NR, "field " field " given twice"
            seen[field] = 1
            line = substr($0, index($0, ":") + 1); sub(/^[ \t]+/, "", line)
            value[paragraph, field] = line; order[++count] = paragraph SUBSEP field
            next
        }
        { print "ERROR", NR, $0 }
        END {
            for (i = 1; i <= count; i++) {
                split(order[i], key, SUBSEP)
                print key[1], key[2], value[key[1], key[2]]
            }
        }' "$1"
}
# field FILE PARAGRAPH NAME: the value, empty when missing.
field() { parse_deb822 "$1" | awk -F'\t' -v p="$2" -v f="$3" '$1 == p && $2 == f { print $3 }'; }
# The package names of a relation field, one a line, without versions, alternatives split.
relation_names() {
    tr ',|' '\n\n' <<<"$1" | sed 's/([^)]*)//g; s/\[[^]]*\]//g; s/<[^>]*>//g; s/^[ ]*//; s/[ ]*$//' |
        grep -v '^$'
}
has_relation() { relation_names "$1" | grep -qxF "$2"; }

control="$debian/control"
while IFS=$'\t' read -r kind line text; do
    [ "$kind" = ERROR ] && fail "debian/control line $line does not parse: $text"
done < <(parse_deb822 "$control")
for name in Source Maintainer Standards-Version Build-Depends Rules-Requires-Root; do
    [ -n "$(field "$control" 0 "$name")" ] || fail "debian/control: the source has no $name"
done
[ "$(field "$control" 1 Package)" = clipwright ] || fail "debian/control: no package clipwright"
for name in Architecture Depends Recommends Description; do
    [ -n "$(field "$control" 1 "$name")" ] || fail "debian/control: clipwright has no $name"
done
[ -z "$(field "$control" 2 Package)" ] || fail "debian/control: more packages than the tree has"

depends="$(field "$control" 1 Depends)"
# shellcheck disable=SC2016 # the substitution variables themselves
for name in '${shlibs:Depends}' '${misc:Depends}'; do
    has_relation "$depends" "$name" || fail "Depends lacks $name"
done
# Libraries opened with dlopen are invisible to dpkg-shlibdeps: each soname the program opens
# by name needs its package (libfoo.so.N is in libfooN, libfoo1.2.so.N in libfoo1.2-N).
for soname in $(grep -rhoE 'dlopen\("lib[^"]+\.so\.[0-9]+"' "$source/src" | sed 's/^dlopen("//; s/"$//' |
    sort -u); do
    stem="${soname%%.so.*}" major="${soname##*.so.}"
    case "$stem" in *[0-9]) package="$stem-$major" ;; *) package="$stem$major" ;; esac
    has_relation "$depends" "$package" || fail "the program opens $soname; Depends lacks $package"
done
# The programs the application starts, by the package that has them.
recommends="$(field "$control" 1 Recommends)"
for program in xdg-open:xdg-utils dvdauthor:dvdauthor genisoimage:genisoimage \
    vcdimager:vcdimager; do
    name="${program%%:*}" package="${program#*:}"
    grep -rqF "\"$name\"" "$source/src" || fail "the program no longer starts $name; update this"
    has_relation "$depends" "$package" || has_relation "$recommends" "$package" ||
        fail "$name is started by the program, but $package is neither in Depends nor Recommends"
done
for package in qt6-wayland fonts-wqy-microhei; do
    has_relation "$recommends" "$package" || fail "Recommends lacks $package"
done

# The changelog's newest entry is this version of the project, signed in the policy's format.
changelog="$debian/changelog"
top="$(head -n 1 "$changelog")"
[[ "$top" =~ ^clipwright\ \(([^\)]+)\)\ [a-z-]+\;\ urgency=[a-z]+$ ]] ||
    fail "debian/changelog: the first line '$top' is not an entry's heading"
package_version="${BASH_REMATCH[1]:-}"
[ "${package_version%-*}" = "$version" ] ||
    fail "debian/changelog is at $package_version, the project at $version"
trailer="$(grep -m 1 '^ -- ' "$changelog")"
[[ "$trailer" =~ ^\ --\ .+\ \<[^\>]+@[^\>]+\>\ \ (.+)$ ]] ||
    fail "debian/changelog: the trailer '$trailer' is not ' -- name <address>  date'"
when="${BASH_REMATCH[1]:-}"
if [ -z "$when" ] || [ "$(LC_ALL=C date -R -d "$when" 2>/dev/null)" != "$when" ]; then
    fail "debian/changelog: '$when' is not an RFC 5322 date with the right weekday"
fi

# Machine-readable copyright: every licence a Files paragraph names has its text.
copyright="$debian/copyright"
while IFS=$'\t' read -r kind line text; do
    [ "$kind" = ERROR ] && fail "debian/copyright line $line does not parse: $text"
done < <(parse_deb822 "$copyright")
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$copyright" ||
    fail "debian/copyright is not in the machine-readable format"
declare -A licence_text=()
declare -A licence_used=()
while IFS=$'\t' read -r _ name value; do
    [ "$name" = License ] || continue
    short="${value%% *}"
    if [ "$short" = "$value" ]; then
        licence_used[$short]=1
    else
        licence_text[$short]=1
    fi
done < <(parse_deb822 "$copyright")
for short in "${!licence_used[@]}"; do
    [ -n "${licence_text[$short]:-}" ] || fail "debian/copyright names $short without its text"
done
[ -n "$(field "$copyright" 1 Files)" ] || fail "debian/copyright has no Files paragraph"

[ -x "$debian/rules" ] || fail "debian/rules is not executable"
grep -qxE '3\.0 \((quilt|native)\)' "$debian/source/format" || fail "debian/source/format"

# Every installed file is in a place the package may put it, and every place has its files.
dest="$(mktemp -d)"
trap 'rm -rf "$dest"' EXIT
DESTDIR="$dest" cmake --install "$build" >/dev/null
id=com.trelvane.Clipwright
places=(
    "$bindir/clipwright" "$bindir/trelcore" "$bindir/clipwright-cli"
    "$datadir/bash-completion/completions/clipwright-cli"
    "$libdir/clipwright/LanRes*Dll.so"
    "$datadir/clipwright/help/*.html" "$datadir/clipwright/help/*.png"
    "$datadir/applications/$id.desktop" "$datadir/metainfo/$id.metainfo.xml"
    "$datadir/icons/hicolor/*x*/apps/$id.png" "$datadir/icons/hicolor/scalable/apps/$id.svg"
    "$mandir/man1/*.1"
)
declare -A filled=()
while IFS= read -r -d '' file; do
    relative="${file#"$dest$prefix/"}"
    placed=""
    for place in "${places[@]}"; do
        # shellcheck disable=SC2053 # the places are patterns
        if [[ "$relative" == $place ]]; then
            placed="$place"
            filled[$place]=1
            break
        fi
    done
    [ -n "$placed" ] || fail "$relative is installed where the package may not put it"
done < <(find "$dest" ! -type d -print0)
for place in "${places[@]}"; do
    [ -n "${filled[$place]:-}" ] || fail "nothing is installed as $place"
done

[ "$failures" -eq 0 ] || exit 1
echo "debian/ and the install tree checked"
