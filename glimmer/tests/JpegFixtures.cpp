// Encodes test pictures with the JPEG library's compressor into memory.
#include "JpegFixtures.h"

#include <cstdio>  // jpeglib.h needs FILE
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

void RgbPicture::fill(int x0, int y0, int x1, int y1, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const std::uint8_t colour[3] = {red, green, blue};
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) std::memcpy(&rgb[(static_cast<std::size_t>(y) * width + x) * 3], colour, 3);
    }
}

RgbPicture solidPicture(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    RgbPicture picture{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
    picture.fill(0, 0, width, height, red, green, blue);
    return picture;
}

std::vector<std::uint8_t> encodeJpeg(const RgbPicture& picture, const JpegOptions& options) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr error;
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
    jpeg_mem_dest(&cinfo, &output, &outputSize);
    cinfo.image_width = static_cast<JDIMENSION>(picture.width);
    cinfo.image_height = static_cast<JDIMENSION>(picture.height);
    cinfo.input_components = options.greyscale ? 1 : 3;
    cinfo.in_color_space = options.greyscale ? JCS_GRAYSCALE : JCS_EXT_RGB;
    jpeg_set_defaults(&cinfo);
    if (options.rgbColourSpace) jpeg_set_colorspace(&cinfo, JCS_RGB);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (!options.greyscale && !options.subsampled) cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<std::uint8_t> grey(static_cast<std::size_t>(picture.width));
    while (cinfo.next_scanline < cinfo.image_height) {
        const std::uint8_t* source = &picture.rgb[static_cast<std::size_t>(cinfo.next_scanline) * picture.width * 3];
        for (int x = 0; x < picture.width; ++x) grey[x] = source[3 * x];
        JSAMPROW rows[1] = {options.greyscale ? grey.data() : const_cast<std::uint8_t*>(source)};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> bytes(output, output + outputSize);
    jpeg_destroy_compress(&cinfo);
    std::free(output);
    return bytes;
}
