#pragma once
// The accounting page's search for company files over a whole volume: a
// breadth-first walk from the volume's root that lists every file whose
// extension is QBW in any letter case. It never follows a symbolic link,
// never enters another mounted volume and skips folders it cannot read, so
// that a link loop or a network mount cannot make it endless.

#include <QString>
#include <QStringList>

namespace tw::settings {

// Full paths, sorted; empty when the root cannot be read.
QStringList FindCompanyFiles(const QString& volumeRoot);

}  // namespace tw::settings
