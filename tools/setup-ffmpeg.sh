#!/usr/bin/env bash
# Builds FFmpeg's Smacker demuxer and decoders (Debian's ffmpeg source package, static, no assembly,
# nothing else enabled) twice: cross for the 32-bit Windows target under $prefix, which smackw32.dll links,
# and natively under $native_prefix for the native fuzz target of the movie decoder. Quick when both are
# installed. Run as root on Debian 12 (tools/setup.sh calls it).
set -euo pipefail
prefix=/usr/local/i686-w64-mingw32
native_prefix=/usr/local/ffmpeg-smacker
source "$(dirname "$0")/lib/debian-source.sh"

installed() {
    [ -f "$1/lib/libavformat.a" ] && [ -f "$1/lib/libavcodec.a" ] && [ -f "$1/lib/libavutil.a" ] \
        && [ -f "$1/include/libavformat/avformat.h" ]
}
if installed "$prefix" && installed "$native_prefix"; then
    echo "setup: ffmpeg ready"
    exit 0
fi
[ "$(id -u)" -eq 0 ] || { echo "setup: ffmpeg is missing and installing it needs root" >&2; exit 1; }

# Quiet, like the builds below, whose logs are shown only when they fail.
fetch_debian_source ffmpeg >/dev/null

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
