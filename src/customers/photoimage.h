#pragma once
// Pictures for the photo panel and the photo dialog: JPEG bytes through our
// libjpeg decoding at the chosen scale; other picture files through Qt's own
// loader at full size.

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace tw::customers {

// A picture of 5 pixels or less in width or height counts as none (a null
// image), as does one that cannot be read.
QImage PhotoImage(const std::vector<std::uint8_t>& bytes, int scaleIndex, bool jpegOnly);

}  // namespace tw::customers
