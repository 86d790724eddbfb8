#pragma once
// A path as the disk spells it, or nothing: the strict form that looks up
// table files. (The database names keep a folder as typed when its tail does
// not exist yet: app/pathcase.h.)
//
//   NormalizePathCase("/srv/tarnwick/icharts.dbf") -> "/srv/Tarnwick/ICharts.DBF"
//   NormalizePathCase("/srv/tarnwick")             -> "/srv/Tarnwick/"   (a folder ends with "/")
//   NormalizePathCase("/srv/missing/x.dbf")        -> ""                 (a missing component)

#include <string>

namespace tw::settings {

// Each component in the case stored on disk: the exact name when it exists,
// else the first entry in name order that equals it without regard to case.
// Empty for a relative path, a missing component, "..", or a file followed by
// more path (also a trailing "/" after a file).
std::string NormalizePathCase(const std::string& path);

}  // namespace tw::settings
