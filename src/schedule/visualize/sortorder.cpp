#include "schedule/visualize/sortorder.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace tw::visualize {

namespace {

// One sort key of a record as the table's sort compares it.
struct SortKey {
    bool Blank = true;
    bool Text = false;
    double Number = 0;
    std::string Upper;
};

// -1, 0, 1 as the sort orders them; 2 when this code cannot tell (text
// outside ASCII, whose order the table's own code page decides).
int CompareSortKeys(const SortKey& a, const SortKey& b)
{
    if (a.Text || b.Text) {
        const std::size_t n = std::max(a.Upper.size(), b.Upper.size());
        for (std::size_t i = 0; i < n; ++i) {
            const auto x = static_cast<unsigned char>(i < a.Upper.size() ? a.Upper[i] : ' ');
            const auto y = static_cast<unsigned char>(i < b.Upper.size() ? b.Upper[i] : ' ');
            if (x >= 0x80 || y >= 0x80)
                return 2;
            if (x != y)
                return x < y ? -1 : 1;
        }
        return 0;
    }
    if (a.Blank || b.Blank)
        return a.Blank == b.Blank ? 0 : (a.Blank ? -1 : 1);
    return a.Number < b.Number ? -1 : (a.Number > b.Number ? 1 : 0);
}

void ReadSortKey(db::Field& field, SortKey& key)
{
    const db::Value value = field.value();
    key.Blank = std::holds_alternative<std::monostate>(value);
    key.Text = field.type() == db::FieldType::Char;
    if (key.Text) {
        key.Upper = key.Blank ? std::string() : std::get<std::string>(value);
        for (char& c : key.Upper)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 32);
    } else {
        key.Number = key.Blank ? 0 : std::get<double>(value);
    }
}

using Keys = std::vector<SortKey>;

void ReadKeys(std::vector<db::Field>& fields, Keys& keys)
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        ReadSortKey(fields[i], keys[i]);
}

// True when a record with the keys before may stand before one with after.
bool PairInOrder(const Keys& before, const Keys& after)
{
    for (std::size_t i = 0; i < before.size(); ++i) {
        const int order = CompareSortKeys(before[i], after[i]);
        if (order == 2 || order > 0)
            return false;
        if (order < 0)
            return true;
    }
    return true;
}

std::vector<db::Field> SortFieldsOf(db::Table& table, const std::vector<int>& fieldNumbers)
{
    std::vector<db::Field> fields;
    for (int number : fieldNumbers)
        fields.push_back(table.field(number - 1));
    return fields;
}

bool ScanTable(db::Table& table, const std::vector<int>& fieldNumbers)
{
    std::vector<db::Field> fields = SortFieldsOf(table, fieldNumbers);
    Keys previous(fields.size()), current(fields.size());
    bool first = true;
    for (table.first(); !table.eof(); table.next()) {
        ReadKeys(fields, current);
        if (!first && !PairInOrder(previous, current))
            return false;
        first = false;
        std::swap(previous, current);
    }
    return true;
}

// The record recno (still shown) against the records read just before and
// just after it.
bool InOrderWithNeighbours(db::Table& table, std::vector<db::Field>& fields, std::uint32_t recno)
{
    Keys self(fields.size()), other(fields.size());
    table.goTo(recno);
    ReadKeys(fields, self);
    table.prior();
    if (!table.bof()) {
        ReadKeys(fields, other);
        if (!PairInOrder(other, self))
            return false;
    }
    table.goTo(recno);
    table.next();
    if (!table.eof()) {
        ReadKeys(fields, other);
        if (!PairInOrder(self, other))
            return false;
    }
    return true;
}

// Beyond this many writes since the last check, reading the table whole is
// as quick as looking at each written record.
constexpr std::size_t kMostWritesLookedAt = 4096;

// A cursor of this process that stays open keeps the table as it last read
// it: the refresh brings in what other programs wrote since.
void OpenTableAt(db::Table& table, const std::filesystem::path& file)
{
    table.setFolder(file.parent_path().string());
    table.setTableName(file.filename().string());
    table.open();
    table.refresh();
}

}  // namespace

bool ScanInOrder(const std::filesystem::path& file, const std::vector<int>& fieldNumbers)
{
    db::Table table;
    OpenTableAt(table, file);
    return ScanTable(table, fieldNumbers);
}

bool SortOrderCheck::InOrder(const std::filesystem::path& file, const std::vector<int>& fieldNumbers)
{
    db::Table table;
    // Another program's write since the last look starts a new change mark.
    OpenTableAt(table, file);
    const db::Table::ChangeMark mark = table.changeMark();
    const std::string key = file.lexically_normal().string();

    std::optional<bool> known;
    const auto memo = memos_.find(key);
    if (memo != memos_.end() && memo->second.Fields == fieldNumbers) {
        // Records that only this process wrote since the last check; the
        // others stand where they stood, in the same read order. A record
        // taken out leaves its neighbours in order.
        if (auto written = table.writtenSince(memo->second.Mark)) {
            if (written->empty()) {
                known = memo->second.InOrder;
            } else if (memo->second.InOrder && written->size() <= kMostWritesLookedAt) {
                std::sort(written->begin(), written->end());
                written->erase(std::unique(written->begin(), written->end()), written->end());
                std::vector<db::Field> fields = SortFieldsOf(table, fieldNumbers);
                known = true;
                for (std::uint32_t recno : *written) {
                    try {
                        if (!InOrderWithNeighbours(table, fields, recno)) {
                            known = false;
                            break;
                        }
                    } catch (const db::DbError& e) {
                        // Deleted since it was written: no longer read.
                        if (e.code() != db::ErrorCode::NoCurrentRecord)
                            throw;
                    }
                }
            }
        }
    }
    const bool inOrder = known ? *known : ScanTable(table, fieldNumbers);
    memos_[key] = Memo{fieldNumbers, mark, inOrder};
    return inOrder;
}

}  // namespace tw::visualize
