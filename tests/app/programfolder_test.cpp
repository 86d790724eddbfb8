#include "app/programfolder.h"

#include "testfolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <sys/wait.h>
#include <unistd.h>

namespace tw::app {
namespace {

namespace fs = std::filesystem;

class ProgramFolderTest : public testing::TestFolder {
protected:
    std::string Folder(const char* name) const { return (dir_ / name).string(); }
};

// Another process that holds the lock on folder until Release().
class OtherCopy {
public:
    explicit OtherCopy(const std::string& folder)
    {
        if (::pipe(ready_) != 0 || ::pipe(release_) != 0)
            std::abort();
        pid_ = ::fork();
        if (pid_ == 0) {
            ProgramFolderLock lock;
            const char locked = lock.Lock(folder) == ProgramFolderLock::Result::Locked ? 'L' : 'F';
            (void)!::write(ready_[1], &locked, 1);
            char go;
            (void)!::read(release_[0], &go, 1);
            ::_exit(0);
        }
        char answer = 0;
        (void)!::read(ready_[0], &answer, 1);
        locked_ = answer == 'L';
    }
    ~OtherCopy() { Release(); }
    bool Locked() const { return locked_; }
    void Release()
    {
        if (pid_ <= 0)
            return;
        const char go = 'g';
        (void)!::write(release_[1], &go, 1);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        for (int fd : {ready_[0], ready_[1], release_[0], release_[1]})
            ::close(fd);
    }

private:
    int ready_[2] = {-1, -1};
    int release_[2] = {-1, -1};
    pid_t pid_ = -1;
    bool locked_ = false;
};

TEST_F(ProgramFolderTest, OneCopyPerFolderAndOneFolderPerWorkstation)
{
    OtherCopy other(Folder("shop"));
    ASSERT_TRUE(other.Locked());

    ProgramFolderLock sameFolder;
    EXPECT_EQ(sameFolder.Lock(Folder("shop")), ProgramFolderLock::Result::HeldElsewhere);
    EXPECT_FALSE(sameFolder.Held());

    ProgramFolderLock otherWorkstation;
    EXPECT_EQ(otherWorkstation.Lock(Folder("office")), ProgramFolderLock::Result::Locked);
    EXPECT_EQ(otherWorkstation.Lock(Folder("office")), ProgramFolderLock::Result::Locked);

    // The lock goes with the process, however it ends.
    other.Release();
    EXPECT_EQ(sameFolder.Lock(Folder("shop")), ProgramFolderLock::Result::Locked);
}

TEST_F(ProgramFolderTest, AFolderThatCannotBeMadeDoesNotStopTheProgram)
{
    fs::create_directories(dir_);
    std::ofstream(dir_ / "plain-file") << "x";
    ProgramFolderLock lock;
    EXPECT_EQ(lock.Lock((dir_ / "plain-file" / "tarnwick").string()), ProgramFolderLock::Result::Unavailable);
}

TEST_F(ProgramFolderTest, DefaultFolderFollowsTheUsersDataFolder)
{
    const std::string savedData = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("XDG_DATA_HOME", "/data/ann", 1);
    EXPECT_EQ(DefaultProgramFolder(), "/data/ann/tarnwick");
    ::setenv("XDG_DATA_HOME", "", 1);
    ::setenv("HOME", "/home/ann", 1);
    EXPECT_EQ(DefaultProgramFolder(), "/home/ann/.local/share/tarnwick");
    ::setenv("XDG_DATA_HOME", savedData.c_str(), 1);
    ::setenv("HOME", savedHome.c_str(), 1);
}

TEST_F(ProgramFolderTest, AnotherInstanceIsOneUsingThisProgramFolder)
{
    const std::string saved = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    ::setenv("XDG_DATA_HOME", Folder("busy").c_str(), 1);
    {
        OtherCopy other(DefaultProgramFolder());
        ASSERT_TRUE(other.Locked());
        EXPECT_TRUE(IsAnotherInstanceRunning());
    }
    ::setenv("XDG_DATA_HOME", Folder("free").c_str(), 1);
    EXPECT_FALSE(IsAnotherInstanceRunning());
    // This copy keeps its folder: asking again is not seeing another copy.
    EXPECT_FALSE(IsAnotherInstanceRunning());
    ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
}

}  // namespace
}  // namespace tw::app
