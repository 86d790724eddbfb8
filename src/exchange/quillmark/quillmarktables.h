#pragma once
// The cursors on the Quillmark database that the bid import and its window
// use, named as the data module names them. Several stand on one file so that
// each keeps its own position, index and filter.

#include <string>

#include "platform/db/table.h"

namespace tw::exchange::quillmark {

struct QuillmarkTables {
    db::Table CompanyTable;    // company.dbf, index "NAME"
    db::Table BidTable;        // bid.dbf, index "DESC"
    db::Table IProjectTable;   // iproj.dbf, index "BIDID"
    db::Table ProjectsTable3;  // projects.DBF
    db::Table EstimateTable3;  // estimate.dbf
    db::Table LaborTable3;     // labor.dbf
    db::Table RatesTable2;     // rates.DBF
    db::Table HourssumTable;   // hourssum.DBF, index "RATE"
    db::Table HourssumTable2;  // hourssum.DBF, key look-ups only
    db::Table MatssumTable;    // matssum.DBF, physical order
    db::Table WorkOrder1Table; // wo1
    db::Table WorkOrder2Table; // wo2

    // Opens every cursor on the Quillmark tables of folder (throws the
    // engine's error when one cannot be opened, leaving all closed).
    void Open(const std::string& folder);
    void Close();
    bool IsOpen() const { return CompanyTable.active() && BidTable.active(); }
};

}  // namespace tw::exchange::quillmark
