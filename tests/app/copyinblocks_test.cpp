#include "app/copyinblocks.h"

#include "testfolder.h"

#include <fstream>
#include <iterator>

namespace tw::app {
namespace {

class CopyInBlocksTest : public testing::TestFolder {
protected:
    void SetUp() override
    {
        TestFolder::SetUp();
        std::filesystem::create_directories(dir_);
    }
    QString File(const char* name) const { return QString::fromStdString((dir_ / name).string()); }

    // Bytes that differ from one offset to the next within a block and from
    // one block to the next, so that a block written at the wrong offset shows.
    static std::string Pattern(std::size_t size, int seed)
    {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>((i * 7 + i / 65536 * 13 + seed) % 251);
        return bytes;
    }
    void Write(const char* name, const std::string& bytes) const
    {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    std::string Read(const char* name) const
    {
        std::ifstream in(dir_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

TEST_F(CopyInBlocksTest, TheDestinationEndsEqualToTheSourceWhateverItHeldBefore)
{
    const std::size_t sizes[] = {0, 1, 65535, 65536, 65537, 3 * 65536 + 5};
    const struct {
        const char* name;
        std::ptrdiff_t before;  // -1: no destination
    } destinations[] = {{"missing", -1}, {"empty", 0}, {"shorter", 100}, {"longer", 4 * 65536}};
    for (const std::size_t size : sizes) {
        for (const auto& d : destinations) {
            const std::string source = Pattern(size, 1);
            Write("source.cfg", source);
            std::filesystem::remove(dir_ / "copy.cfg");
            if (d.before >= 0)
                Write("copy.cfg", Pattern(static_cast<std::size_t>(d.before), 2));
            EXPECT_TRUE(CopyFileInBlocks(File("source.cfg"), File("copy.cfg"))) << size << " " << d.name;
            EXPECT_TRUE(Read("copy.cfg") == source) << size << " bytes over a " << d.name << " destination";
        }
    }
}

TEST_F(CopyInBlocksTest, FilesThatCannotBeOpenedGiveFalse)
{
    Write("source.cfg", "aliases");
    EXPECT_FALSE(CopyFileInBlocks(File("absent.cfg"), File("copy.cfg")));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "copy.cfg"));
    EXPECT_FALSE(CopyFileInBlocks(File("source.cfg"), File("no-folder/copy.cfg")));
    std::filesystem::create_directories(dir_ / "a-folder");
    EXPECT_FALSE(CopyFileInBlocks(File("source.cfg"), File("a-folder")));
}

}  // namespace
}  // namespace tw::app
