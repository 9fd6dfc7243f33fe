#include "engine/ByteOrder.h"
#include "engine/ResourceArchive.h"
#include "support/ArchiveCases.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

std::vector<unsigned char> bytes(const std::string& text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}

std::vector<unsigned char> sample()
{
    return packResourceArchive({{"a.png", bytes("AAAA")}, {"b.ogg", bytes("")}, {"a.png", bytes("second")}});
}

} // namespace

TEST(ResourceArchiveTest, PackAndReadRoundTrip)
{
    ResourceArchive archive;
    ASSERT_TRUE(archive.openBytes(sample()));
    ASSERT_EQ(archive.count(), 3u);
    ArchiveEntry entry;
    ASSERT_TRUE(archive.entry(0, entry));
    EXPECT_EQ(entry.name, "a.png");
    EXPECT_EQ(entry.data, bytes("AAAA"));
    ASSERT_TRUE(archive.entry(1, entry));
    EXPECT_EQ(entry.name, "b.ogg");
    EXPECT_TRUE(entry.data.empty());
    ASSERT_TRUE(archive.entry(2, entry));
    EXPECT_EQ(entry.data, bytes("second"));
    EXPECT_FALSE(archive.entry(3, entry));
}

TEST(ResourceArchiveTest, EmptyArchiveAndOffsetsOutOfOrder)
{
    ResourceArchive archive;
    ASSERT_TRUE(archive.openBytes(packResourceArchive({})));
    EXPECT_EQ(archive.count(), 0u);

    std::vector<unsigned char> data = sample();
    // Swap the first two offsets: entries come in offset-table order.
    std::swap_ranges(data.begin() + 4, data.begin() + 8, data.begin() + 8);
    ASSERT_TRUE(archive.openBytes(data));
    ArchiveEntry entry;
    ASSERT_TRUE(archive.entry(0, entry));
    EXPECT_EQ(entry.name, "b.ogg");
}

TEST(ResourceArchiveTest, EveryTruncatedPrefixIsRefused)
{
    std::vector<unsigned char> whole = sample();
    for (size_t length = 0; length < whole.size(); ++length) {
        ResourceArchive archive;
        std::vector<unsigned char> prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        bool allRead = archive.openBytes(prefix);
        ArchiveEntry entry;
        for (uint32_t i = 0; allRead && i < archive.count(); ++i)
            allRead = archive.entry(i, entry);
        EXPECT_FALSE(allRead) << "prefix of " << length << " bytes";
        EXPECT_FALSE(archive.error().empty());
    }
}

TEST(ResourceArchiveTest, HostileFieldsAreRefused)
{
    for (const corvelle_test::ArchiveDamage& c : corvelle_test::hostileArchiveFields()) {
        std::vector<unsigned char> data = sample();
        ByteOrder::pokeU32(data.data() + c.position, c.value);
        ResourceArchive archive;
        bool allRead = archive.openBytes(data);
        ArchiveEntry entry;
        for (uint32_t i = 0; allRead && i < archive.count(); ++i)
            allRead = archive.entry(i, entry);
        EXPECT_FALSE(allRead) << c.what;
    }
}

// The file reader keeps the data in the file; it must read what the
// in-memory reader reads and refuse what it refuses, before any entry.
namespace {

bool openFile(ArchiveFile& archive, const std::vector<unsigned char>& data)
{
    static const std::string path = corvelle_test::makeTempDir("archive") + "/archive.dat";
    corvelle_test::writeFile(path, std::string(data.begin(), data.end()));
    return archive.open(path);
}

} // namespace

TEST(ArchiveFileTest, ReadsEveryEntryInTableOrderFromTheFile)
{
    std::vector<unsigned char> data = sample();
    std::swap_ranges(data.begin() + 4, data.begin() + 8, data.begin() + 8);
    ArchiveFile archive;
    ASSERT_TRUE(openFile(archive, data));
    ASSERT_EQ(archive.count(), 3u);
    const std::pair<const char*, const char*> expected[] = {{"b.ogg", ""}, {"a.png", "AAAA"}, {"a.png", "second"}};
    std::vector<unsigned char> read = bytes("left over");
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(archive.name(i), expected[i].first);
        ASSERT_TRUE(archive.read(i, read));
        EXPECT_EQ(read, bytes(expected[i].second)) << i;
    }
    EXPECT_FALSE(archive.read(3, read));

    ASSERT_TRUE(openFile(archive, packResourceArchive({})));
    EXPECT_EQ(archive.count(), 0u);
    EXPECT_FALSE(archive.open(corvelle_test::makeTempDir("none") + "/missing.dat"));
    EXPECT_FALSE(archive.error().empty());
}

TEST(ArchiveFileTest, TruncatedOrHostileFilesAreRefusedWhole)
{
    std::vector<std::vector<unsigned char>> damaged;
    std::vector<unsigned char> whole = sample();
    for (size_t length = 0; length < whole.size(); ++length)
        damaged.emplace_back(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    for (const corvelle_test::ArchiveDamage& c : corvelle_test::hostileArchiveFields()) {
        damaged.push_back(sample());
        ByteOrder::pokeU32(damaged.back().data() + c.position, c.value);
    }
    for (size_t i = 0; i < damaged.size(); ++i) {
        ArchiveFile archive;
        EXPECT_FALSE(openFile(archive, damaged[i])) << "case " << i;
        EXPECT_EQ(archive.count(), 0u) << "case " << i;
        EXPECT_FALSE(archive.error().empty()) << "case " << i;
    }
}
