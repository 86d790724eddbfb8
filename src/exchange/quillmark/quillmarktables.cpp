#include "exchange/quillmark/quillmarktables.h"

#include "data/layouts/layouts.h"

#include <utility>
#include <vector>

namespace tw::exchange::quillmark {

void QuillmarkTables::Open(const std::string& folder)
{
    const std::vector<std::pair<db::Table*, const char*>> cursors = {
        {&CompanyTable, "company.dbf"},   {&BidTable, "bid.dbf"},           {&IProjectTable, "iproj.dbf"},
        {&ProjectsTable3, "projects.DBF"}, {&EstimateTable3, "estimate.dbf"}, {&LaborTable3, "labor.dbf"},
        {&RatesTable2, "rates.DBF"},       {&HourssumTable, "hourssum.DBF"}, {&HourssumTable2, "hourssum.DBF"},
        {&MatssumTable, "matssum.DBF"},    {&WorkOrder1Table, "wo1"},        {&WorkOrder2Table, "wo2"},
    };
    Close();
    try {
        for (auto& [table, name] : cursors) {
            table->setFolder(folder);
            table->setTableName(name);
            // Tables the estimating product wrote come without index
            // definitions of ours: the tags of its layouts are built in memory.
            if (const data::TableLayout* layout = data::FindLayout(data::Database::Estimator, name))
                table->setKnownIndexes(layout->indexes);
            table->open();
        }
        CompanyTable.setIndexName("NAME");
        BidTable.setIndexName("DESC");
        IProjectTable.setIndexName("BIDID");
        HourssumTable.setIndexName("RATE");
    } catch (...) {
        Close();
        throw;
    }
}

void QuillmarkTables::Close()
{
    for (db::Table* t : {&CompanyTable, &BidTable, &IProjectTable, &ProjectsTable3, &EstimateTable3, &LaborTable3,
                         &RatesTable2, &HourssumTable, &HourssumTable2, &MatssumTable, &WorkOrder1Table,
                         &WorkOrder2Table})
        t->close();
}

}  // namespace tw::exchange::quillmark
