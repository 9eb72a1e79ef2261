// JPEG to DIB through the JPEG library's version 6 interface: a memory source, an error manager that
// jumps back instead of ending the process, blue-green-red output at 24 bits, the library's own
// quantiser at 8 bits, and Glimmer's RGB555 conversion of the library's YCbCr output at 16 bits.
// Kept free of <windows.h>, whose `boolean` clashes with the library's.
#include "JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "Rgb555.h"

namespace {

struct ErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf jump;
};

void jumpBack(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1); }

void stayQuiet(j_common_ptr) {}

// The memory source. When the data runs out it supplies an end-of-image marker, so a truncated file
// ends as if it were complete; it never reads outside the given bytes.
struct MemorySource {
    jpeg_source_mgr manager;
    JOCTET endOfImage[2];
};

void initSource(j_decompress_ptr) {}

boolean fillInputBuffer(j_decompress_ptr cinfo) {
    auto* source = reinterpret_cast<MemorySource*>(cinfo->src);
    source->endOfImage[0] = 0xFF;
    source->endOfImage[1] = JPEG_EOI;
    source->manager.next_input_byte = source->endOfImage;
    source->manager.bytes_in_buffer = 2;
    return TRUE;
}

void skipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0) return;
    jpeg_source_mgr* source = cinfo->src;
    if (static_cast<unsigned long>(count) <= source->bytes_in_buffer) {
        source->next_input_byte += count;
        source->bytes_in_buffer -= static_cast<std::size_t>(count);
    } else {
        source->next_input_byte += source->bytes_in_buffer;
        source->bytes_in_buffer = 0;
    }
}

void termSource(j_decompress_ptr) {}

void jpegMemorySource(j_decompress_ptr cinfo, const std::uint8_t* data, std::size_t size) {
    if (cinfo->src == nullptr) {
        cinfo->src = static_cast<jpeg_source_mgr*>(
            (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(MemorySource)));
    }
    jpeg_source_mgr* source = cinfo->src;
    source->next_input_byte = data;
    source->bytes_in_buffer = size;
    source->init_source = initSource;
    source->fill_input_buffer = fillInputBuffer;
    source->skip_input_data = skipInputData;
    source->resync_to_restart = jpeg_resync_to_restart;
    source->term_source = termSource;
}

// Everything a decode allocates, in one zeroed block on the heap so that the jump back finds it.
struct DecodeJob {
    jpeg_decompress_struct cinfo;
    ErrorManager error;
    std::uint8_t* bits;
    JSAMPROW* rows;
    std::uint8_t* yccRows;
    int depth;
};

void release(DecodeJob* job) {
    jpeg_destroy_decompress(&job->cinfo);
    std::free(job->rows);
    std::free(job->yccRows);
    std::free(job->bits);
    std::free(job);
}

int effectiveDepth(int wantedDepth) {
    switch (wantedDepth) {
    case 0: return 8;
    case 8: case 16: case 24: return wantedDepth;
    case 32: return 24;
    default: return -1;
    }
}

void chooseOutput(jpeg_decompress_struct& cinfo, int depth) {
    if (depth == 8) {
        if (cinfo.out_color_space != JCS_GRAYSCALE) cinfo.out_color_space = JCS_EXT_BGR;
        cinfo.quantize_colors = TRUE;
    } else if (depth == 16) {
        cinfo.out_color_space = JCS_YCbCr;  // refused by the library unless the file is YCbCr
        cinfo.dither_mode = JDITHER_NONE;
    } else {
        cinfo.out_color_space = JCS_EXT_BGR;
    }
}

// Reads every row straight into the bitmap through the row table (8 and 24 bits).
void readDirect(DecodeJob* job) {
    jpeg_decompress_struct& cinfo = job->cinfo;
    while (cinfo.output_scanline < cinfo.output_height) {
        jpeg_read_scanlines(&cinfo, job->rows + cinfo.output_scanline, cinfo.output_height - cinfo.output_scanline);
    }
}

// Reads YCbCr rows a few at a time and converts them into the bitmap's RGB555 rows (16 bits).
[[nodiscard]] bool readRgb555(DecodeJob* job) {
    jpeg_decompress_struct& cinfo = job->cinfo;
    const std::uint32_t yccStride = cinfo.output_width * 3;
    const int batch = cinfo.rec_outbuf_height > 0 ? cinfo.rec_outbuf_height : 1;
    job->yccRows = static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(yccStride) * batch));
    if (job->yccRows == nullptr) return false;
    JSAMPROW batchRows[16];
    for (int k = 0; k < batch && k < 16; ++k) batchRows[k] = job->yccRows + static_cast<std::size_t>(k) * yccStride;
    static const YccToRgb555 converter;
    while (cinfo.output_scanline < cinfo.output_height) {
        JDIMENSION first = cinfo.output_scanline;
        JDIMENSION got = jpeg_read_scanlines(&cinfo, batchRows, batch < 16 ? batch : 16);
        for (JDIMENSION k = 0; k < got; ++k) converter.convertRow(batchRows[k], job->rows[first + k], cinfo.output_width);
    }
    return true;
}

void fillColours(const jpeg_decompress_struct& cinfo, JpegDibResult* result) {
    if (!cinfo.quantize_colors) {
        result->colourCount = cinfo.out_color_space == JCS_YCbCr ? 65536u : 16777216u;
        return;
    }
    const int colours = cinfo.actual_number_of_colors;
    const bool grey = cinfo.out_color_space == JCS_GRAYSCALE || cinfo.out_color_components == 1;
    for (int j = 0; j < colours && j < 256; ++j) {
        for (int c = 0; c < 3; ++c) {
            result->colourTable[j][c] = grey ? static_cast<std::uint8_t>(j) : cinfo.colormap[c][j];
        }
    }
    result->colourCount = static_cast<std::uint32_t>(colours);
}

std::uint16_t decode(DecodeJob* job, const std::uint8_t* data, std::size_t size, JpegDibResult* result) {
    jpeg_decompress_struct& cinfo = job->cinfo;
    cinfo.err = jpeg_std_error(&job->error.standard);
    job->error.standard.error_exit = jumpBack;
    job->error.standard.output_message = stayQuiet;
    if (setjmp(job->error.jump)) return kJpegLibraryError;

    jpeg_create_decompress(&cinfo);
    jpegMemorySource(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.out_color_space == JCS_GRAYSCALE) job->depth = 8;
    const int depth = job->depth;
    chooseOutput(cinfo, depth);
    jpeg_start_decompress(&cinfo);

    const std::uint32_t stride = dibStride(static_cast<std::uint32_t>(depth / 8), cinfo.output_width);
    const std::uint64_t total = std::uint64_t{stride} * cinfo.output_height;
    if (total == 0 || total > 0x7FFFFFFFu) return kJpegOutOfMemory;
    job->bits = static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(total)));
    if (job->bits == nullptr) return kJpegOutOfMemory;
    job->rows = static_cast<JSAMPROW*>(std::malloc(sizeof(JSAMPROW) * cinfo.output_height));
    if (job->rows == nullptr) return kJpegOutOfMemory;
    for (JDIMENSION k = 0; k < cinfo.output_height; ++k) {
        job->rows[k] = job->bits + std::size_t{cinfo.output_height - 1 - k} * stride;
    }

    if (depth == 16) {
        if (!readRgb555(job)) return kJpegOutOfMemory;
    } else {
        readDirect(job);
    }
    fillColours(cinfo, result);
    jpeg_finish_decompress(&cinfo);

    result->bits = job->bits;
    result->byteCount = static_cast<std::uint32_t>(total);
    result->width = cinfo.output_width;
    result->height = cinfo.output_height;
    job->bits = nullptr;
    return kJpegOk;
}

}  // namespace

std::uint32_t dibStride(std::uint32_t bytesPerPixel, std::uint32_t width) {
    return (bytesPerPixel * width + 3) & ~std::uint32_t{3};
}

std::uint16_t decodeJpegToDib(const std::uint8_t* data, std::size_t size, int wantedDepth, JpegDibResult* result) {
    if (data == nullptr || result == nullptr) return kJpegBadArgument;
    const int depth = effectiveDepth(wantedDepth);
    if (depth < 0) return kJpegBadArgument;
    *result = JpegDibResult{};
    auto* job = static_cast<DecodeJob*>(std::calloc(1, sizeof(DecodeJob)));
    if (job == nullptr) return kJpegOutOfMemory;
    job->depth = depth;
    std::uint16_t code = decode(job, data, size, result);
    if (code != kJpegOk) *result = JpegDibResult{};
    release(job);
    return code;
}
