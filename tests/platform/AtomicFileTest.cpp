#include "platform/AtomicFile.h"
#include "support/TestEnvironment.h"

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

TEST(AtomicFileTest, ReadOnlyFolderFailsCleanly)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    std::string dir = makeTempDir("readonly");
    ASSERT_TRUE(save(dir + "/f.dat", "old"));
    chmod(dir.c_str(), 0555);
    EXPECT_FALSE(save(dir + "/f.dat", "new"));
    chmod(dir.c_str(), 0755);
    EXPECT_EQ(readFile(dir + "/f.dat"), "old");
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
