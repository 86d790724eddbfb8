// Deleting a backup file from the list: none selected, deleted, and one that
// stays because its folder has no write rights (tried as an ordinary user).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "backupfixture.h"
#include "settings/removebackupfile.h"

namespace tw::settings::test {
namespace {

TEST(RemoveBackupFile, NoSelectionDeletedAndRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const fs::path root = dir.path().toStdString();
    data::RecordingUserInterface ui;

    EXPECT_FALSE(RemoveBackupFile("", ui));
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0].text, "Please select the backup file");
    EXPECT_EQ(ui.Messages[0].caption, "No selection");

    ui.Messages.clear();
    WriteFile(root / "TW_1.zip", "archive");
    EXPECT_TRUE(RemoveBackupFile((root / "TW_1.zip").string(), ui));
    EXPECT_FALSE(fs::exists(root / "TW_1.zip"));
    EXPECT_TRUE(ui.Messages.empty());

    // A folder chosen in the list is not deleted.
    fs::create_directory(root / "sub");
    EXPECT_FALSE(RemoveBackupFile((root / "sub").string(), ui));
    EXPECT_TRUE(fs::exists(root / "sub"));

    const fs::path locked = root / "locked";
    fs::create_directory(locked);
    WriteFile(locked / "TW_2.zip", "archive");
    fs::permissions(root, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(locked,
                    fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read
                        | fs::perms::others_exec);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(10);
        data::RecordingUserInterface childUi;
        const bool removed = RemoveBackupFile((locked / "TW_2.zip").string(), childUi);
        const bool told = childUi.Messages.size() == 1 && childUi.Messages[0].text == "Unable to remove file"
            && childUi.Messages[0].caption == "Remove file failed";
        ::_exit(!removed && told ? 0 : 11);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(fs::exists(locked / "TW_2.zip"));
    fs::permissions(locked, fs::perms::owner_all);
}

}  // namespace
}  // namespace tw::settings::test
