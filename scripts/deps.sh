# Sourced by ./run and ./test: installs the Debian packages the build needs, once.
CLIPWRIGHT_PACKAGES=(
    cmake g++ pkg-config clang-format
    qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools libqt6opengl6-dev libgl-dev
    libmpv-dev
    libavformat-dev libavcodec-dev libavfilter-dev libswscale-dev libswresample-dev libavutil-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth libgl1-mesa-dri
    librsvg2-bin desktop-file-utils appstream
    mediainfo
    fonts-wqy-microhei fonts-noto-cjk qt6-translations-l10n
    dvdauthor genisoimage xorriso vcdimager lsdvd
    locales
    parallel
)

clipwright_ensure_packages() {
    local missing=()
    local p
    for p in "${CLIPWRIGHT_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
