// Writes every table of a new installation under a root folder: the program
// folder's tables and reference twins into program/, a new schedule database
// into schedule/; and the layouts the program reads but never makes (the
// Quillmark tables, the schedule table of older releases) into other/. Prints
// one line per file: its folder, its name and the table whose layout it has.

#include <filesystem>
#include <iostream>

#include "data/layouts/layouts.h"
#include "platform/db/tableops.h"
#include "scratchinstallation.h"

namespace {

using namespace tw::data;

class NewInstallation : public testing::ScratchInstallation {
public:
    using ScratchInstallation::ScratchInstallation;

    int Write()
    {
        ops_->OpenAllTables(true);
        ops_->CloseAllTables();
        for (const auto& m : ui_.Messages)
            std::cerr << m.caption << ": " << m.text << "\n";
        if (!ui_.Messages.empty() || !state_.SharedTablesUsable)
            return 1;
        const std::string other = root_ + "/other";
        std::filesystem::create_directories(other);
        for (const TableLayout& layout : Layouts(Database::Parameters))
            Print(program_, layout.fileName, layout.fileName);
        for (const ReferenceTable& pair : ReferenceTables())
            Print(program_, pair.referenceFile, pair.liveFile);
        for (const TableLayout& layout : Layouts(Database::Scheduler)) {
            if (SameTableName(layout.fileName, "Charts.DBF")) {
                tw::db::CreateTable(other, "OCharts.DBF", layout.fields, layout.indexes);
                Print(other, "OCharts.DBF", "older Charts.DBF");
            } else {
                Print(schedule_, layout.fileName, layout.fileName);
            }
        }
        for (const TableLayout& layout : Layouts(Database::Estimator)) {
            tw::db::CreateTable(other, layout.fileName, layout.fields, layout.indexes);
            const bool bare = layout.fileName.find('.') == std::string::npos;
            Print(other, bare ? layout.fileName + ".dbf" : layout.fileName, layout.fileName);
        }
        return 0;
    }

private:
    static void Print(const std::string& folder, const std::string& file, const std::string& layout)
    {
        std::cout << folder << "\t" << file << "\t" << layout << "\n";
    }
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: tw_create_tables <empty folder>\n";
        return 2;
    }
    return NewInstallation(argv[1]).Write();
}
