#include "customers/jpegpicture.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <memory>
#include <cstdio>
#include <stdexcept>

#include <jerror.h>
#include <jpeglib.h>

namespace tw::customers {

namespace {

// libjpeg reports a failure by calling error_exit, which must not return:
// it jumps back to the decode call with the library's message kept.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void NoOutput(j_common_ptr) {}

}  // namespace

bool LooksLikeJpeg(const std::vector<std::uint8_t>& bytes)
{
    return bytes.size() > 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

std::optional<DecodedPicture> DecodeJpeg(const std::vector<std::uint8_t>& bytes, int scaleIndex,
                                         std::string* error)
{
    if (!LooksLikeJpeg(bytes)) {
        if (error)
            *error = "Not a JPEG picture";
        return std::nullopt;
    }
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = NoOutput;
    // Everything the jump may skip lives outside this frame's locals that
    // setjmp could clobber: the result is built into a heap object.
    auto picture = std::make_unique<DecodedPicture>();
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        if (error)
            *error = err.message;
        return std::nullopt;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 1;
    cinfo.scale_denom = 1u << std::clamp(scaleIndex, 0, kScaleEighth);
    cinfo.out_color_space = JCS_RGB;
    cinfo.dct_method = JDCT_ISLOW;  // best quality
    cinfo.do_fancy_upsampling = TRUE;
    cinfo.buffered_image = FALSE;  // no progressive display
    jpeg_start_decompress(&cinfo);
    picture->Width = static_cast<int>(cinfo.output_width);
    picture->Height = static_cast<int>(cinfo.output_height);
    const std::size_t stride = static_cast<std::size_t>(cinfo.output_width) * 3;
    picture->Rgb.resize(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = picture->Rgb.data() + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return std::move(*picture);
}

std::vector<std::uint8_t> EncodeJpeg(const DecodedPicture& picture, int quality)
{
    if (picture.Width <= 0 || picture.Height <= 0
        || picture.Rgb.size() != static_cast<std::size_t>(picture.Width) * picture.Height * 3)
        throw std::invalid_argument("EncodeJpeg: the pixels do not fit the size");
    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    unsigned char* out = nullptr;
    unsigned long size = 0;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::free(out);
        throw std::runtime_error(err.message);
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = static_cast<JDIMENSION>(picture.Width);
    cinfo.image_height = static_cast<JDIMENSION>(picture.Height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const std::size_t stride = static_cast<std::size_t>(picture.Width) * 3;
    while (cinfo.next_scanline < cinfo.image_height) {
        auto row = const_cast<JSAMPROW>(picture.Rgb.data() + stride * cinfo.next_scanline);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> bytes(out, out + size);
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

}  // namespace tw::customers
