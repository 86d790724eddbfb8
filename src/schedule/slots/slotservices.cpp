#include "schedule/slots/slotservices.h"

#include "data/textroutines.h"

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

}  // namespace tw::timeblocks
