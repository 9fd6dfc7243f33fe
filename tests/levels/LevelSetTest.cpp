#include "engine/Log.h"
#include "engine/ResourceArchive.h"
#include "levels/Level.h"
#include "levels/LevelLayout.h"
#include "levels/LevelSet.h"
#include "support/TestEnvironment.h"
#include "LevelFixtures.h"

#include <gtest/gtest.h>
#include <set>

using namespace corvelle_test;

namespace {

ArchiveEntry levelEntry(const std::string& name, const std::string& heading)
{
    CLevel level;
    level.SetHeading(heading.c_str());
    return {name, level.ToBytes(0)};
}

std::string writeArchive(const std::vector<ArchiveEntry>& entries)
{
    std::string dir = makeTempDir("archive");
    std::vector<unsigned char> bytes = packResourceArchive(entries);
    writeFile(dir + "/resource4.dat", std::string(bytes.begin(), bytes.end()));
    return dir;
}

std::vector<std::string> headings(int set)
{
    std::vector<std::string> out;
    CLevelSet* levelSet = CLevelSet::getSet(set);
    for (int i = 0; i < levelSet->getLevelCount(); ++i)
        out.push_back(levelSet->selectLevel(i)->GetLevelHeading());
    return out;
}

} // namespace

TEST(LevelSetTest, EntriesGoToTheSetTheirPrefixNames)
{
    initLogChannels(false);
    enableLogChannel(LOG_ERROR);
    std::string dir = writeArchive({levelEntry("reg001.lvl", "First"), levelEntry("kid001.lvl", "Small"),
                                    levelEntry("reg002.lvl", "Second"), levelEntry("xyz.lvl", "Stray")});
    std::string error;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(CLevelSet::readArchive(dir + "/resource4.dat", error)) << error;
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Invalid level prefix:  'xyz'  (xyz)"), std::string::npos);
    EXPECT_EQ(headings(LEVELSET_REGULAR), (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(headings(LEVELSET_KIDS), (std::vector<std::string>{"Small"}));
    EXPECT_EQ(CLevelSet::getSet(LEVELSET_ADVANCED)->getLevelCount(), 0);
    EXPECT_STREQ(CLevelSet::getSet(LEVELSET_REGULAR)->selectLevel(1)->GetFilename(), "reg002");
    EXPECT_STREQ(CLevelSet::getLabel(LEVELSET_REGULAR, 1), "T1");

    CLevelSet::freeAll();
    EXPECT_EQ(CLevelSet::getSet(LEVELSET_REGULAR)->getLevelCount(), 0);
    EXPECT_TRUE(CLevelSet::getSet(LEVELSET_REGULAR)->getLabelList().empty());
    EXPECT_EQ(CLevelSet::getSet(LEVELSET_REGULAR)->getCurrentLevel(), nullptr);
}

TEST(LevelSetTest, DamagedArchivesAndLevels)
{
    std::string error;
    EXPECT_FALSE(CLevelSet::readArchive(makeTempDir("none") + "/resource4.dat", error));
    EXPECT_FALSE(error.empty());

    // A damaged level keeps its place, empty, so the later levels keep theirs.
    ArchiveEntry damaged = levelEntry("reg001.lvl", "Broken");
    damaged.data.resize(100);
    std::string dir = writeArchive({damaged, levelEntry("reg002.lvl", "Whole")});
    ASSERT_TRUE(CLevelSet::readArchive(dir + "/resource4.dat", error));
    EXPECT_EQ(headings(LEVELSET_REGULAR), (std::vector<std::string>{"", "Whole"}));

    std::vector<unsigned char> bytes = packResourceArchive({levelEntry("reg001.lvl", "Cut")});
    bytes.resize(bytes.size() - 10);
    writeFile(dir + "/resource4.dat", std::string(bytes.begin(), bytes.end()));
    EXPECT_FALSE(CLevelSet::readArchive(dir + "/resource4.dat", error));

    // More entries than the sets can take is refused before any is read.
    std::vector<ArchiveEntry> tiny(REGULAR_LEVEL_COUNT + ADVANCED_LEVEL_COUNT + KIDS_LEVEL_COUNT + 1,
                                   ArchiveEntry{"reg.lvl", {}});
    bytes = packResourceArchive(tiny);
    writeFile(dir + "/resource4.dat", std::string(bytes.begin(), bytes.end()));
    EXPECT_FALSE(CLevelSet::readArchive(dir + "/resource4.dat", error));
    EXPECT_NE(error.find("243 entries"), std::string::npos) << error;
}

TEST(LevelSetTest, LabelsCountTutorialsApart)
{
    CLevelSet::freeAll();
    for (int i = 0; i < REGULAR_LEVEL_COUNT; ++i) {
        CLevel* level = new CLevel();
        CLevelSet::loadLevel("reg", level);
    }
    CLevel* stray = new CLevel();
    CLevelSet::loadLevel("re", stray);
    EXPECT_EQ(stray, nullptr);
    CLevelSet::buildLabels();
    struct Case {
        int index;
        const char* label;
    } cases[] = {{0, "1"}, {1, "T1"}, {2, "2"}, {3, "T2"}, {90, "T26"}, {110, "85"}};
    for (const Case& c : cases)
        EXPECT_STREQ(CLevelSet::getLabel(LEVELSET_REGULAR, c.index), c.label) << c.index;
    EXPECT_STREQ(CLevelSet::getLabel(LEVELSET_REGULAR, 111), "");
    EXPECT_STREQ(CLevelSet::getLabel(7, 0), "");
    CLevelSet::freeAll();
}

TEST(LevelSetTest, FixedFactsOfTheSets)
{
    int tutorials = 0;
    for (int index = 0; index < REGULAR_LEVEL_COUNT; ++index)
        tutorials += CLevelSet::isTutorialLevel(LEVELSET_REGULAR, index);
    EXPECT_EQ(tutorials, TUTORIAL_LEVEL_COUNT);
    EXPECT_TRUE(CLevelSet::isTutorialLevel(0, 90));
    EXPECT_FALSE(CLevelSet::isTutorialLevel(0, 91));
    EXPECT_FALSE(CLevelSet::isTutorialLevel(1, 1));

    struct Chapter {
        int set, index, chapter;
    } chapters[] = {{0, 0, 0}, {0, 8, 1}, {0, 9, -1}, {0, 110, 11}, {1, 49, 11},
                    {1, 45, 10}, {2, 80, 11}, {2, 8, -1}, {3, 0, -1}};
    for (const Chapter& c : chapters)
        EXPECT_EQ(CLevelSet::getChapter(c.set, c.index), c.chapter) << c.set << "/" << c.index;

    for (auto [set, index, last] : {std::tuple{0, 110, true}, {1, 49, true}, {2, 80, true}, {0, 49, false},
                                    {2, 110, false}, {3, 0, false}})
        EXPECT_EQ(CLevelSet::isLastLevel(set, index), last) << set << "/" << index;
}

TEST(LevelSetTest, SteppingStaysInsideTheSet)
{
    std::string dir = writeArchive({levelEntry("adv001.lvl", "A"), levelEntry("adv002.lvl", "B"),
                                    levelEntry("adv003.lvl", "C")});
    std::string error;
    ASSERT_TRUE(CLevelSet::readArchive(dir + "/resource4.dat", error));
    CLevelSet* set = CLevelSet::getSet(LEVELSET_ADVANCED);
    EXPECT_STREQ(set->previousLevel()->GetLevelHeading(), "A");
    EXPECT_EQ(set->getCurrentIndex(), 0);
    set->selectLevel(2);
    EXPECT_STREQ(set->nextLevel()->GetLevelHeading(), "C");
    EXPECT_EQ(set->getCurrentIndex(), 2);
    EXPECT_STREQ(set->previousLevel()->GetLevelHeading(), "B");
    EXPECT_STREQ(set->getCurrentHeading(), "B");
    set->selectLevel(99);
    EXPECT_EQ(set->getCurrentIndex(), 2);
    set->selectLevel(-4);
    EXPECT_EQ(set->getCurrentIndex(), 0);
    EXPECT_EQ(CLevelSet::getSet(3), nullptr);
}

// The shipped archive: every set complete, every room valid, and a
// tutorial marker in every tutorial level. Outside the tutorials a regular
// level may carry a marker only where it brings an element no earlier level
// of the set holds (the hanging bot has no tutorial level of its own); the
// advanced set has none.
TEST(LevelSetTest, BuiltArchiveHoldsThreeCompleteSets)
{
    ScopedWorkingDir inGame(resourceDir());
    CLevelSet::loadAll();
    int64_t levels = 0;
    for (int set = 0; set < LEVEL_SET_COUNT; ++set)
        levels += CLevelSet::getSet(set)->getLevelCount();
    EXPECT_EQ(CLevelSet::loadProgressToCome(), levels * 100) << "what the loading bar is told to expect";
    for (int set = 0; set < LEVEL_SET_COUNT; ++set) {
        CLevelSet* levelSet = CLevelSet::getSet(set);
        ASSERT_EQ(levelSet->getLevelCount(), LEVEL_SET_SIZES[set]);
        std::set<int> seen;
        for (int index = 0; index < levelSet->getLevelCount(); ++index) {
            const CLevel& level = *levelSet->selectLevel(index);
            EXPECT_GT(strlen(level.GetLevelHeading()), 0u) << set << "/" << index;
            for (const LayoutProblem& problem : checkLevelLayout(level))
                ADD_FAILURE() << level.GetFilename() << ": " << problem.message;
            bool marker = false;
            bool bringsNew = false;
            for (int x = 0; x < LEVEL_WIDTH; ++x)
                for (int y = 0; y < LEVEL_HEIGHT; ++y) {
                    const int code = level.GetTile(x, y);
                    marker = marker || code == EC_TUTORIAL;
                    bringsNew = bringsNew || (code != EC_TUTORIAL && !seen.count(code));
                }
            for (int x = 0; x < LEVEL_WIDTH; ++x)
                for (int y = 0; y < LEVEL_HEIGHT; ++y)
                    seen.insert(level.GetTile(x, y));
            // The kids set has no tutorial levels; its markers explain an element where it first
            // appears, in an ordinary level.
            if (set == LEVELSET_KIDS)
                continue;
            if (CLevelSet::isTutorialLevel(set, index))
                EXPECT_TRUE(marker) << level.GetFilename();
            else if (set == LEVELSET_REGULAR)
                EXPECT_TRUE(!marker || bringsNew) << level.GetFilename() << ": a marker for nothing new";
            else
                EXPECT_FALSE(marker) << level.GetFilename();
        }
    }
    EXPECT_STREQ(CLevelSet::getLabel(LEVELSET_REGULAR, 110), "85");
    CLevelSet::freeAll();
}

TEST(LevelSetDeathTest, MissingOrIncompleteArchiveIsFatal)
{
    std::string none = makeTempDir("noarchive");
    EXPECT_EXIT(
        {
            ScopedWorkingDir in(none);
            CLevelSet::loadAll();
        },
        testing::ExitedWithCode(1), "");
    std::string small = writeArchive({levelEntry("reg001.lvl", "One")});
    EXPECT_EXIT(
        {
            ScopedWorkingDir in(small);
            CLevelSet::loadAll();
        },
        testing::ExitedWithCode(1), "");
    // Fatal errors print on standard output and go to the error log.
    std::string log = readFile(TemporaryHome::path() + "/data/Vostrel Games/KRVL Data/LOG.TXT");
    EXPECT_NE(log.find("Cannot load level resource file!"), std::string::npos) << log;
    EXPECT_NE(log.find("holds 1 regular, 0 advanced and 0 kids levels; the game needs 111, 50 and 81"),
              std::string::npos)
        << log;
}
