#!/usr/bin/env bash
# Builds the Debian package from a clean copy of the committed tree (HEAD; uncommitted changes are
# not in it) in a temporary folder, checks it with lintian, and copies the .deb files and the
# lintian report to OUTPUT_DIR (default: build-package/ in the source tree).
#   scripts/package.sh [OUTPUT_DIR]
# DEB_BUILD_OPTIONS passes through, for example DEB_BUILD_OPTIONS="nocheck parallel=2".
# Exits non-zero when the build fails or lintian reports an error or a warning.
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
output_dir="$(realpath -m "${1:-$source_dir/build-package}")"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# The packaging tools, then the build's own packages (the same list ./run and ./test use).
tools=(debhelper dpkg-dev lintian fakeroot git)
missing=()
for package in "${tools[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing the packaging tools: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi
# shellcheck source=deps.sh
source "$source_dir/scripts/deps.sh"
clipwright_ensure_packages

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM
version="$(sed -n '1s/^clipwright (\([^)-]*\).*/\1/p' "$source_dir/debian/changelog")"
tree="$work/clipwright-$version"
mkdir "$tree"
git -C "$source_dir" archive --format=tar HEAD | tar -x -C "$tree"

cd "$tree"
dpkg-checkbuilddeps
dpkg-buildpackage -b -us -uc
cd "$work"

mkdir -p "$output_dir"
status=0
lintian --info --display-info --fail-on error,warning ./*.changes | tee "$output_dir/lintian.txt" ||
    status=$?
cp ./*.deb ./*.buildinfo ./*.changes "$output_dir/"
echo "Packages in $output_dir:"
ls -1 "$output_dir"/*.deb
[ "$status" -eq 0 ] || echo "lintian reported errors or warnings (status $status)"
exit "$status"
