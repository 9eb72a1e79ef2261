#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 (run as root): the mingw-w64 i686 cross
# compilers, widl, Wine with its 32-bit half, Xvfb, the GoogleTest source and the JPEG library built
# from Debian's source package, Lua 5.4 (the script benchmarks' baseline), and clang with libFuzzer and the
# native JPEG library for the native fuzz targets, and FFmpeg's Smacker decoders. Quick when all is there:
# it then only asks dpkg and looks for the built libraries.
set -euo pipefail

packages=(cmake make gdb dpkg-dev g++-mingw-w64-i686 mingw-w64-tools wine wine32:i386 libwine-dev xvfb xauth googletest lua5.4
          clang-14 libclang-rt-14-dev libjpeg62-turbo-dev espeak-ng)

# The Debian security mirror's i386 index sometimes fails to download ("File has unexpected size"); apt
# then keeps i386 candidates older than the installed amd64 packages and wine32:i386 cannot be resolved.
# Our own sources list of the main suites avoids that index altogether.
own_sources=/var/lib/learning-titles/apt-sources
apt_opts=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$own_sources")

wine_starts_32bit() {
    local probe
    probe=$(mktemp -d)
    printf 'int main(void){return 42;}\n' > "$probe/probe.c"
    i686-w64-mingw32-gcc-posix -static "$probe/probe.c" -o "$probe/probe.exe" >/dev/null 2>&1 || { rm -rf "$probe"; return 1; }
    local rc=0
    WINEPREFIX="$probe/prefix" WINEARCH=win32 WINEDEBUG=-all HOME="$probe" \
        WINEDLLOVERRIDES="mscoree,mshtml=" timeout 120 wine "$probe/probe.exe" >/dev/null 2>&1 || rc=$?
    WINEPREFIX="$probe/prefix" wineserver -k >/dev/null 2>&1 || true
    rm -rf "$probe"
    [ "$rc" -eq 42 ]
}

all_installed() {
    local p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || return 1
    done
    [ -d /usr/src/googletest/googletest ]
}

write_own_sources() {
    mkdir -p "$own_sources"
    cat > "$own_sources/debian-main.sources" <<'EOF'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
}

install_packages() {
    [ "$(id -u)" -eq 0 ] || { echo "setup: packages are missing and installing them needs root" >&2; exit 1; }
    export DEBIAN_FRONTEND=noninteractive
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    write_own_sources
    apt-get "${apt_opts[@]}" update -q
    apt-get "${apt_opts[@]}" install -y -q --no-install-recommends "${packages[@]}"
}

# Wine is tried once, right after it is installed: booting a prefix takes tens of seconds, too long for
# every start of a title.
if ! all_installed; then
    echo "setup: installing packages"
    install_packages
    if ! wine_starts_32bit; then
        echo "setup: wine cannot start a 32-bit Windows program; check that wine32:i386 is installed" >&2
        exit 1
    fi
fi
bash "$(dirname "$0")/setup-libjpeg.sh"
bash "$(dirname "$0")/setup-ffmpeg.sh"
echo "setup: toolchain and wine ready"
