#pragma once
// What the backup, the restore and the setup dialog ask when they are done
// with the closed tables: every table opened again (no rebuild of a damaged
// index) and the pages attached to them. The start-up unit, which opened them
// at the start, answers; whoever makes the Utilities unit hands it over.

namespace tw::app {

class TableReopener {
public:
    virtual ~TableReopener() = default;
    virtual void ReopenAllTables() = 0;
};

}  // namespace tw::app
