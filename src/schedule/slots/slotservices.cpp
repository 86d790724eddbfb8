#include "schedule/slots/slotservices.h"

#include "data/textroutines.h"
#include "data/updatecount.h"

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
    const double update = data::NextUpdateCount(static_cast<float>(table.fieldByName("UPDATE").asFloat()));
    state.UpdateCounter = static_cast<float>(update);
    const std::string notes = NotesWithLine(table.fieldByName("NOTES").asString(), noteLine);
    table.edit();
    table.fieldByName("SD").setAsFloat(start);
    table.fieldByName("ED").setAsFloat(end);
    table.fieldByName("SDD").setAsDate(start);
    table.fieldByName("EDD").setAsDate(end);
    if (hours)
        table.fieldByName("HOURS").setAsFloat(*hours);
    if (rcount)
        table.fieldByName("RCOUNT").setAsInteger(*rcount);
    table.fieldByName("UPDATE").setAsFloat(update);
    table.fieldByName("NOTES").setAsString(notes);
    table.post();
}

}  // namespace tw::timeblocks
