#!/usr/bin/env bash
# Builds FFmpeg's Smacker demuxer and decoders (Debian's ffmpeg source package, static, no assembly,
# nothing else enabled) twice: cross for the 32-bit Windows target under $prefix, which smackw32.dll links,
# and natively under $native_prefix for the native fuzz target of the movie decoder. Quick when both are
# installed. Run as root on Debian 12 (tools/setup.sh calls it).
set -euo pipefail
prefix=/usr/local/i686-w64-mingw32
native_prefix=/usr/local/ffmpeg-smacker

installed() {
    [ -f "$1/lib/libavformat.a" ] && [ -f "$1/lib/libavcodec.a" ] && [ -f "$1/lib/libavutil.a" ] \
        && [ -f "$1/include/libavformat/avformat.h" ]
}
if installed "$prefix" && installed "$native_prefix"; then
    echo "setup: ffmpeg ready"
    exit 0
fi
[ "$(id -u)" -eq 0 ] || { echo "setup: ffmpeg is missing and installing it needs root" >&2; exit 1; }

# The source comes through the same deb-src entry and lists of our own as libjpeg's, so that the machine's
# package lists are left as they are.
src_parts=/var/lib/learning-titles/apt-src-parts
src_lists=/var/lib/learning-titles/apt-src-lists
mkdir -p "$src_parts" "$src_lists/partial"
cat > "$src_parts/debian-src.sources" <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
export DEBIAN_FRONTEND=noninteractive
src_opts=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$src_parts"
          -o Dir::State::Lists="$src_lists")
apt-get "${src_opts[@]}" update -q >/dev/null

work=$(mktemp -d)
chmod 755 "$work"  # apt fetches as its own user
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get "${src_opts[@]}" source -q ffmpeg >/dev/null)
source_dir=$(find "$work" -maxdepth 1 -mindepth 1 -type d -name 'ffmpeg-*' | head -n 1)
[ -n "$source_dir" ] || { echo "setup: the ffmpeg source did not unpack" >&2; exit 1; }

# Configures, builds and installs one copy; FFmpeg's own sources warn under these compilers, so the log is
# shown only when the build fails.
build() {
    local into=$1 dir=$2
    shift 2
    mkdir -p "$dir"
    (cd "$dir" && "$source_dir/configure" --prefix="$into" "$@" --enable-static --disable-shared \
        --disable-everything --disable-autodetect --disable-programs --disable-doc --disable-network \
        --disable-x86asm --disable-avdevice --disable-avfilter --disable-swscale --disable-swresample \
        --disable-postproc --enable-demuxer=smacker --enable-decoder=smacker,smackaud --enable-protocol=file \
        >"$dir/configure.log" 2>&1) || { tail -n 20 "$dir/configure.log" >&2; exit 1; }
    make -C "$dir" -j "$(nproc)" >"$dir/build.log" 2>&1 && make -C "$dir" install >>"$dir/build.log" 2>&1 \
        || { tail -n 40 "$dir/build.log" >&2; exit 1; }
}
installed "$prefix" || build "$prefix" "$work/cross" --enable-cross-compile --cross-prefix=i686-w64-mingw32- \
    --cc=i686-w64-mingw32-gcc-posix --arch=x86 --target-os=mingw32
installed "$native_prefix" || build "$native_prefix" "$work/native"
echo "setup: ffmpeg installed in $prefix and $native_prefix"
