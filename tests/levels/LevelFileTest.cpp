#include "engine/ByteOrder.h"
#include "levels/Level.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "support/TestEnvironment.h"
#include "LevelFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace corvelle_test;
namespace fs = std::filesystem;

namespace {

class LevelFileTest : public testing::Test
{
protected:
    // Each test keeps its levels in a folder of its own, so that no file
    // one test leaves behind meets the next when they share a process.
    void SetUp() override
    {
        const char* documents = getenv("XDG_DOCUMENTS_DIR");
        savedDocuments_ = documents ? documents : "";
        std::string own = makeTempDir(std::string("levels-") + testing::UnitTest::GetInstance()->current_test_info()->name());
        setenv("XDG_DOCUMENTS_DIR", own.c_str(), 1);
        initDirectories();
        folder_ = getLevelsDirectory();
    }

    void TearDown() override
    {
        if (savedDocuments_.empty())
            unsetenv("XDG_DOCUMENTS_DIR");
        else
            setenv("XDG_DOCUMENTS_DIR", savedDocuments_.c_str(), 1);
        initDirectories();
    }

    std::string folder_;
    std::string savedDocuments_;
};

std::string bytesText(const std::vector<unsigned char>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

bool loadBytes(CLevel& level, const std::vector<unsigned char>& bytes)
{
    return level.LoadBytes("fixture", bytes.data(), bytes.size());
}

// The sample's body with a 32-bit field overwritten.
std::vector<unsigned char> patched(size_t offset, uint32_t value)
{
    CLevel level;
    fillSampleLevel(level);
    std::vector<unsigned char> bytes = bodyOf(level);
    ByteOrder::pokeU32(bytes.data() + offset, value);
    return bytes;
}

// Offsets of the sample's variable part: two blue and two red teleports,
// then two bubbles (the marker at 3,21 and the one at 4,21).
constexpr size_t kBlueCount = LEVEL_FILE_TELEPORT_OFFSET;
constexpr size_t kBlueFirstX = kBlueCount + 4;
constexpr size_t kRedCount = kBlueCount + 4 + 16 + 4;
constexpr size_t kBubbleCount = kRedCount + 4 + 16;
constexpr size_t kFirstBubbleX = kBubbleCount + 4;
constexpr size_t kFirstBubbleY = kFirstBubbleX + 4;
constexpr size_t kFirstBubbleLength = kFirstBubbleY + 4;

} // namespace

TEST_F(LevelFileTest, SavedLevelsLoadAsTheyWere)
{
    struct Case {
        const char* name;
        std::function<void(CLevel&)> build;
    } cases[] = {
        {"sample", [](CLevel& l) { fillSampleLevel(l); }},
        {"empty", [](CLevel& l) { l.SetHeading("Nothing here"); }},
        {"frozen, heated", [](CLevel& l) {
             l.SetTile(EC_TERRAIN_BRIDGE, 0, 0);
             l.SetModifier(MODIFIER_FROZEN, 0, 0);
             l.SetTile(EC_OBJECT_RMAGNET, 31, 23);
             l.SetModifier(MODIFIER_HEATED, 31, 23);
         }},
        {"sixteen letters!", [](CLevel& l) { l.SetBackground(0); }},
        {"line breaks", [](CLevel& l) {
             l.SetTile(EC_TUTORIAL, 7, 7);
             l.SetTutorialText(7, 7, "First line%nSecond line%n%nFourth");
         }},
    };
    for (Case& c : cases) {
        CLevel saved;
        c.build(saved);
        ASSERT_TRUE(saved.SaveAs(c.name, saved.GetLevelHeading())) << c.name;
        EXPECT_FALSE(saved.IsModified());
        EXPECT_TRUE(fs::exists(folder_ + c.name + ".lvl"));

        CLevel loaded;
        loaded.SetModified(true);
        ASSERT_TRUE(loaded.LoadFile(c.name)) << c.name;
        EXPECT_EQ(bodyOf(loaded), bodyOf(saved)) << c.name;
        EXPECT_STREQ(loaded.GetFilename(), c.name);
        EXPECT_EQ(loaded.IsSolutionRecorded(), !saved.GetSolution().empty()) << c.name;
        EXPECT_FALSE(loaded.IsModified());
        EXPECT_EQ(loaded.GetLevelType(), static_cast<int32_t>(LEVEL_TYPE_CUSTOM));
        EXPECT_EQ(loaded.GetVersion(), 8);
    }
    CLevel breaks;
    ASSERT_TRUE(breaks.LoadFile("line breaks"));
    EXPECT_STREQ(breaks.GetTutorialText(7, 7), "First line%nSecond line%n%nFourth");
    CLevel sample;
    ASSERT_TRUE(sample.LoadFile("sample"));
    EXPECT_STREQ(sample.GetTutorialText(3, 21), "Walk \"right\", then up.");
    EXPECT_STREQ(sample.GetTutorialText(4, 21), "UNDEFINED");
    EXPECT_EQ(sample.GetModifier(5, 21), MODIFIER_FROZEN);
    EXPECT_EQ(sample.GetTile(5, 21), EC_OBJECT_WCRATE);
    EXPECT_EQ(sample.GetTeleports(2), (std::vector<TeleportSpot>{{20, 21}, {-1, 10}}));
    EXPECT_EQ(sample.GetTeleportPowerupCount(), 1);
    EXPECT_EQ(sample.GetBackground(), 6);
}

TEST_F(LevelFileTest, BodyLayoutAndID)
{
    CLevel level;
    level.SetHeading("Abc");
    level.SetLadder(EC_LADDER, 1, 2);
    level.SetTile(EC_TERRAIN_ICE, 1, 2);
    level.SetModifier(MODIFIER_HEATED, 1, 2);
    level.SetTutorialText(0, 0, "dropped: no marker here");
    std::vector<unsigned char> bytes = level.ToBytes(0xFFFFFFFFu);
    ASSERT_EQ(bytes.size(), LEVEL_FILE_MIN_SIZE);
    const uint32_t id = ByteOrder::peekU32(bytes.data());
    EXPECT_EQ(id & LEVEL_TYPE_MASK, LEVEL_TYPE_CUSTOM);
    EXPECT_EQ(id >> 24, 8u);
    EXPECT_EQ(ByteOrder::peekU32(level.ToBytes(0).data()), 0x08404008u); // noise only outside the type
    // The heading's 33 bytes: text, then zeros only.
    EXPECT_EQ(bytesText(bytes).substr(LEVEL_FILE_HEADING_OFFSET, 33), std::string("Abc") + std::string(30, '\0'));
    const size_t cell = 1 * 24 + 2;
    EXPECT_EQ(ByteOrder::peekU32(bytes.data() + LEVEL_FILE_LADDER_OFFSET + 4 * cell), 46u);
    EXPECT_EQ(ByteOrder::peekU32(bytes.data() + LEVEL_FILE_TILE_OFFSET + 4 * cell), 34u + 2048u);
    EXPECT_EQ(ByteOrder::peekU32(bytes.data() + LEVEL_FILE_TILE_OFFSET), 5u);
    EXPECT_EQ(ByteOrder::peekU32(bytes.data() + LEVEL_FILE_TELEPORT_OFFSET + 12), 0u); // no bubbles
    EXPECT_EQ(ByteOrder::peekU32(bytes.data() + LEVEL_FILE_TELEPORT_OFFSET + 16), 4u); // background
}

TEST_F(LevelFileTest, ModifierBitsOfStoredTiles)
{
    struct Case {
        uint32_t stored;
        ElementCode tile;
        int32_t modifier;
        int teleportPowerups;
    } cases[] = {
        {1024 + 22, EC_TERRAIN_GRASS, MODIFIER_FROZEN, 0},
        {2048 + 13, EC_POWERUP_TELEPORT, MODIFIER_HEATED, 1},
        {1024 + 2048 + 25, 2048 + 25, MODIFIER_FROZEN, 0}, // frozen wins, only 1024 taken off
        {451, EC_BOT_LEFT, MODIFIER_NONE, 0},
    };
    for (const Case& c : cases) {
        CLevel level;
        ASSERT_TRUE(loadBytes(level, patched(LEVEL_FILE_TILE_OFFSET + 4 * 100, c.stored)));
        EXPECT_EQ(level.GetTile(100 / 24, 100 % 24), c.tile) << c.stored;
        EXPECT_EQ(level.GetModifier(100 / 24, 100 % 24), c.modifier) << c.stored;
        EXPECT_EQ(level.GetTeleportPowerupCount(), 1 + c.teleportPowerups) << c.stored;
    }
}

TEST_F(LevelFileTest, EveryTruncatedBodyIsRefusedAndLeavesTheLevelReset)
{
    CLevel sample;
    fillSampleLevel(sample);
    const std::vector<unsigned char> whole = bodyOf(sample);
    CLevel empty;
    const std::vector<unsigned char> emptyBody = bodyOf(empty);
    for (size_t length = 0; length < whole.size(); ++length) {
        CLevel level;
        std::vector<unsigned char> prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        ASSERT_FALSE(loadBytes(level, prefix)) << length;
        ASSERT_EQ(bodyOf(level), emptyBody) << length;
        ASSERT_STREQ(level.GetFilename(), "");
    }
    CLevel level;
    EXPECT_TRUE(loadBytes(level, whole));
}

// What a refused file is, for the player's notice: only a level type of
// ours can be of an older or a newer version; anything else is damaged.
TEST_F(LevelFileTest, AFailedLoadTellsAnOldANewAndADamagedFileApart)
{
    auto withId = [](uint32_t id, bool truncated) {
        std::vector<unsigned char> bytes = patched(0, id);
        if (truncated)
            bytes.resize(LEVEL_FILE_MIN_SIZE - 1);
        return bytes;
    };
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
        LevelLoadFailure failure;
    };
    const std::string text = "not a level at all";
    const Case cases[] = {
        {"whole", withId(0x08404008, false), LevelLoadFailure::None},
        {"a later version that still reads", withId(0x09404008, false), LevelLoadFailure::None},
        {"version 4", withId(0x04404008, false), LevelLoadFailure::OlderVersion},
        {"version 0 of the game's own type", withId(0x00202004, false), LevelLoadFailure::OlderVersion},
        {"a later version that does not read", withId(0x0c404008, true), LevelLoadFailure::NewerVersion},
        {"version 8 cut short", withId(0x08404008, true), LevelLoadFailure::Damaged},
        {"version 4 of no type of ours", withId(0x04000000, false), LevelLoadFailure::Damaged},
        {"a negative version", withId(0xf8404008, false), LevelLoadFailure::Damaged},
        {"a text file", std::vector<unsigned char>(text.begin(), text.end()), LevelLoadFailure::Damaged},
        {"empty", {}, LevelLoadFailure::Damaged},
    };
    for (const Case& c : cases) {
        CLevel level;
        EXPECT_EQ(loadBytes(level, c.bytes), c.failure == LevelLoadFailure::None) << c.what;
        EXPECT_EQ(level.GetLoadFailure(), c.failure) << c.what;
    }
    CLevel level;
    EXPECT_FALSE(level.LoadFile("missing"));
    EXPECT_EQ(level.GetLoadFailure(), LevelLoadFailure::Damaged);
}

TEST_F(LevelFileTest, HostileFieldsAreRefused)
{
    std::vector<unsigned char> unterminated = patched(0, 0x08404008);
    std::fill(unterminated.begin() + 4, unterminated.begin() + 37, 'x');
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
    } cases[] = {
        {"teleport count 0xFFFFFFFF", patched(kBlueCount, 0xFFFFFFFFu)},
        {"teleport count one too many", patched(kRedCount, 3)},
        {"teleport right of the board", patched(kBlueFirstX, 32)},
        {"teleport left of the board", patched(kBlueFirstX, static_cast<uint32_t>(-2))},
        {"bubble count 0xFFFFFFFF", patched(kBubbleCount, 0xFFFFFFFFu)},
        {"bubble length 0xFFFFFFFF", patched(kFirstBubbleLength, 0xFFFFFFFFu)},
        {"bubble length past the end", patched(kFirstBubbleLength, 100000)},
        {"bubble off the board", patched(kFirstBubbleX, 32)},
        {"bubble above the board", patched(kFirstBubbleY, static_cast<uint32_t>(-1))},
        {"version 4", patched(0, 0x04404008)},
        {"version of a negative ID", patched(0, 0xF0404008)},
        {"heading without an end", unterminated},
    };
    for (Case& c : cases) {
        CLevel level;
        EXPECT_FALSE(loadBytes(level, c.bytes)) << c.what;
        EXPECT_EQ(level.GetTile(2, 21), EC_NONE) << c.what;
        EXPECT_EQ(level.CountTeleportColours(), 0) << c.what;
    }
    CLevel legacy;
    loadBytes(legacy, patched(0, 0x04404008));
    EXPECT_EQ(legacy.GetVersion(), 4); // the editor tells the player from this
}

TEST_F(LevelFileTest, TailFieldsAreChecked)
{
    CLevel sample;
    fillSampleLevel(sample);
    std::vector<unsigned char> bytes = bodyOf(sample);
    const size_t keyCount = bytes.size() - 4 - 3 * 12;
    const size_t background = keyCount - 4;
    for (auto [offset, value] : {std::pair{background, 9u}, {background, 0xFFFFFFFFu}, {keyCount, 0xFFFFFFFFu},
                                 {keyCount, 4u}}) {
        std::vector<unsigned char> hostile = bytes;
        ByteOrder::pokeU32(hostile.data() + offset, value);
        CLevel level;
        EXPECT_FALSE(loadBytes(level, hostile)) << offset << " = " << value;
    }
    std::vector<unsigned char> version5 = bytes;
    ByteOrder::pokeU32(version5.data(), 0x05202004); // an older version and another type
    CLevel level;
    ASSERT_TRUE(loadBytes(level, version5));
    EXPECT_EQ(level.GetVersion(), 5);
    EXPECT_EQ(level.GetLevelType(), static_cast<int32_t>(LEVEL_TYPE_GAME));
    EXPECT_EQ(level.GetSolution().size(), 3u);
}

TEST_F(LevelFileTest, OverlongTutorialTextsAreCut)
{
    CLevel level;
    level.SetTile(EC_TUTORIAL, 0, 0);
    level.SetTutorialText(0, 0, std::string(300, 'w').c_str());
    CLevel loaded;
    ASSERT_TRUE(loadBytes(loaded, bodyOf(level)));
    EXPECT_EQ(std::string(loaded.GetTutorialText(0, 0)), std::string(TUTORIAL_TEXT_MAX, 'w'));
}

TEST_F(LevelFileTest, FailedSaveKeepsTheOldFileAndTheModifiedFlag)
{
    CLevel level;
    fillSampleLevel(level);
    ASSERT_TRUE(level.SaveAs("keep", "Old heading"));
    const std::string old = readFile(folder_ + "keep.lvl");
    level.SetHeading("New heading");
    for (long budget : {0L, 36L, 3109L, 6204L}) {
        AtomicFile::failAfterBytesForTesting(budget);
        EXPECT_FALSE(level.Save()) << budget;
        AtomicFile::failAfterBytesForTesting(-1);
        EXPECT_TRUE(level.IsModified());
        EXPECT_EQ(readFile(folder_ + "keep.lvl"), old);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);

    if (geteuid() != 0) { // root writes into read-only folders
        chmod(folder_.c_str(), 0555);
        EXPECT_FALSE(level.Save());
        chmod(folder_.c_str(), 0755);
        EXPECT_EQ(readFile(folder_ + "keep.lvl"), old);
    }
    fs::remove_all(folder_);
    EXPECT_FALSE(level.Save());
    EXPECT_TRUE(level.IsModified());
}

TEST_F(LevelFileTest, NamesThatLeaveTheFolderAreRefused)
{
    CLevel level;
    for (const char* name : {"", "../outside", "sub/level", ".", ".."}) {
        level.SetModified(true);
        EXPECT_FALSE(level.SaveAs(name, "x")) << name;
        EXPECT_TRUE(level.IsModified());
        EXPECT_FALSE(level.LoadFile(name)) << name;
        EXPECT_FALSE(CLevel::Remove(name)) << name;
    }
    EXPECT_FALSE(fs::exists(fs::path(folder_).parent_path().parent_path() / "outside.lvl"));
}

TEST_F(LevelFileTest, ANewNameLongerThanTheLimitIsRefusedAndAFoundOneKept)
{
    CLevel level;
    fillSampleLevel(level);
    const std::string longest(CLevel::NAME_LENGTH_MAX, 'n');
    EXPECT_TRUE(level.SaveAs(longest.c_str(), "Sixteen"));
    EXPECT_TRUE(fs::exists(folder_ + longest + ".lvl"));
    const std::string tooLong = longest + "x";
    level.SetModified(true);
    EXPECT_FALSE(level.SaveAs(tooLong.c_str(), "Seventeen"));
    EXPECT_FALSE(fs::exists(folder_ + tooLong + ".lvl"));
    EXPECT_STREQ(level.GetFilename(), longest.c_str()) << "the level keeps its name";
    EXPECT_TRUE(level.IsModified());

    // A longer name found on disk is read whole, never cut.
    fs::copy_file(folder_ + longest + ".lvl", folder_ + tooLong + ".lvl");
    CLevel found;
    ASSERT_TRUE(found.LoadFile(tooLong.c_str()));
    EXPECT_STREQ(found.GetFilename(), tooLong.c_str());
}

TEST_F(LevelFileTest, QuickReadersAndRemove)
{
    EXPECT_EQ(CLevel::GetHeading("missing"), "");
    EXPECT_EQ(CLevel::GetFileTime("missing"), 0);
    EXPECT_FALSE(CLevel::Remove("missing"));

    CLevel level;
    ASSERT_TRUE(level.SaveAs("quick", "Quick Room"));
    EXPECT_EQ(CLevel::GetHeading("quick"), "Quick Room");
    EXPECT_GT(CLevel::GetFileTime("quick"), 0);

    // A legacy file still shows its heading; a damaged one shows 32 characters.
    std::string bytes = readFile(folder_ + "quick.lvl");
    bytes[3] = 4;
    writeFile(folder_ + "legacy.lvl", bytes);
    EXPECT_EQ(CLevel::GetHeading("legacy"), "Quick Room");
    writeFile(folder_ + "damaged.lvl", std::string(4, '\0') + std::string(33, 'h'));
    EXPECT_EQ(CLevel::GetHeading("damaged"), std::string(32, 'h'));
    writeFile(folder_ + "short.lvl", std::string(6, 'h'));
    EXPECT_EQ(CLevel::GetHeading("short"), "hh");
    EXPECT_FALSE(level.LoadFile("short"));

    EXPECT_TRUE(CLevel::Remove("quick"));
    EXPECT_FALSE(fs::exists(folder_ + "quick.lvl"));
}

TEST_F(LevelFileTest, AFailedSaveAsKeepsTheOldNameAndHeading)
{
    CLevel level;
    fillSampleLevel(level);
    ASSERT_TRUE(level.SaveAs("first", "First heading"));
    level.SetTile(EC_TERRAIN_ICE, 3, 3);
    AtomicFile::failAfterBytesForTesting(100);
    EXPECT_FALSE(level.SaveAs("second", "Second heading"));
    AtomicFile::failAfterBytesForTesting(-1);
    EXPECT_STREQ(level.GetFilename(), "first");
    EXPECT_STREQ(level.GetLevelHeading(), "First heading");
    EXPECT_TRUE(level.IsModified());
    EXPECT_FALSE(fs::exists(folder_ + "second.lvl"));
}

// A level file whose extension another system wrote in capitals is the same
// level to every reader, and saving it writes that file, not a second one.
TEST_F(LevelFileTest, AnExtensionInCapitalsIsTheSameLevel)
{
    CLevel sample;
    fillSampleLevel(sample);
    std::vector<unsigned char> bytes = bodyOf(sample);
    writeFile(folder_ + "Cave.LVL", bytesText(bytes));

    EXPECT_EQ(CLevel::GetHeading("Cave"), "Sample Room");
    EXPECT_GT(CLevel::GetFileTime("Cave"), 0);
    CLevel level;
    ASSERT_TRUE(level.LoadFile("Cave"));
    EXPECT_STREQ(level.GetFilename(), "Cave");
    level.SetHeading("Cave Again");
    ASSERT_TRUE(level.Save());
    EXPECT_EQ(CLevel::GetHeading("Cave"), "Cave Again");
    // Save As under the same name asks the same file.
    ASSERT_TRUE(level.SaveAs("Cave", "Third"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
    EXPECT_TRUE(fs::exists(folder_ + "Cave.LVL"));

    // Another name gets the usual extension.
    ASSERT_TRUE(level.SaveAs("Hall", "Hall"));
    EXPECT_TRUE(fs::exists(folder_ + "Hall.lvl"));
    EXPECT_TRUE(CLevel::Remove("Cave"));
    EXPECT_FALSE(fs::exists(folder_ + "Cave.LVL"));
}
