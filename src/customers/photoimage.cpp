#include "customers/photoimage.h"

#include "customers/jpegpicture.h"

#include <cstring>

namespace tw::customers {

QImage PhotoImage(const std::vector<std::uint8_t>& bytes, int scaleIndex, bool jpegOnly)
{
    QImage image;
    if (LooksLikeJpeg(bytes)) {
        if (auto picture = DecodeJpeg(bytes, scaleIndex)) {
            image = QImage(picture->Width, picture->Height, QImage::Format_RGB888);
            for (int y = 0; y < picture->Height; ++y)
                std::memcpy(image.scanLine(y),
                            picture->Rgb.data() + static_cast<std::size_t>(y) * picture->Width * 3,
                            static_cast<std::size_t>(picture->Width) * 3);
        }
    } else if (!jpegOnly && !bytes.empty()) {
        image.loadFromData(bytes.data(), static_cast<int>(bytes.size()));
    }
    if (image.width() <= 5 || image.height() <= 5)
        return QImage();
    return image;
}

}  // namespace tw::customers
