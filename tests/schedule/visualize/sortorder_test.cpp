// The working copy's order check: the answer it gives from what it remembers
// must be the answer of reading the whole table, whatever happened to the
// table since the last check.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/db/table.h"
#include "platform/db/tableops.h"
#include "schedule/visualize/sortorder.h"

namespace tw::visualize {
namespace {

using Row = std::pair<const char*, double>;

// A small working copy: GRP (field 1) and START (field 2), sorted on both.
class OrderFixture {
public:
    explicit OrderFixture(bool keptInOrder)
    {
        char tmpl[] = "/tmp/twsortXXXXXX";
        folder_ = ::mkdtemp(tmpl);
        Build(folder_, {{"b", 5}, {"A", 2}, {"c", 3}, {"B", 1}, {"a", 1}, {"", 4}});
        if (keptInOrder)
            db::SortTableKeptInOrder(folder_, "Charts.DBF", {1, 2});
        else
            db::SortTable(folder_, "Charts.DBF", {1, 2});
        Hold();
    }
    ~OrderFixture()
    {
        holder_.close();
        std::filesystem::remove_all(folder_);
    }

    std::filesystem::path File() const { return std::filesystem::path(folder_) / "Charts.DBF"; }
    const std::string& Folder() const { return folder_; }

    // Writes a table of these rows, in this order, at folder/Charts.DBF.
    static void Build(const std::string& folder, const std::vector<Row>& rows)
    {
        db::CreateTable(folder, "Charts.DBF",
                        {{"GRP", db::FieldType::Char, 8, 0}, {"START", db::FieldType::Float, 20, 8},
                         {"NOTE", db::FieldType::Char, 10, 0}},
                        {}, true);
        db::Table t;
        Open(t, folder);
        for (const auto& [grp, start] : rows) {
            t.append();
            t.fieldByName("GRP").setAsString(grp);
            t.fieldByName("START").setAsFloat(start);
            t.post();
        }
    }
    static void Open(db::Table& t, const std::string& folder)
    {
        t.setFolder(folder);
        t.setTableName("Charts.DBF");
        t.open();
    }

    void Append(const char* grp, double start)
    {
        db::Table t;
        Open(t, folder_);
        t.append();
        t.fieldByName("GRP").setAsString(grp);
        t.fieldByName("START").setAsFloat(start);
        t.post();
    }
    // Sets a field of the record holding grp/start, through a cursor of its own.
    void Edit(const char* grp, double start, const char* field, const db::Value& value)
    {
        db::Table t;
        Open(t, folder_);
        ASSERT_TRUE(t.locate("GRP;START", {db::Value(std::string(grp)), db::Value(start)}));
        t.edit();
        t.fieldByName(field).setValue(value);
        t.post();
    }
    void Delete(const char* grp, double start)
    {
        db::Table t;
        Open(t, folder_);
        ASSERT_TRUE(t.locate("GRP;START", {db::Value(std::string(grp)), db::Value(start)}));
        t.deleteRecord();
    }
    // The same edit, by another process.
    void EditElsewhere(const char* grp, double start, const char* field, const db::Value& value)
    {
        const pid_t child = ::fork();
        if (child == 0) {
            int code = 1;
            try {
                db::Table t;
                Open(t, folder_);
                if (t.locate("GRP;START", {db::Value(std::string(grp)), db::Value(start)})) {
                    t.edit();
                    t.fieldByName(field).setValue(value);
                    t.post();
                    code = 0;
                }
            } catch (const std::exception& e) {
                std::fprintf(stderr, "child: %s\n", e.what());
            }
            ::_exit(code);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    // Sorts the working copy again, its cursors closed meanwhile.
    void Sort()
    {
        holder_.close();
        db::SortTableKeptInOrder(folder_, "Charts.DBF", {1, 2});
        Hold();
    }
    // Puts a table of these rows in the working copy's place, as a restore
    // does: the working copy's cursors closed, the files copied over.
    void Restore(const std::vector<Row>& rows)
    {
        const std::string other = folder_ + "/backup";
        std::filesystem::create_directory(other);
        Build(other, rows);
        holder_.close();
        db::CopyTable(other, "Charts.DBF", folder_, "Charts.DBF");
        Hold();
    }
    // Another program renames a new file over the table while this process
    // still has the old one open.
    void RenameOver(const std::vector<Row>& rows)
    {
        const std::string other = folder_ + "/new";
        std::filesystem::create_directory(other);
        Build(other, rows);
        std::filesystem::rename(std::filesystem::path(other) / "Charts.DBF", File());
    }

private:
    // The build's own cursor on the working copy stays open between checks,
    // as the page keeps it.
    void Hold() { Open(holder_, folder_); }

    std::string folder_;
    db::Table holder_;
};

struct Case {
    const char* Name;
    bool KeptInOrder;
    std::function<void(OrderFixture&)> Change;
    std::vector<int> Fields;  // of the check after the change
    bool Expected;
};

const std::vector<int> kGrpStart{1, 2};

TEST(SortOrderCheck, RememberedAnswerIsTheFullReadsAnswer)
{
    const std::vector<Case> cases{
        {"nothing changed", true, [](OrderFixture&) {}, kGrpStart, true},
        {"nothing changed, plain sort", false, [](OrderFixture&) {}, kGrpStart, true},
        {"add placed in order", true, [](OrderFixture& f) { f.Append("b", 2); }, kGrpStart, true},
        {"add at the end, in order", false, [](OrderFixture& f) { f.Append("d", 0); }, kGrpStart, true},
        {"add at the end, out of order", false, [](OrderFixture& f) { f.Append("a", 0); }, kGrpStart, false},
        {"add in order, then one out of order", false,
         [](OrderFixture& f) {
             f.Append("d", 1);
             f.Append("d", 0);
         },
         kGrpStart, false},
        {"edit of a field it is not sorted on", true,
         [](OrderFixture& f) { f.Edit("B", 1, "NOTE", db::Value(std::string("moved"))); }, kGrpStart, true},
        {"edit of a sort field that keeps the order", true,
         [](OrderFixture& f) { f.Edit("B", 1, "START", db::Value(0.5)); }, kGrpStart, true},
        {"edit of a sort field by another cursor, out of order", true,
         [](OrderFixture& f) { f.Edit("A", 2, "GRP", db::Value(std::string("Z"))); }, kGrpStart, false},
        {"edit of the last record that keeps the order", true,
         [](OrderFixture& f) { f.Edit("c", 3, "START", db::Value(0.0)); }, kGrpStart, true},
        {"edit of the last record, out of order", true,
         [](OrderFixture& f) { f.Edit("c", 3, "GRP", db::Value(std::string("a"))); }, kGrpStart, false},
        {"edit of the first record, out of order", true,
         [](OrderFixture& f) { f.Edit("", 4, "GRP", db::Value(std::string("zz"))); }, kGrpStart, false},
        {"record deleted", true, [](OrderFixture& f) { f.Delete("B", 1); }, kGrpStart, true},
        {"record moved out of order, then deleted", true,
         [](OrderFixture& f) {
             f.Edit("a", 1, "GRP", db::Value(std::string("x")));
             f.Delete("x", 1);
         },
         kGrpStart, true},
        {"another process writes out of order", true,
         [](OrderFixture& f) { f.EditElsewhere("b", 5, "START", db::Value(0.0)); }, kGrpStart, false},
        {"another process writes in order", true,
         [](OrderFixture& f) { f.EditElsewhere("b", 5, "START", db::Value(9.0)); }, kGrpStart, true},
        {"checked on other fields", true, [](OrderFixture&) {}, std::vector<int>{2}, false},
        {"checked on fewer fields", true, [](OrderFixture&) {}, std::vector<int>{1}, true},
        {"restored from an unsorted table", true,
         [](OrderFixture& f) { f.Restore({{"b", 1}, {"a", 1}}); }, kGrpStart, false},
        {"restored from a sorted table", true, [](OrderFixture& f) { f.Restore({{"a", 1}, {"b", 1}}); },
         kGrpStart, true},
        {"unsorted file renamed over it while open", true,
         [](OrderFixture& f) { f.RenameOver({{"b", 1}, {"a", 1}, {"c", 1}, {"a", 0}, {"d", 0}, {"b", 0}}); },
         kGrpStart, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OrderFixture fixture(c.KeptInOrder);
        SortOrderCheck check;
        ASSERT_TRUE(check.InOrder(fixture.File(), kGrpStart));
        c.Change(fixture);
        const bool quick = check.InOrder(fixture.File(), c.Fields);
        const bool full = ScanInOrder(fixture.File(), c.Fields);
        EXPECT_EQ(full, c.Expected);
        EXPECT_EQ(quick, full);
        // Asked again with nothing changed in between.
        EXPECT_EQ(check.InOrder(fixture.File(), c.Fields), full);
    }
}

// An answer "out of order" is not kept once the table is sorted again, and
// the remembered answer follows a table through several rounds of changes.
TEST(SortOrderCheck, FollowsTheTableThroughSortsAndWrites)
{
    OrderFixture fixture(true);
    SortOrderCheck check;
    EXPECT_TRUE(check.InOrder(fixture.File(), kGrpStart));
    fixture.Edit("a", 1, "GRP", db::Value(std::string("q")));
    EXPECT_FALSE(check.InOrder(fixture.File(), kGrpStart));
    fixture.Append("b", 3);
    EXPECT_FALSE(check.InOrder(fixture.File(), kGrpStart));
    fixture.Edit("q", 1, "GRP", db::Value(std::string("a")));
    EXPECT_EQ(check.InOrder(fixture.File(), kGrpStart), ScanInOrder(fixture.File(), kGrpStart));
    fixture.Sort();
    EXPECT_TRUE(check.InOrder(fixture.File(), kGrpStart));
    for (int i = 0; i < 20; ++i) {
        fixture.Append(i % 2 == 0 ? "c" : "A", 10 - i);
        ASSERT_TRUE(check.InOrder(fixture.File(), kGrpStart)) << i;
    }
    fixture.Edit("A", 7, "START", db::Value(100.0));
    EXPECT_FALSE(check.InOrder(fixture.File(), kGrpStart));
    EXPECT_FALSE(ScanInOrder(fixture.File(), kGrpStart));
}

}  // namespace
}  // namespace tw::visualize
