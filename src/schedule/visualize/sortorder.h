#pragma once
// Whether the working copy's records already stand in a chart order, so that
// a build can leave the file alone instead of sorting it again.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/db/table.h"

namespace tw::visualize {

// Reads every record of the table at file: true when the records, in the
// order cursors read them, stand as a stable sort on the fields (1-based
// field numbers) would leave them, so that sorting would change nothing.
// False, too, when this code cannot tell (text outside ASCII, whose order the
// table's own code page decides).
bool ScanInOrder(const std::filesystem::path& file, const std::vector<int>& fieldNumbers);

// The same answer, without reading every record each time: it remembers, per
// file, the answer of its last check, the fields it was for and the table's
// change mark then. When this process alone wrote to the table since, only the
// written records are compared with their neighbours; anything else (another
// program's write, a table replaced or closed in between, other fields, many
// writes) reads the table whole again.
class SortOrderCheck {
public:
    bool InOrder(const std::filesystem::path& file, const std::vector<int>& fieldNumbers);

private:
    struct Memo {
        std::vector<int> Fields;
        db::Table::ChangeMark Mark;
        bool InOrder = false;
    };
    std::map<std::string, Memo> memos_;
};

}  // namespace tw::visualize
