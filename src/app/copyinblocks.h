#pragma once
// A file copy that works on an open destination in place: the destination
// keeps its identity (links, permissions, watchers) and only its bytes change.

#include <QString>

namespace tw::app {

inline constexpr qint64 kCopyBlockSize = 65536;

// Copies source over destination, kCopyBlockSize bytes at a time at the same
// offsets, creating the destination when it does not exist. A destination
// longer than the source is cut to the source's length, so that the two end
// up equal. False, without a message, when a file cannot be opened, read or
// written; the destination may then hold part of the copy.
bool CopyFileInBlocks(const QString& source, const QString& destination);

}  // namespace tw::app
