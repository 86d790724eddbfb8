// Writes every table of a new installation: the program folder's tables and
// reference twins into the first folder, a new schedule database into the
// second; and the layouts the program reads but never makes (the Quillmark
// tables, the schedule table of older releases) into the third. Prints one
// line per file: its folder, its name and the table whose layout it has.

#include <iostream>

#include "data/layouts/layouts.h"
#include "data/services/estimatedata.h"
#include "data/services/networklock.h"
#include "data/services/tableoperations.h"
#include "platform/db/tableops.h"

int main(int argc, char** argv)
{
    using namespace tw::data;
    if (argc != 5) {
        std::cerr
            << "usage: tw_create_tables <program folder> <schedule folder> <other folder> <alias file>\n";
        return 2;
    }
    const std::string program = argv[1], schedule = argv[2], other = argv[3];
    TEstimateData data(argv[4]);
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
        std::cout << program << "\t" << layout.fileName << "\t" << layout.fileName << "\n";
    for (const ReferenceTable& pair : ReferenceTables())
        std::cout << program << "\t" << pair.referenceFile << "\t" << pair.liveFile << "\n";
    for (const TableLayout& layout : Layouts(Database::Scheduler)) {
        if (SameTableName(layout.fileName, "Charts.DBF")) {
            tw::db::CreateTable(other, "OCharts.DBF", layout.fields, layout.indexes);
            std::cout << other << "\tOCharts.DBF\tolder Charts.DBF\n";
        } else {
            std::cout << schedule << "\t" << layout.fileName << "\t" << layout.fileName << "\n";
        }
    }
    for (const TableLayout& layout : Layouts(Database::Estimator)) {
        tw::db::CreateTable(other, layout.fileName, layout.fields, layout.indexes);
        const std::string file = layout.fileName.find('.') == std::string::npos ? layout.fileName + ".dbf"
                                                                                : layout.fileName;
        std::cout << other << "\t" << file << "\t" << layout.fileName << "\n";
    }
    return 0;
}
