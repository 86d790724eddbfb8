#pragma once
// Page images as the bytes of a Windows bitmap file (24 bits a pixel,
// bottom-up rows padded to four bytes), written and read straight from and
// into the record's bytes: a Letter page at 254 dpi is some 13 MB, and every
// copy of it counts.

#include <QImage>

#include "platform/db/types.h"

namespace tw::reports {

db::Bytes BitmapFileBytes(const QImage& image);
// Reads what BitmapFileBytes writes, and any other bitmap through Qt; a null
// image when the bytes are no bitmap.
QImage ImageFromBitmapBytes(const db::Bytes& bytes);

}  // namespace tw::reports
