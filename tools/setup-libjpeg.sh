#!/usr/bin/env bash
# Cross-builds the JPEG library that Glimmer links (Debian's libjpeg-turbo source package: the version 6b
# interface, static, no SIMD) for the 32-bit Windows target and installs it under $prefix. Quick when
# it is already installed. Run as root on Debian 12 (tools/setup.sh calls it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/lib/debian-source.sh"
prefix=/usr/local/i686-w64-mingw32

if [ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/include/jpeglib.h" ]; then
    echo "setup: libjpeg ready"
    exit 0
fi
[ "$(id -u)" -eq 0 ] || { echo "setup: libjpeg is missing and installing it needs root" >&2; exit 1; }

fetch_debian_source libjpeg-turbo

cmake -S "$source_dir" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF \
      -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF >/dev/null
cmake --build "$work/build" -j "$(nproc)" --target jpeg-static >/dev/null
install -d "$prefix/lib" "$prefix/include"
install -m 644 "$work/build/libjpeg.a" "$prefix/lib/libjpeg.a"
install -m 644 "$work/build/jconfig.h" "$source_dir/jpeglib.h" "$source_dir/jmorecfg.h" \
        "$source_dir/jerror.h" "$prefix/include/"
echo "setup: libjpeg installed in $prefix"
