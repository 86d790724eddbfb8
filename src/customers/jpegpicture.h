#pragma once
// Customer photos are JPEG pictures kept as bytes in photos.dbf. They are
// decoded in memory with libjpeg, whose own scaled decoding gives the 1:2,
// 1:4 and 1:8 scales without decoding the full picture first.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tw::customers {

// Scale index as photos.dbf keeps it: 0 "1:1", 1 "1:2", 2 "1:4", 3 "1:8".
inline constexpr int kScaleEighth = 3;

struct DecodedPicture {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Rgb;  // 3 bytes a pixel, rows top to bottom, no padding
};

// True when the bytes begin as a JPEG file does.
bool LooksLikeJpeg(const std::vector<std::uint8_t>& bytes);

// The picture at the scale (clamped to 0..3), or nullopt when the bytes are
// no readable JPEG picture; error receives libjpeg's text then.
std::optional<DecodedPicture> DecodeJpeg(const std::vector<std::uint8_t>& bytes, int scaleIndex,
                                         std::string* error = nullptr);

// A JPEG file of the picture (quality 0..100); for tests and sample data.
std::vector<std::uint8_t> EncodeJpeg(const DecodedPicture& picture, int quality = 85);

}  // namespace tw::customers
