#pragma once
// Long and short file names. The file systems here keep no second, short
// (8.3) name, so a short name is the name itself; the routines still tell a
// name that exists from one that does not, and resolve a path to its
// absolute, clean spelling.

#include <QString>

namespace tw::controls::shell {

// The last element of name when it exists, else name unchanged.
QString LongFNameFromShort(const QString& name);
QString ShortFNameFromLong(const QString& name);
// The absolute, clean path: ".", ".." and repeated or trailing separators
// resolved ("/" stays "/").
QString LongPathFromShort(const QString& path);
QString ShortPathFromLong(const QString& path);
bool LongPathExists(const QString& path);
// Creates the folder and its missing parents; false when that fails. An
// empty path throws.
bool ForceLongPath(const QString& path);

}  // namespace tw::controls::shell
