#include "levels/Level.h"
#include "platform/Folders.h"
#include "screens/ControllerManager.h"
#include "screens/ControllerMessage.h"
#include "screens/GuiListbox.h"
#include "screens/PlayerScreenFixture.h"
#include "support/WalkLevel.h"

#include <utime.h>

#include <filesystem>
#include <fstream>
#include <map>

using namespace corvelle_test;

namespace {

using Manager = CControllerManager;

class ControllerManagerTest : public PlayerScreenTest
{
protected:
    void SetUp() override
    {
        PlayerScreenTest::SetUp();
        initDirectories();
        std::filesystem::remove_all(getLevelsDirectory());
        std::filesystem::create_directories(getLevelsDirectory());
    }

    // A playable level file with that heading, dated `stamp`.
    static void saveLevel(const std::string& name, const std::string& heading, time_t stamp)
    {
        CLevel level;
        buildWalkLevel(level);
        ASSERT_TRUE(level.SaveAs(name.c_str(), heading.c_str()));
        setTime(name, stamp);
    }

    static void setTime(const std::string& name, time_t stamp)
    {
        struct utimbuf times = {stamp, stamp};
        utime(CLevel::GetPath(name.c_str()).c_str(), &times);
    }

    static bool exists(const std::string& name) { return std::filesystem::exists(CLevel::GetPath(name.c_str())); }

    // The file names of a list, top to bottom.
    static std::vector<std::string> order(const Manager& manager, int list)
    {
        std::vector<std::string> names;
        const CGuiListbox& box = *manager.GetList(list);
        for (int row = 0; row < box.GetRowCount(); ++row)
            names.push_back(manager.GetRecords()[box.GetRowValue(row)].fileName);
        return names;
    }

    // Answers the open message box and lets the manager handle it.
    void answer(Manager& manager, bool yes)
    {
        auto* message = dynamic_cast<CControllerMessage*>(CController::GetCurrent());
        ASSERT_NE(message, nullptr);
        message->GUICallback(yes ? 1 : 0, 0, false);
        CController::PumpCurrent();
        manager.Pump();
    }
};

} // namespace

TEST_F(ControllerManagerTest, FourOrdersWithEqualKeysInFolderOrder)
{
    // Equal headings (but for case) and equal dates.
    saveLevel("b", "Apple", 2000);
    saveLevel("c", "apple", 1000);
    saveLevel("d", "Zebra", 2000);
    saveLevel("e", "_under", 1500);
    auto manager = open<Manager>();
    const auto& records = manager->GetRecords();
    std::vector<std::string> folder;
    for (const auto& record : records)
        folder.push_back(record.fileName);
    auto before = [&](const std::string& a, const std::string& b) {
        return std::find(folder.begin(), folder.end(), a) < std::find(folder.begin(), folder.end(), b);
    };
    // Ties keep folder order ascending and reverse it descending.
    std::string firstApple = before("b", "c") ? "b" : "c", secondApple = firstApple == "b" ? "c" : "b";
    std::string firstNew = before("b", "d") ? "b" : "d", secondNew = firstNew == "b" ? "d" : "b";
    EXPECT_EQ(order(*manager, Manager::LIST_NAME_UP), (std::vector<std::string>{firstApple, secondApple, "d", "e"}))
        << "an underscore sorts after every letter";
    EXPECT_EQ(order(*manager, Manager::LIST_NAME_DOWN),
              (std::vector<std::string>{"e", "d", secondApple, firstApple}));
    EXPECT_EQ(order(*manager, Manager::LIST_OLDEST), (std::vector<std::string>{"c", "e", firstNew, secondNew}));
    EXPECT_EQ(order(*manager, Manager::LIST_NEWEST), (std::vector<std::string>{secondNew, firstNew, "e", "c"}));

    // The sort buttons switch lists and keep the selected level.
    EXPECT_EQ(manager->GetListOnShow(), Manager::LIST_NAME_UP);
    press(*manager, SDLK_DOWN);
    press(*manager, SDLK_DOWN);
    EXPECT_EQ(manager->GetList(Manager::LIST_NAME_UP)->GetSelectedIndex(), 2);
    int selected = manager->GetSelectedRecord();
    manager->GUICallback(Manager::BUTTON_SORT_NAME, 0, false);
    EXPECT_EQ(manager->GetListOnShow(), Manager::LIST_NAME_DOWN);
    EXPECT_EQ(manager->GetSelectedRecord(), selected);
    manager->GUICallback(Manager::BUTTON_SORT_DATE, 0, false);
    EXPECT_EQ(manager->GetListOnShow(), Manager::LIST_NEWEST);
    manager->GUICallback(Manager::BUTTON_SORT_DATE, 0, false);
    EXPECT_EQ(manager->GetListOnShow(), Manager::LIST_OLDEST);
    EXPECT_EQ(manager->GetSelectedRecord(), selected);
}

TEST_F(ControllerManagerTest, RemoveDeletesExactlyTheSelectedFile)
{
    // Both names share their first 17 characters: files put in the folder by
    // hand, as the game itself saves no name over 16 characters.
    const std::string mine = "castle of puzzles part one";
    const std::string theirs = "castle of puzzles part two";
    saveLevel("one", "Part One", 1000);
    saveLevel("two", "Part Two", 2000);
    std::filesystem::rename(CLevel::GetPath("one"), CLevel::GetPath(mine.c_str()));
    std::filesystem::rename(CLevel::GetPath("two"), CLevel::GetPath(theirs.c_str()));
    auto manager = open<Manager>();
    manager->GUICallback(Manager::BUTTON_SORT_DATE, 0, false); // newest first: theirs, then mine
    press(*manager, SDLK_END);
    ASSERT_EQ(manager->GetRecords()[manager->GetSelectedRecord()].fileName, mine);

    // No: nothing happens.
    manager->GUICallback(Manager::BUTTON_REMOVE, 0, false);
    answer(*manager, false);
    EXPECT_TRUE(exists(mine));
    EXPECT_EQ(manager->GetList(Manager::LIST_NEWEST)->GetRowCount(), 2);

    manager->GUICallback(Manager::BUTTON_REMOVE, 0, false);
    answer(*manager, true);
    EXPECT_FALSE(exists(mine));
    EXPECT_TRUE(exists(theirs));
    for (int list = 0; list < Manager::LIST_COUNT; ++list)
        EXPECT_EQ(manager->GetList(list)->GetRowCount(), 1) << list;
    EXPECT_EQ(manager->GetRecords()[manager->GetSelectedRecord()].fileName, theirs);
}

TEST_F(ControllerManagerTest, AnEmptyFolderListsNothingAndPlayDoesNothing)
{
    auto manager = open<Manager>();
    for (int list = 0; list < Manager::LIST_COUNT; ++list)
        EXPECT_EQ(manager->GetList(list)->GetRowCount(), 0);
    EXPECT_EQ(manager->GetSelectedRecord(), -1);
    EXPECT_FALSE(manager->AreDetailsShown());
    manager->GUICallback(Manager::BUTTON_PLAY, 0, false);
    manager->GUICallback(Manager::BUTTON_REMOVE, 0, false);
    press(*manager, SDLK_p);
    EXPECT_EQ(CController::GetCurrent(), manager.get()) << "nothing was opened";
    // Reset still asks.
    manager->GUICallback(Manager::BUTTON_RESET, 0, false);
    EXPECT_NE(CController::GetCurrent(), manager.get());
    answer(*manager, false);
}

// A file that will not load is listed by the heading it holds all the
// same; only a file without one is "(unnamed)".
TEST_F(ControllerManagerTest, FilesThatWillNotLoadAreListedByTheirHeadings)
{
    CLevel level;
    level.SetHeading("Old Times");
    std::vector<unsigned char> old = level.ToBytes(0);
    old[3] = 4; // the version lives in the ID's top byte
    level.SetHeading("Broken Bridge");
    std::vector<unsigned char> broken = level.ToBytes(0);
    broken.resize(100);
    const struct {
        std::string name;
        std::string bytes;
    } files[] = {{"old", std::string(old.begin(), old.end())},
                 {"broken", std::string(broken.begin(), broken.end())},
                 {"empty", ""}};
    for (const auto& file : files)
        std::ofstream(CLevel::GetPath(file.name.c_str()), std::ios::binary) << file.bytes;

    auto manager = open<Manager>();
    std::map<std::string, std::string> listed;
    for (const UserLevelRecord& record : manager->GetRecords())
        listed[record.fileName] = record.levelName;
    EXPECT_EQ(listed["old"], "Old Times");
    EXPECT_EQ(listed["broken"], "Broken Bridge");
    EXPECT_EQ(listed["empty"], "(unnamed)");
}

TEST_F(ControllerManagerTest, DatesReadTheSameInEveryLocale)
{
    struct tm day = {};
    day.tm_year = 2026 - 1900;
    day.tm_mon = 2;
    day.tm_mday = 7;
    day.tm_hour = 12;
    time_t stamp = mktime(&day);
    EXPECT_EQ(Manager::LongDate(stamp), "March 07, 2026");
}
