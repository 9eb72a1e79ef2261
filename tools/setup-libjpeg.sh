#!/usr/bin/env bash
# Cross-builds the JPEG library that Glimmer links (Debian's libjpeg-turbo source package: the version 6b
# interface, static, no SIMD) for the 32-bit Windows target and installs it under $prefix. Quick when
# it is already installed. Run as root on Debian 12 (tools/setup.sh calls it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=/usr/local/i686-w64-mingw32

if [ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/include/jpeglib.h" ]; then
    echo "setup: libjpeg ready"
    exit 0
fi
[ "$(id -u)" -eq 0 ] || { echo "setup: libjpeg is missing and installing it needs root" >&2; exit 1; }

# The source comes through a deb-src entry of our own, with lists of its own, so that the machine's
# package lists are left as they are.
src_parts=/var/lib/learning-titles/apt-src-parts
src_lists=/var/lib/learning-titles/apt-src-lists
mkdir -p "$src_parts" "$src_lists/partial"
cat > "$src_parts/debian-src.sources" <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
export DEBIAN_FRONTEND=noninteractive
src_opts=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$src_parts"
          -o Dir::State::Lists="$src_lists")
apt-get "${src_opts[@]}" update -q

work=$(mktemp -d)
chmod 755 "$work"  # apt fetches as its own user
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get "${src_opts[@]}" source -q libjpeg-turbo >/dev/null)
source_dir=$(find "$work" -maxdepth 1 -mindepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
[ -n "$source_dir" ] || { echo "setup: the libjpeg-turbo source did not unpack" >&2; exit 1; }

cmake -S "$source_dir" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF \
      -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF >/dev/null
cmake --build "$work/build" -j "$(nproc)" --target jpeg-static >/dev/null
install -d "$prefix/lib" "$prefix/include"
install -m 644 "$work/build/libjpeg.a" "$prefix/lib/libjpeg.a"
install -m 644 "$work/build/jconfig.h" "$source_dir/jpeglib.h" "$source_dir/jmorecfg.h" \
        "$source_dir/jerror.h" "$prefix/include/"
echo "setup: libjpeg installed in $prefix"
