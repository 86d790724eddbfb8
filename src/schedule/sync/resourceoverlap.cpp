#include "schedule/sync/resourceoverlap.h"

#include <string>
#include <vector>

#include "data/quartergrid.h"

namespace tw::schedule {

namespace {

// The values of `wanted` in the rows whose `field` equals value, in table
// order. The cursor walks the tag on `field`, so only those rows are read;
// its own index and position are put back.
std::vector<std::int32_t> RowsWhere(db::Table& table, const char* field, std::int32_t value,
                                    const char* wanted)
{
    std::vector<std::int32_t> out;
    const std::string savedIndex = table.indexName();
    table.setIndexName(field);
    table.refresh();
    if (table.locate(field, db::Value(static_cast<double>(value)))) {
        const int f = table.fieldIndex(field);
        const int w = table.fieldIndex(wanted);
        for (; !table.eof() && table.field(f).asInteger() == value; table.next())
            out.push_back(table.field(w).asInteger());
    }
    table.setIndexName(savedIndex);
    return out;
}

std::string ResourceName(db::Table& crews, std::int32_t resourceId)
{
    if (crews.active() && crews.locate("CREWID", db::Value(static_cast<double>(resourceId))))
        return crews.fieldByName("DESC").asString();
    return "unknown";
}

}  // namespace

bool ResourcesAreFree(ScheduleTables& t, data::UserInterface& ui, bool quiet, std::int32_t resourceId,
                      TDateTime start, TDateTime end, std::int32_t taskKey)
{
    db::Table& charts = t.ChartsTable7;
    charts.refresh();
    const TDateTime s = data::RoundUpToQuarterHour(start);
    const TDateTime e = data::RoundUpToQuarterHour(end);

    const std::vector<std::int32_t> primaryItems =
        RowsWhere(t.ICrewsTable3, "CREWID", resourceId, "CHARTSID");
    if (primaryItems.empty())
        return true;

    // A chain is known by its DG; DGN is only the task's place in it.
    const double ownGroup = charts.locate("CHARTSID", db::Value(static_cast<double>(taskKey)))
        ? charts.fieldByName("DG").asFloat()
        : -1.0;

    std::vector<std::int32_t> resources{resourceId};
    for (std::int32_t crew : RowsWhere(t.ICrewsTable2, "CHARTSID", taskKey, "CREWID"))
        if (crew != resources.back())
            resources.push_back(crew);

    for (std::size_t r = 0; r < resources.size(); ++r) {
        const std::vector<std::int32_t> items =
            r == 0 ? primaryItems : RowsWhere(t.ICrewsTable3, "CREWID", resources[r], "CHARTSID");
        for (std::int32_t item : items) {
            if (item == taskKey || !charts.locate("CHARTSID", db::Value(static_cast<double>(item))))
                continue;
            if (charts.fieldByName("JOB").asBoolean())
                continue;
            if (ownGroup > 0 && charts.fieldByName("DG").asFloat() == ownGroup)
                continue;
            const TDateTime os = data::RoundUpToQuarterHour(charts.fieldByName("SD").asFloat());
            const TDateTime oe = data::RoundUpToQuarterHour(charts.fieldByName("ED").asFloat());
            if (os >= e || s >= oe)
                continue;
            if (!quiet)
                ui.ShowMessage("Task dates overlap customer " + charts.fieldByName("CUSTNAME").asString()
                                   + "\nTask:  " + charts.fieldByName("DESC").asString()
                                   + "\nResource:  " + ResourceName(t.CrewsTable2, resources[r]),
                               "Choose a different resource or time", data::MessageIcon::Stop);
            return false;
        }
    }
    return true;
}

}  // namespace tw::schedule
