// A table, its memo file and its index definitions from bytes (split at
// "#TWSPLIT#"): open, read every value, locate, append, edit, delete, pack,
// sort, copy and reopen. Damage must give a DbError, never a crash, an
// overrun or a giant file.
#include <cstdint>

#include "memfs.h"
#include "platform/db/table.h"
#include "platform/db/tableops.h"

using namespace tw::db;
using tw::db::fuzz::MemFs;

namespace {

void ReadAll(Table& t)
{
    for (t.first(); !t.eof(); t.next())
        for (int i = 0; i < t.fieldCount(); ++i) {
            (void)t.field(i).value();
            try {
                (void)t.field(i).asString();
                (void)t.field(i).asInteger();
            } catch (const DbError&) {
            }
        }
}

void Exercise()
{
    Table t;
    t.setFolder(tw::db::fuzz::kFolder);
    t.setTableName("t");
    t.open();
    ReadAll(t);
    if (t.fieldCount() > 0) {
        t.first();
        if (!t.eof()) {
            std::vector<Value> key{t.field(0).value()};
            try {
                (void)t.locate(t.field(0).name(), key);
            } catch (const DbError&) {
            }
        }
    }
    try {
        t.append();
        for (int i = 0; i < t.fieldCount(); ++i) {
            try {
                t.field(i).setAsString("12");
            } catch (const DbError&) {
            }
        }
        t.post();
    } catch (const DbError&) {
        t.cancel();
    }
    try {
        t.first();
        if (!t.eof()) {
            t.edit();
            for (int i = 0; i < t.fieldCount(); ++i) {
                try {
                    t.field(i).setAsString("a memo, a name or 3");
                } catch (const DbError&) {
                }
            }
            t.post();
            t.deleteRecord();
        }
    } catch (const DbError&) {
        t.cancel();
    }
    t.close();
    for (auto op : {0, 1, 2}) {
        try {
            if (op == 0)
                PackTable(tw::db::fuzz::kFolder, "t");
            if (op == 1)
                SortTable(tw::db::fuzz::kFolder, "t", {1, 2});
            if (op == 2)
                CopyTable(tw::db::fuzz::kFolder, "t", tw::db::fuzz::kFolder, "c");
        } catch (const DbError&) {
        }
    }
    Table again;
    again.setFolder(tw::db::fuzz::kFolder);
    again.setTableName("t");
    again.open();
    ReadAll(again);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto parts = tw::db::fuzz::SplitInput(data, size, 3);
    MemFs fs;
    fs.put("t.dbf", parts[0]);
    if (!parts[1].empty())
        fs.put("t.dbt", parts[1]);
    if (!parts[2].empty())
        fs.put("t.twi", parts[2]);
    SetFileSystem(&fs);
    try {
        Exercise();
    } catch (const DbError&) {
    }
    SetFileSystem(nullptr);
    return 0;
}
