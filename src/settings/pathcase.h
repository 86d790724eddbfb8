#pragma once
// Paths as the disk spells them, in two forms. A folder picked on a
// case-insensitive volume, or typed by hand, may differ in letter case from
// the names on disk; shown or looked up as the disk has them, two names for
// one file are seen to be one.
//
// The two forms differ where the path does not exist, and each caller needs
// its own:
// - FindPathIgnoringCase looks up table files: a missing component gives
//   nothing, a folder ends with "/".
//     FindPathIgnoringCase("/srv/tarnwick/icharts.dbf") -> "/srv/Tarnwick/ICharts.DBF"
//     FindPathIgnoringCase("/srv/tarnwick")             -> "/srv/Tarnwick/"
//     FindPathIgnoringCase("/srv/missing/x.dbf")        -> ""
// - SpellPathAsOnDisk shows a database name's folder: that folder may be one
//   still to be made, so its missing tail stays as typed, and so do the
//   user's own ".", ".." and slashes.
//     SpellPathAsOnDisk("/srv/tarnwick/new/")           -> "/srv/Tarnwick/new/"

#include <string>

#include <QString>

namespace tw::settings {

// Each component in the case stored on disk: the exact name when it exists,
// else the first entry in name order that equals it without regard to case.
// Empty for a relative path, a missing component, "..", or a file followed by
// more path (also a trailing "/" after a file).
std::string FindPathIgnoringCase(const std::string& path);

// The path with each component in the letter case in which it exists on disk.
// A component that exists as given keeps its spelling; one that exists only in
// another case takes that case (the first in name order when several match);
// from the first component that does not exist at all, the rest stays as given.
QString SpellPathAsOnDisk(const QString& path);

}  // namespace tw::settings
