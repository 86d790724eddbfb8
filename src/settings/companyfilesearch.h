#pragma once
// The accounting page's search for company files over a whole volume: a
// breadth-first walk from the volume's root that lists every file whose
// extension is QBW in any letter case. It never follows a symbolic link,
// never enters another mounted volume and skips folders it cannot read, so
// that a link loop or a network mount cannot make it endless.

#include <QString>
#include <QStringList>

#include <atomic>

namespace tw::settings {

// A search that runs on a worker thread: the window reads the counts while
// it runs and asks it to stop; the search then ends after the folder it is in.
struct CompanyFileSearchProgress {
    std::atomic<bool> stop{false};
    std::atomic<int> foldersSearched{0};
    std::atomic<int> filesFound{0};
};

// Full paths, sorted; empty when the root cannot be read. A stopped search
// gives what it had found so far.
QStringList FindCompanyFiles(const QString& volumeRoot, CompanyFileSearchProgress* progress = nullptr);

}  // namespace tw::settings
