// The accounting page: automatic access or a company file located by hand,
// and the search of a whole volume for company files.
#include "settings/companyfilesearch.h"
#include "setupfixture.h"

#include <gtest/gtest.h>

#include <fstream>

#include <unistd.h>

namespace tw::settings::testing {
namespace {

using CompanyFileTest = SetupTest;

TEST_F(CompanyFileTest, ShowingLoadsTheAccessAndPathAndWritesNothing)
{
    Write(qbSetup_, [](db::Table& t) { t.fieldByName("CPATH").setAsString("/books/Company.QBW"); });
    settings_.QBCompanyFile = "/books/Company.QBW";
    settings_.QBManualCompanyFile = 0;
    settings_.QBAccessChecked = true;
    logic_->ShowSetup();
    EXPECT_TRUE(view_.AutoAccess);
    EXPECT_FALSE(view_.CompanyFileEnabled);
    EXPECT_EQ(view_.Company, "/books/Company.QBW");
    EXPECT_EQ(StoredText("qbsetup.dbf", "CPATH"), "/books/Company.QBW");
    EXPECT_EQ(settings_.QBCompanyFile, "/books/Company.QBW");
    EXPECT_TRUE(settings_.QBAccessChecked);
}

TEST_F(CompanyFileTest, AutomaticAccessEmptiesThePathUntickingOnlyEnablesTheGroup)
{
    Write(qbSetup_, [](db::Table& t) { t.fieldByName("CPATH").setAsString("/books/Company.QBW"); });
    settings_.QBManualCompanyFile = 1;
    settings_.QBCompanyFile = "/books/Company.QBW";
    settings_.QBAccessChecked = true;
    logic_->ShowSetup();
    EXPECT_TRUE(view_.CompanyFileEnabled);

    view_.AutoAccess = true;
    logic_->EnableAutoAccessClick();
    EXPECT_EQ(settings_.QBManualCompanyFile, 0);
    EXPECT_FALSE(view_.CompanyFileEnabled);
    EXPECT_EQ(view_.Company, "");
    EXPECT_EQ(StoredText("qbsetup.dbf", "CPATH"), "");
    EXPECT_EQ(settings_.QBCompanyFile, "");
    EXPECT_FALSE(settings_.QBAccessChecked);

    view_.AutoAccess = false;
    logic_->EnableAutoAccessClick();
    EXPECT_EQ(settings_.QBManualCompanyFile, 1);
    EXPECT_TRUE(view_.CompanyFileEnabled);
}

TEST_F(CompanyFileTest, PickingAFileClearsTheAccessCheckAndSaveStoresItTrimmed)
{
    logic_->ShowSetup();
    settings_.QBAccessChecked = true;
    view_.SelectedFile = std::nullopt;
    logic_->CompanyFilesClick();
    EXPECT_TRUE(settings_.QBAccessChecked);

    view_.SelectedFile = "/srv/books/Found.QBW";
    logic_->CompanyFilesClick();
    EXPECT_EQ(view_.Company, "/srv/books/Found.QBW");
    EXPECT_FALSE(settings_.QBAccessChecked);

    settings_.QBAccessChecked = true;
    view_.Search = "/srv";
    view_.PickedFile = "/srv/other/Picked.qbw";
    logic_->BrowseToQBWFileClick();
    EXPECT_EQ(view_.ChooserFolder, "/srv");
    EXPECT_EQ(settings_.QBCompanyFile, "/srv/other/Picked.qbw");
    EXPECT_FALSE(settings_.QBAccessChecked);

    view_.Company = "  /srv/other/Picked.qbw ";
    logic_->QBOkClick();
    EXPECT_EQ(StoredText("qbsetup.dbf", "CPATH"), "/srv/other/Picked.qbw");
    EXPECT_EQ(settings_.QBCompanyFile, "/srv/other/Picked.qbw");
    EXPECT_EQ(view_.Closes, 1);

    // A path the field would cut is refused: a cut path names another file.
    logic_->ShowSetup();
    view_.Company = "/srv/" + QString(250, QLatin1Char('c')) + ".QBW";
    logic_->QBOkClick();
    ASSERT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(ui_.Messages[0].icon, data::MessageIcon::Stop);
    EXPECT_EQ(StoredText("qbsetup.dbf", "CPATH"), "/srv/other/Picked.qbw");
    EXPECT_EQ(view_.Closes, 1);
}

class CompanyFileSearchTest : public SetupTest {
protected:
    void Touch(const std::filesystem::path& file)
    {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << "x";
    }
    QString Path(const std::filesystem::path& p) const { return QString::fromStdString(p.string()); }
};

TEST_F(CompanyFileSearchTest, FindsEveryCompanyFileOnceSortedWithoutFollowingLinks)
{
    const std::filesystem::path volume = dir_ / "volume";
    Touch(volume / "Books.QBW");
    Touch(volume / "clients" / "2026" / "smith.qbw");
    Touch(volume / "clients" / "QBW");
    Touch(volume / "clients" / "notes.txt");
    Touch(volume / "clients" / "Books.QBW.bak");
    Touch(volume / "old.company" / "Archive.Qbw");
    // A link back up the tree and a link to a file: neither is followed.
    std::filesystem::create_directory_symlink(volume, volume / "clients" / "loop");
    std::filesystem::create_symlink(volume / "Books.QBW", volume / "Linked.QBW");
    // A folder that cannot be read is passed over.
    Touch(volume / "locked" / "Hidden.QBW");
    std::filesystem::permissions(volume / "locked", std::filesystem::perms::none);

    const QStringList found = FindCompanyFiles(Path(volume));
    std::filesystem::permissions(volume / "locked", std::filesystem::perms::owner_all);

    QStringList expected{Path(volume / "Books.QBW"), Path(volume / "clients" / "2026" / "smith.qbw"),
                         Path(volume / "clients" / "QBW"), Path(volume / "old.company" / "Archive.Qbw")};
    if (::geteuid() == 0)  // root reads every folder
        expected.push_back(Path(volume / "locked" / "Hidden.QBW"));
    expected.sort();
    EXPECT_EQ(found, expected);
    EXPECT_EQ(FindCompanyFiles(Path(volume) + "/"), expected) << "a root given with its slash";
    EXPECT_TRUE(FindCompanyFiles(Path(dir_ / "missing")).isEmpty());
}

TEST_F(CompanyFileSearchTest, TheStatusLineCountsWhatWasFound)
{
    const std::filesystem::path volume = dir_ / "volume";
    std::filesystem::create_directories(volume);
    view_.Search = Path(volume);
    logic_->FindQBWFilesClick();
    EXPECT_EQ(view_.Status, "No QuickBooks company files found on drive " + Path(volume));
    EXPECT_TRUE(view_.CompanyFiles.isEmpty());

    Touch(volume / "a" / "One.QBW");
    Touch(volume / "Two.qbw");
    logic_->FindQBWFilesClick();
    EXPECT_EQ(view_.Status, "2 QuickBooks company files found on drive " + Path(volume)
                                + ".  Left-click a file and click Save");
    EXPECT_EQ(view_.CompanyFiles, (QStringList{Path(volume / "Two.qbw"), Path(volume / "a" / "One.QBW")}));
    EXPECT_EQ(view_.FoldersSearched, 2) << "the volume's root and a";

    // Stopped before it began: nothing listed, and the status says it was stopped.
    view_.StopSearch = true;
    logic_->FindQBWFilesClick();
    EXPECT_TRUE(view_.CompanyFiles.isEmpty());
    EXPECT_EQ(view_.FoldersSearched, 0);
    EXPECT_EQ(view_.Status, "Search stopped: 0 QuickBooks company files found on drive " + Path(volume));
}

}  // namespace
}  // namespace tw::settings::testing
