// Decode time of a 640x480 baseline JPEG into 24-bit and 16-bit DIBs by decodeJpegToDib, beside the
// floor: the JPEG library's own decode of the same file to RGB rows in the same run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "BenchClock.h"
#include "CannotMeasure.h"
#include "JpegDecoder.h"
#include "JpegFixtures.h"

namespace {

RgbPicture benchPicture() {
    RgbPicture picture = solidPicture(640, 480, 0, 0, 0);
    unsigned noise = 12345;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            noise = noise * 1103515245u + 12345u;
            auto jitter = static_cast<std::uint8_t>((noise >> 16) & 15);
            picture.fill(x, y, x + 1, y + 1, static_cast<std::uint8_t>(x * 255 / 639 + jitter / 2),
                         static_cast<std::uint8_t>(y * 255 / 479), static_cast<std::uint8_t>((x + y) / 5 + jitter));
        }
    }
    return picture;
}

double libraryDecode(const std::vector<std::uint8_t>& jpeg) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr error;
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    double start = seconds();
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(cinfo.output_width) * cinfo.output_height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = &pixels[static_cast<std::size_t>(cinfo.output_scanline) * cinfo.output_width * 3];
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    double elapsed = seconds() - start;
    jpeg_destroy_decompress(&cinfo);
    return elapsed;
}

double dibDecode(const std::vector<std::uint8_t>& jpeg, int depth) {
    JpegDibResult result;
    double start = seconds();
    std::uint16_t code = decodeJpegToDib(jpeg.data(), jpeg.size(), depth, &result);
    double elapsed = seconds() - start;
    std::free(result.bits);
    return code == kJpegOk ? elapsed : -1.0;
}

template <typename Decode>
double bestOf(int runs, Decode&& decode) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        best = std::min(best, measured(decode(), "the picture did not decode"));
    }
    return best * 1000.0;
}

}  // namespace

int main() {
    JpegOptions options;
    options.quality = 85;
    options.subsampled = true;
    const std::vector<std::uint8_t> jpeg = encodeJpeg(benchPicture(), options);
    const int runs = 20;
    double floor = bestOf(runs, [&] { return libraryDecode(jpeg); });
    double dib24 = bestOf(runs, [&] { return dibDecode(jpeg, 24); });
    double dib16 = bestOf(runs, [&] { return dibDecode(jpeg, 16); });
    std::printf("640x480 baseline JPEG, %zu bytes, best of %d runs\n", jpeg.size(), runs);
    std::printf("%-34s %8.2f ms\n", "JPEG library to RGB rows (floor)", floor);
    std::printf("%-34s %8.2f ms  ratio %.2f\n", "decodeJpegToDib, 24-bit DIB", dib24, dib24 / floor);
    std::printf("%-34s %8.2f ms  ratio %.2f\n", "decodeJpegToDib, 16-bit RGB555 DIB", dib16, dib16 / floor);
    return 0;
}
