#pragma once
// The texts the user reads for a failed connection or session.

#include <QString>

#include <cstdint>

namespace tw::qb {

// TMainScreen::QuickBooksErrorText: the text for a result code of
// OpenConnection or BeginSession; "QuickBooks error " and the code in lower
// case hexadecimal for a code it does not know.
QString QuickBooksErrorText(std::uint32_t code);

}  // namespace tw::qb
