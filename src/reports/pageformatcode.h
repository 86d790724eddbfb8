#pragma once
// The page format the user chose: paper size (0 Letter, 1 Legal, 2 A4) and
// orientation (0 portrait, 1 landscape), kept in params.dbf as PAPERSZ and
// PAPERO and on the main window as one code, 2 × size + orientation.

namespace tw::db {
class Table;
}

namespace tw::reports {

// Any orientation but 0 counts as landscape; an unknown size keeps the
// previous code.
int DerivePageFormatCode(int sizeIndex, int orientationIndex, int previousCode);

// Writes both rows into the settings record; false when there is none.
bool StorePageFormat(db::Table& params, int sizeIndex, int orientationIndex);

}  // namespace tw::reports
