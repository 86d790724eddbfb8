#pragma once
// Puts several tables' new files in place together: after a crash at any
// instant the database folder holds every table as it was or every table as
// it was to become, never a mixture.
//
//   TableSwap swap(databaseFolder);               // makes a private folder in it
//   ... write the new tables' files into swap.StagingFolder() ...
//   swap.Replace("customers.dbf");                // the live table it replaces
//   swap.Commit();                                // the one step that decides
//
// The new files lie on the database's own file system, so each goes in with
// one rename. Commit first writes a small journal (beside the tables, written
// under a temporary name, flushed, then renamed): from the moment it exists
// the swap is decided and is finished by whoever comes next, this process or
// the next restore or start-up calling FinishPendingSwap.
//
// What a crash leaves, at any instant, in the database folder: every table
// as it was or as it was to become (some files moved, the journal naming
// the rest); at most one journal, twrestore.twswap, or its half-written
// twrestore.twswap.tmp (never acted on, removed); and private folders
// ".twrestore.<pid>.XXXXXX" holding staged files, which the next start-up
// or restore removes once no run holds their lock (leftovers.h). Nothing
// outside the database folder is ever written by the swap.
//
// The journal lies in a folder every workstation can write, so it is acted
// on only as Commit writes it: a plain file naming a private folder of this
// prefix that is a real folder of the database folder (no link), moves of
// table files (.dbf, .dbt, .twi) each onto the live file of its own name,
// removals of table files and their journals. Every staged file still to
// move must be a regular file with no other name. Anything else is damage:
// FinishPendingSwap throws naming the journal, before anything is moved.

#include <functional>
#include <string>
#include <vector>

namespace tw::settings {

// The journal's file name in the database folder.
inline constexpr const char* kSwapJournalName = "twrestore.twswap";

class TableSwap {
public:
    // Creates the private folder; throws std::runtime_error naming the folder.
    explicit TableSwap(const std::string& databaseFolder);
    // Removes the private folder unless Commit wrote the journal.
    ~TableSwap();
    TableSwap(const TableSwap&) = delete;
    TableSwap& operator=(const TableSwap&) = delete;

    const std::string& StagingFolder() const { return staging_; }

    // Marks the table of that name, whose new files (.dbf and its family)
    // lie in the private folder under that name, to replace the live one.
    // Live files of the table that the new one lacks are removed.
    void Replace(const std::string& tableFileName);
    bool Empty() const { return tables_.empty(); }
    // The journal was written: the swap is decided, whatever failed after.
    bool Committed() const { return committed_; }

    // Writes the journal and performs it. Throws std::runtime_error when the
    // journal cannot be written (nothing changed) or a step of it fails (the
    // swap is then finished by FinishPendingSwap).
    // onStep is called before each write to the folder (tests stop there).
    void Commit(const std::function<void(const std::string& step)>& onStep = {});

private:
    std::string folder_;
    std::string staging_;
    std::vector<std::string> tables_;
    bool committed_ = false;
    int lock_ = -1;
};

// Finishes a swap a crashed process left decided, and removes private
// folders of swaps that never were. True when a swap was finished. Throws
// std::runtime_error when a step fails or the journal is damaged (then
// nothing was moved).
bool FinishPendingSwap(const std::string& databaseFolder,
                       const std::function<void(const std::string& step)>& onStep = {});

}  // namespace tw::settings
