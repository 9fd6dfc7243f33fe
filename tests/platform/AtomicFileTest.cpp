#include "platform/AtomicFile.h"
#include "support/TestEnvironment.h"
#include "support/WithoutRootRights.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace corvelle_test;
namespace fs = std::filesystem;

namespace {

bool save(const std::string& path, const std::string& bytes)
{
    AtomicFile file(path);
    FILE* stream = file.open();
    if (!stream)
        return false;
    fwrite(bytes.data(), 1, bytes.size(), stream);
    return file.commit();
}

size_t filesIn(const std::string& dir)
{
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

} // namespace

TEST(AtomicFileTest, ReplacesTheOldFile)
{
    std::string dir = makeTempDir("atomic");
    ASSERT_TRUE(save(dir + "/f.dat", "old"));
    ASSERT_TRUE(save(dir + "/f.dat", "newer"));
    EXPECT_EQ(readFile(dir + "/f.dat"), "newer");
    EXPECT_EQ(filesIn(dir), 1u);
}

TEST(AtomicFileTest, FailedWriteAtAnyByteKeepsTheOldFile)
{
    std::string dir = makeTempDir("atomic");
    ASSERT_TRUE(save(dir + "/f.dat", "the old contents"));
    std::string big(20000, 'n');
    for (long limit : {0L, 1L, 4095L, 4096L, 19999L}) {
        AtomicFile::failAfterBytesForTesting(limit);
        EXPECT_FALSE(save(dir + "/f.dat", big)) << limit;
        AtomicFile::failAfterBytesForTesting(-1);
        EXPECT_EQ(readFile(dir + "/f.dat"), "the old contents");
        EXPECT_EQ(filesIn(dir), 1u);
    }
}

// Run as root, the save is tried by a child without root's rights, which
// read-only folders stop as they stop any player.
TEST(AtomicFileTest, ReadOnlyFolderFailsCleanly)
{
    std::string dir = makeTempDir("readonly");
    ASSERT_TRUE(save(dir + "/f.dat", "old"));
    chmod(dir.c_str(), 0555);
    EXPECT_EQ(runWithoutRootRights([&] { return save(dir + "/f.dat", "new") ? 1 : 0; }), 0);
    chmod(dir.c_str(), 0755);
    EXPECT_EQ(readFile(dir + "/f.dat"), "old");
    EXPECT_EQ(filesIn(dir), 1u);
}

TEST(AtomicFileTest, DiscardLeavesNothingBehind)
{
    std::string dir = makeTempDir("atomic");
    {
        AtomicFile file(dir + "/f.dat");
        FILE* stream = file.open();
        ASSERT_NE(stream, nullptr);
        fputs("half", stream);
    }
    EXPECT_EQ(filesIn(dir), 0u);
}

// Only the temporary files of names the caller saves go: a name of another
// kind, a suffix that mkstemp would not make, or the saved file itself stay.
TEST(AtomicFileTest, LeftoversOfInterruptedSavesAreRemovedAndNothingElse)
{
    std::string dir = makeTempDir("leftovers");
    const std::pair<const char*, bool> files[] = {
        {"INFOv3.DAT.tmpAb12Cd", true},   {"Cave.lvl.tmp000000", true},   {"INFOv3.DAT", false},
        {"notes.txt.tmpAb12Cd", false},   {"INFOv3.DAT.tmpAb12C", false}, {"INFOv3.DAT.tmpAb12Cd7", false},
        {"INFOv3.DAT.tmp-b12Cd", false},  {"Cave.lvl.tmpAb12Cd.x", false}, {".tmpAb12Cd", false},
        {"INFOv3.DAT.TMPAb12Cd", false},
    };
    for (const auto& [name, removed] : files)
        writeFile(dir + "/" + name, "x");
    fs::create_directory(dir + "/Cave.lvl.tmpFolder");
    auto ours = [](const std::string& name) { return name == "INFOv3.DAT" || name == "Cave.lvl"; };
    EXPECT_EQ(AtomicFile::removeLeftovers(dir, ours), 2);
    for (const auto& [name, removed] : files)
        EXPECT_EQ(fs::exists(dir + "/" + name), !removed) << name;
    EXPECT_TRUE(fs::is_directory(dir + "/Cave.lvl.tmpFolder"));
    EXPECT_EQ(AtomicFile::removeLeftovers(dir + "/missing", ours), 0);
}
