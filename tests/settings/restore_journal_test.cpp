// A restore journal planted in the shared database folder, as anyone who can
// write that folder could leave it: the start-up (and the next restore) that
// finds it refuses it naming the journal, and not a byte moves, inside the
// database folder or outside it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "restorefixture.h"

namespace tw::settings::test {
namespace {

// Every entry under root, links as links: path -> what it is and holds.
std::map<std::string, std::string> Tree(const fs::path& root)
{
    std::map<std::string, std::string> tree;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const fs::path& path = it->path();
        const std::string name = fs::relative(path, root).string();
        const fs::file_status st = fs::symlink_status(path);
        if (fs::is_symlink(st))
            tree[name] = "link to " + fs::read_symlink(path).string();
        else if (fs::is_directory(st))
            tree[name] = "folder";
        else
            tree[name] = ReadFile(path);
    }
    return tree;
}

class RestoreJournalTest : public RestoreFixture {
protected:
    void SetUp() override
    {
        RestoreFixture::SetUp();
        outside_ = root_ / "outside";
        fs::create_directories(outside_);
        // A table the journals try to bring in, and a file they try to reach.
        Put(Src(), "customers.dbf", {{{"CID", 9.0}, {"NAME", std::string("Outsider")}}});
        fs::copy_file(source_ / "customers.dbf", outside_ / "customers.dbf");
        WriteFile(outside_ / "secret.dbf", "not the program's");
        Put(Db(), "customers.dbf", {{{"CID", 1.0}, {"NAME", std::string("Live")}}});
    }

    void Journal(const std::string& staging, const std::vector<std::string>& lines)
    {
        std::string text = "TWSWAP 1\t" + staging + "\n";
        for (const std::string& line : lines)
            text += line + "\n";
        WriteFile(db_ / kSwapJournalName, text + "end\n");
    }

    const std::string move = "move\tcustomers.dbf\tcustomers.dbf";
    fs::path outside_;
};

TEST_F(RestoreJournalTest, APlantedJournalIsRefusedNamingItAndNothingMoves)
{
    const std::string journal = (db_ / kSwapJournalName).string();
    struct Case {
        const char* name;
        std::function<void()> plant;
        std::string why;  // part of the reason given
    };
    const std::vector<Case> cases = {
        {"a subfolder of the database as the staging folder",
         [&] {
             fs::create_directories(db_ / "Database");
             fs::copy_file(outside_ / "customers.dbf", db_ / "Database" / "customers.dbf");
             WriteFile(db_ / "Database" / "notes.txt", "kept");
             Journal("Database", {move});
         },
         "as the restore's folder"},
        {"the prefix alone", [&] { Journal(".twrestore.", {move}); }, "as the restore's folder"},
        {"a link to an outside folder",
         [&] {
             fs::create_directory_symlink(outside_, db_ / ".twrestore.AbC123");
             Journal(".twrestore.AbC123", {move});
         },
         "is a link"},
        {"a plain file as the staging folder",
         [&] {
             WriteFile(db_ / ".twrestore.AbC123", "x");
             Journal(".twrestore.AbC123", {move});
         },
         "is not a folder"},
        {"a staged link to an outside file",
         [&] {
             fs::create_directory(db_ / ".twrestore.AbC123");
             fs::create_symlink(outside_ / "secret.dbf", db_ / ".twrestore.AbC123" / "customers.dbf");
             Journal(".twrestore.AbC123", {move});
         },
         "not a plain file"},
        {"a staged second name of an outside file",
         [&] {
             fs::create_directory(db_ / ".twrestore.AbC123");
             fs::create_hard_link(outside_ / "customers.dbf", db_ / ".twrestore.AbC123" / "customers.dbf");
             Journal(".twrestore.AbC123", {move});
         },
         "also a file elsewhere"},
        {"a staged folder",
         [&] {
             fs::create_directories(db_ / ".twrestore.AbC123" / "customers.dbf");
             Journal(".twrestore.AbC123", {move});
         },
         "not a plain file"},
        {"a move onto another table",
         [&] {
             fs::create_directory(db_ / ".twrestore.AbC123");
             fs::copy_file(outside_ / "customers.dbf", db_ / ".twrestore.AbC123" / "customers.dbf");
             Journal(".twrestore.AbC123", {"move\tcustomers.dbf\tjobs.dbf"});
         },
         "moves customers.dbf to jobs.dbf"},
        {"a removal of a file that is no table's",
         [&] {
             fs::create_directory(db_ / ".twrestore.AbC123");
             WriteFile(db_ / "Setup.INI", "[tarnwick]\n");
             Journal(".twrestore.AbC123", {"remove\tSetup.INI"});
         },
         "removes Setup.INI"},
        {"the journal a link to an outside journal",
         [&] {
             fs::create_directory(db_ / ".twrestore.AbC123");
             WriteFile(outside_ / "journal", "TWSWAP 1\t.twrestore.AbC123\nremove\tjobs.dbf\nend\n");
             fs::create_symlink(outside_ / "journal", db_ / kSwapJournalName);
         },
         "not a plain file"},
        {"a half-written journal", [&] { WriteFile(db_ / kSwapJournalName, "TWSWAP 1\t.twrestore.AbC123\n"); },
         "ends before"},
    };
    const fs::path pristine = root_ / "pristine";
    fs::copy(db_, pristine);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(db_);
        fs::copy(pristine, db_);
        c.plant();
        const auto database = Tree(db_);
        const auto outside = Tree(outside_);
        try {
            FinishPendingSwap(Db());
            ADD_FAILURE() << "acted on";
        } catch (const std::runtime_error& e) {
            const std::string text = e.what();
            EXPECT_NE(text.find(journal), std::string::npos) << text;
            EXPECT_NE(text.find("damaged"), std::string::npos) << text;
            EXPECT_NE(text.find(c.why), std::string::npos) << text;
        }
        EXPECT_EQ(Tree(db_), database);
        EXPECT_EQ(Tree(outside_), outside);
        EXPECT_EQ(Column(Db(), "customers.dbf", "NAME"), std::vector<std::string>{"Live"});
    }
}

// The restore finishes an earlier swap first: a planted journal stops it
// with the journal named, before it reads the archive.
TEST_F(RestoreJournalTest, ARestoreRefusesToStartOverAPlantedJournal)
{
    fs::create_directory_symlink(outside_, db_ / ".twrestore.AbC123");
    Journal(".twrestore.AbC123", {move});
    Archive();
    const auto database = Tree(db_);
    const auto outside = Tree(outside_);
    EXPECT_EQ(Restore(), RestoreOutcome::Failed);
    ASSERT_EQ(ui_.Messages.size(), 1u);
    EXPECT_NE(ui_.Messages[0].text.find((db_ / kSwapJournalName).string()), std::string::npos)
        << ui_.Messages[0].text;
    EXPECT_EQ(ui_.Messages[0].caption, "Restore failed");
    EXPECT_TRUE(host_.calls.empty());
    EXPECT_EQ(Tree(db_), database);
    EXPECT_EQ(Tree(outside_), outside);
    EXPECT_TRUE(fs::is_empty(restore_));
}

// The journal is written under a temporary name first; a link planted there
// while the restore works is removed, not written through.
TEST_F(RestoreJournalTest, TheJournalIsNeverWrittenThroughALink)
{
    Put(Src(), "jobs.dbf", {{{"JID", 3.0}, {"DESC", std::string("backup job")}}});
    host_.sharedUsable = false;
    Archive();
    const auto outside = Tree(outside_);
    RestoreOptions options;
    options.onSwapStep = [&](const std::string& step) {
        if (step == "write journal")
            fs::create_symlink(outside_ / "secret.dbf", db_ / (std::string(kSwapJournalName) + ".tmp"));
    };
    EXPECT_EQ(Restore({true, true}, options), RestoreOutcome::Completed);
    EXPECT_EQ(Tree(outside_), outside);
    EXPECT_EQ(Column(Db(), "jobs.dbf", "DESC"), std::vector<std::string>{"backup job"});
    ExpectNoLeftovers();
}

}  // namespace
}  // namespace tw::settings::test
