// Writes every table of a new installation: the program folder's tables and
// reference twins into the first folder, a new schedule database into the
// second. Prints each file written with its folder, one per line.

#include <iostream>

#include "data/layouts/layouts.h"
#include "data/services/estimatedata.h"
#include "data/services/networklock.h"
#include "data/services/tableoperations.h"

int main(int argc, char** argv)
{
    using namespace tw::data;
    if (argc != 4) {
        std::cerr << "usage: tw_create_tables <program folder> <schedule folder> <alias file>\n";
        return 2;
    }
    const std::string program = argv[1], schedule = argv[2];
    TEstimateData data(argv[3]);
    data.Aliases.AddStandardAlias("TWUXData", program);
    data.Aliases.AddStandardAlias("DOZOrez", schedule);
    data.ParametersDatabase.setAliasName("TWUXData");
    data.SchedulerDatabase.setAliasName("DOZOrez");
    MainScreenState state;
    state.ProgramFolder = program;
    state.ScheduleFolder = schedule;
    state.FirstRun = true;
    RecordingUserInterface ui;
    data.Bind(state, {});
    NetworkLock lock(data.AccessTable, state, ui);
    TableOperations tables(data, state, ui, lock);
    tables.OpenAllTables(true);
    tables.CloseAllTables();
    for (const auto& m : ui.Messages)
        std::cerr << m.caption << ": " << m.text << "\n";
    if (!ui.Messages.empty() || !state.SharedTablesUsable)
        return 1;
    for (const TableLayout& layout : Layouts(Database::Parameters))
        std::cout << "program\t" << layout.fileName << "\n";
    for (const ReferenceTable& pair : ReferenceTables())
        std::cout << "program\t" << pair.referenceFile << "\n";
    for (const TableLayout& layout : Layouts(Database::Scheduler))
        if (!SameTableName(layout.fileName, "Charts.DBF"))
            std::cout << "schedule\t" << layout.fileName << "\n";
    return 0;
}
