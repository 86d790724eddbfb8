#include "schedule/slots/slotservices.h"

#include "data/textroutines.h"
#include "data/updatecount.h"
#include "data/records/scheduleitemrecord.h"

namespace tw::timeblocks {

std::vector<std::uint32_t> StoredRecordNumbers(db::Table& table)
{
    std::vector<std::uint32_t> numbers;
    table.refresh();
    for (table.first(); !table.eof(); table.next())
        numbers.push_back(table.recNo());
    return numbers;
}

std::string NotesWithLine(const std::string& notes, const std::string& line)
{
    std::string text = data::TrimBlanks(notes);
    // Stored notes may end their lines with CR LF; one line feed each is kept.
    std::string lines;
    for (char c : text)
        if (c != '\r')
            lines += c;
    if (!lines.empty())
        lines += '\n';
    return lines + line + '\n';
}

void WriteMovedRecord(db::Table& table, data::MainScreenState& state, TDateTime start, TDateTime end,
                      const std::string& noteLine, std::optional<float> hours, std::optional<int> rcount)
{
    using Item = data::ScheduleItemRecord;
    Item moved = data::ReadScheduleItem(table);
    const double update = data::NextUpdateCount(static_cast<float>(moved.UPDATE));
    state.UpdateCounter = static_cast<float>(update);
    moved.NOTES = NotesWithLine(moved.NOTES.value_or(std::string()), noteLine);
    moved.SD = moved.SDD = start;
    moved.ED = moved.EDD = end;
    if (hours)
        moved.HOURS = *hours;
    if (rcount)
        moved.RCOUNT = *rcount;
    moved.UPDATE = update;
    table.edit();
    data::WriteScheduleItemFields(table, moved, &Item::SD, &Item::ED, &Item::SDD, &Item::EDD,
                                      &Item::UPDATE, &Item::NOTES);
    if (hours)
        data::WriteScheduleItemFields(table, moved, &Item::HOURS);
    if (rcount)
        data::WriteScheduleItemFields(table, moved, &Item::RCOUNT);
    table.post();
}

}  // namespace tw::timeblocks
