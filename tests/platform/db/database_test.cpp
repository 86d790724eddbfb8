#include "platform/db/database.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/db/types.h"

namespace tw::db {
namespace {

namespace fs = std::filesystem;

// A shared schedule folder and a program folder, each behind an alias, plus
// aliases whose folder is gone, is a file, or was never given.
class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "tw-databases-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        shared_ = (dir_ / "shared").string();
        program_ = (dir_ / "program").string();
        fs::create_directories(shared_);
        fs::create_directories(program_);
        std::ofstream(dir_ / "file.dbf") << "x";
        std::ofstream(dir_ / "aliases.conf")
            << "[DOZOrez]\nPATH=" << shared_ << "\n[TWUXData]\nPATH=" << program_
            << "\n[Gone]\nPATH=" << (dir_ / "missing").string()
            << "\n[AFile]\nPATH=" << (dir_ / "file.dbf").string() << "\n[NoPath]\nDEFAULT DRIVER=DBASE\n";
        aliases_ = std::make_unique<AliasConfig>((dir_ / "aliases.conf").string());
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
    std::string shared_;
    std::string program_;
    std::unique_ptr<AliasConfig> aliases_;
};

TEST_F(DatabaseTest, ResolvesItsAliasToTheFolderAndFollowsARepointing)
{
    Database scheduler("scheduler", *aliases_);
    scheduler.setAliasName("DOZOrez");
    EXPECT_EQ(scheduler.folder(), shared_);

    aliases_->ModifyAlias("DOZOrez", {"PATH=" + program_});
    EXPECT_EQ(scheduler.folder(), program_);
    scheduler.setAliasName("dozorez");
    EXPECT_EQ(scheduler.folder(), program_);
}

TEST_F(DatabaseTest, ReportsAnUnknownAliasAndAMissingFolderByName)
{
    const struct {
        const char* alias;
        ErrorCode code;
        std::string named;
    } cases[] = {
        {"Nowhere", ErrorCode::InvalidAlias, "\"Nowhere\""},
        {"", ErrorCode::InvalidAlias, "scheduler"},
        {"NoPath", ErrorCode::InvalidAlias, "\"NoPath\""},
        {"Gone", ErrorCode::NotFound, (dir_ / "missing").string()},
        {"AFile", ErrorCode::NotFound, (dir_ / "file.dbf").string()},
    };
    for (const auto& c : cases) {
        Database scheduler("scheduler", *aliases_);
        scheduler.setAliasName(c.alias);
        try {
            scheduler.folder();
            ADD_FAILURE() << "resolved: " << c.alias;
        } catch (const DbError& e) {
            EXPECT_EQ(e.code(), c.code) << c.alias;
            EXPECT_NE(std::string(e.what()).find(c.named), std::string::npos) << e.what();
            if (c.code == ErrorCode::NotFound) {
                EXPECT_EQ(e.file(), c.named);
            }
        }
    }
}

TEST_F(DatabaseTest, ResolverTakesADatabaseNameOrABareAlias)
{
    Database scheduler("scheduler", *aliases_);
    Database parameters("Parameters", *aliases_);
    Database estimator("estimator", *aliases_);
    scheduler.setAliasName("DOZOrez");
    parameters.setAliasName("TWUXData");
    const std::vector<const Database*> databases{&scheduler, &parameters, &estimator};

    EXPECT_EQ(ResolveDatabaseFolder("scheduler", databases, *aliases_), shared_);
    EXPECT_EQ(ResolveDatabaseFolder("PARAMETERS", databases, *aliases_), program_);
    EXPECT_EQ(ResolveDatabaseFolder("TWUXData", databases, *aliases_), program_);
    EXPECT_EQ(ResolveDatabaseFolder("dozorez", databases, *aliases_), shared_);
    // A database without an alias does not fall back to an alias of its name.
    EXPECT_THROW(ResolveDatabaseFolder("estimator", databases, *aliases_), DbError);
    try {
        ResolveDatabaseFolder("VAZOdiz", databases, *aliases_);
        ADD_FAILURE() << "resolved an unknown name";
    } catch (const DbError& e) {
        EXPECT_EQ(e.code(), ErrorCode::InvalidAlias);
        EXPECT_NE(std::string(e.what()).find("VAZOdiz"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace tw::db
