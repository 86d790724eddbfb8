#include "reports/bitmapbytes.h"

#include <cstring>

namespace tw::reports {

namespace {

constexpr int kFileHeader = 14, kInfoHeader = 40;

void Put16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t Get32(const std::uint8_t* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t Get16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

db::Bytes BitmapFileBytes(const QImage& source)
{
    const QImage image = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
        ? source
        : source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width(), height = image.height();
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t offset = kFileHeader + kInfoHeader;
    db::Bytes bytes(offset + stride * static_cast<std::uint32_t>(height), 0);
    std::uint8_t* h = bytes.data();
    h[0] = 'B';
    h[1] = 'M';
    Put32(h + 2, static_cast<std::uint32_t>(bytes.size()));
    Put32(h + 10, offset);
    Put32(h + 14, kInfoHeader);
    Put32(h + 18, static_cast<std::uint32_t>(width));
    Put32(h + 22, static_cast<std::uint32_t>(height));
    Put16(h + 26, 1);
    Put16(h + 28, 24);
    Put32(h + 34, stride * static_cast<std::uint32_t>(height));
    // 254 dots per inch, in dots per metre.
    Put32(h + 38, 10000);
    Put32(h + 42, 10000);
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::uint8_t* out = bytes.data() + offset + stride * static_cast<std::uint32_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            *out++ = static_cast<std::uint8_t>(qBlue(in[x]));
            *out++ = static_cast<std::uint8_t>(qGreen(in[x]));
            *out++ = static_cast<std::uint8_t>(qRed(in[x]));
        }
    }
    return bytes;
}

QImage ImageFromBitmapBytes(const db::Bytes& bytes)
{
    const std::uint8_t* h = bytes.data();
    if (bytes.size() >= kFileHeader + kInfoHeader && h[0] == 'B' && h[1] == 'M'
        && Get32(h + 14) == kInfoHeader && Get16(h + 28) == 24 && Get32(h + 30) == 0) {
        const std::int32_t width = static_cast<std::int32_t>(Get32(h + 18));
        const std::int32_t height = static_cast<std::int32_t>(Get32(h + 22));
        const std::uint32_t offset = Get32(h + 10);
        const std::uint64_t stride = (static_cast<std::uint64_t>(width) * 3 + 3) & ~3ull;
        if (width > 0 && height > 0 && offset + stride * static_cast<std::uint64_t>(height) <= bytes.size()) {
            QImage image(width, height, QImage::Format_RGB32);
            for (int y = 0; y < height; ++y) {
                const std::uint8_t* in =
                    bytes.data() + offset + stride * static_cast<std::uint64_t>(height - 1 - y);
                auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < width; ++x, in += 3)
                    out[x] = qRgb(in[2], in[1], in[0]);
            }
            return image;
        }
    }
    return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP");
}

}  // namespace tw::reports
