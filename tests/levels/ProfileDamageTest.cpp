#include "ProfileTestSupport.h"

#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "screens/DamageNotice.h"
#include "support/TestEnvironment.h"
#include "text/TextIds.h"

#include <climits>
#include <filesystem>
#include <set>

using namespace corvelle_test;
using namespace profile_test;
namespace fs = std::filesystem;

namespace {

constexpr size_t HEADER_FIXED_SIZE = 34;
constexpr size_t HEADER_ENTRY_SIZE = 36;

void expectDefaults(const CProfile& profile, const std::string& what)
{
    EXPECT_EQ(profile.GetSoundVolume(), 6) << what;
    EXPECT_EQ(profile.GetScore(0, 0, false), CProfile::SCORE_LOCKED) << what;
    EXPECT_FALSE(profile.GetUserLevelRecord("castle").played) << what;
    EXPECT_EQ(profile.GetKey(CProfile::KEY_LEFT), 276) << what;
    EXPECT_FALSE(profile.IsCheaterFlag4()) << what;
}

} // namespace

TEST_F(ProfileTest, DamagedProfileFileGivesDefaultsAndIsKept)
{
    profile = std::make_unique<CProfile>();
    profile->SetScore(5, 0, 0);
    profile->SetSoundVolume(2);
    profile->SetUserLevelRecord("castle", true, true, 9);
    const std::string whole = readFile(profilePath(0));
    const size_t records = RECORD_COUNT;

    std::vector<std::pair<std::string, std::string>> damaged;
    for (size_t length = 0; length < whole.size(); ++length)
        damaged.emplace_back("prefix " + std::to_string(length), whole.substr(0, length));
    damaged.emplace_back("a byte too many", whole + "x");
    auto withRecords = [&](const std::string& part) {
        return whole.substr(0, records) + part + whole.substr(whole.size() - 13);
    };
    damaged.emplace_back("negative record count", withRecords(i32Bytes(-1)));
    damaged.emplace_back("record count beyond the file", withRecords(i32Bytes(INT_MAX)));
    damaged.emplace_back("name length beyond the file", withRecords(i32Bytes(1) + i32Bytes(-1) + "castle"));

    // Each damage is kept in a copy of its own: the first as ".bak", the
    // next as ".bak2", ".bak3"..., and none replaces an earlier one.
    for (size_t i = 0; i < damaged.size(); ++i) {
        const auto& [what, bytes] = damaged[i];
        writeFile(profilePath(0), bytes);
        profile->SelectProfile(nullptr);
        expectDefaults(*profile, what);
        EXPECT_FALSE(fs::exists(profilePath(0))) << what;
        const std::string copy = profilePath(0) + ".bak" + (i > 0 ? std::to_string(i + 1) : "");
        EXPECT_EQ(readFile(copy), bytes) << what;
        std::vector<CProfileBase::DamageNote> notes = profile->TakeDamageNotes();
        ASSERT_EQ(notes.size(), 1u) << what;
        EXPECT_EQ(notes[0].kind, CProfileBase::DamageNote::PROGRESS) << what;
        EXPECT_EQ(notes[0].player, "PLAYER 1") << what;
        EXPECT_EQ(notes[0].copyPath, copy) << what;
    }
    EXPECT_EQ(readFile(profilePath(0) + ".bak"), damaged[0].second) << "the first copy is still there";

    writeFile(profilePath(0), whole);
    profile->SelectProfile(nullptr);
    EXPECT_EQ(profile->GetSoundVolume(), 2);
    EXPECT_EQ(profile->GetScore(0, 0, false), 5);
    EXPECT_TRUE(profile->GetUserLevelRecord("castle").completed);
}

// Three players, each with a file that loads and saves back to the same
// bytes; every damaged header must leave a consistent list and all three
// files as they were.
TEST_F(ProfileTest, DamagedHeaderLeavesAConsistentListAndEveryFile)
{
    profile = std::make_unique<CProfile>();
    profile->AddProfile("B");
    profile->AddProfile("C");
    for (const char* name : {"PLAYER 1", "B", "C"}) {
        profile->SelectProfile(name);
        profile->SetScore(profile->GetCurrentProfileNumber() + 10, 1, 0);
        profile->SaveProfile();
    }
    profile.reset();
    const std::string header = readFile(headerPath());
    ASSERT_EQ(header.size(), HEADER_FIXED_SIZE + 3 * HEADER_ENTRY_SIZE);
    std::vector<std::string> files;
    for (int number = 0; number < 3; ++number)
        files.push_back(readFile(profilePath(number)));

    struct Case {
        std::string what;
        std::string bytes;
        bool keptAsBackup;
        const char* list; // null: any consistent list
    };
    std::vector<Case> cases;
    for (size_t length = 0; length < header.size(); ++length)
        cases.push_back({"prefix " + std::to_string(length), header.substr(0, length), true, nullptr});
    auto patched = [&](size_t offset, int32_t value) {
        std::string bytes = header;
        pokeI32(bytes, offset, value);
        return bytes;
    };
    const size_t third = HEADER_FIXED_SIZE + 2 * HEADER_ENTRY_SIZE;
    std::string duplicateName = header;
    duplicateName.replace(third + 4, 2, std::string("B\0", 2));
    // A header of another version is read on as this one.
    cases.push_back({"wrong version", patched(0, 2), true, "0:PLAYER 1|1:B|2:C"});
    cases.push_back({"last number too low", patched(8, 0), false, "0:PLAYER 1|1:B|2:C"});
    cases.push_back({"unknown current number", patched(26, 7), false, "0:PLAYER 1|1:B|2:C"});
    cases.push_back({"count beyond the entries", patched(30, INT_MAX), true, "0:PLAYER 1|1:B|2:C"});
    // A count that cannot be right gives way to the whole entries there are.
    cases.push_back({"negative count", patched(30, -4), true, "0:PLAYER 1|1:B|2:C"});
    // An entry dropped or renamed keeps the old header as a backup, and the
    // error log says what happened to it; the dropped entry's file comes
    // back into the list under the name of its number.
    cases.push_back({"duplicate number", patched(third, 1), true, "0:PLAYER 1|1:B|2:PLAYER 3"});
    cases.push_back({"negative number", patched(third, -1), true, "0:PLAYER 1|1:B|2:PLAYER 3"});
    cases.push_back({"number out of range", patched(third, 1000000), true, "0:PLAYER 1|1:B|2:PLAYER 3"});
    // A repeated name with a sound file of its own stays reachable.
    cases.push_back({"duplicate name", duplicateName, true, "0:PLAYER 1|1:B|2:B 2"});

    for (const Case& c : cases) {
        removeProfileFiles();
        for (int number = 0; number < 3; ++number)
            writeFile(profilePath(number), files[number]);
        writeFile(headerPath(), c.bytes);

        profile = std::make_unique<CProfile>();
        std::set<int> numbers;
        std::set<std::string> names;
        std::string list;
        for (int i = 0; i < profile->GetProfileCount(); ++i) {
            std::string name = profile->GetProfileName(i);
            int number = profile->FindProfileNumber(name);
            numbers.insert(number);
            names.insert(name);
            list += (i ? "|" : "") + std::to_string(number) + ":" + name;
        }
        ASSERT_GE(numbers.size(), 1u) << c.what;
        EXPECT_EQ(names.size(), numbers.size()) << c.what;
        EXPECT_TRUE(numbers.count(profile->GetCurrentProfileNumber())) << c.what;
        if (c.list) {
            EXPECT_EQ(list, c.list) << c.what;
        }
        EXPECT_EQ(fs::exists(headerPath() + ".bak"), c.keptAsBackup) << c.what;
        if (c.keptAsBackup) {
            EXPECT_EQ(readFile(headerPath() + ".bak"), c.bytes) << c.what;
        }
        if (c.what == "duplicate name") {
            EXPECT_NE(readFile(dataPath("LOG.TXT")).find("the name 'B' is given twice; kept as 'B 2'"), std::string::npos);
            profile->SelectProfile("B 2");
            EXPECT_EQ(profile->GetScore(1, 0, false), 12) << "the player's own file";
        }
        if (c.what == "duplicate number") {
            EXPECT_NE(readFile(dataPath("LOG.TXT")).find("Profile header entry 1 'C' dropped: its number is given twice"),
                      std::string::npos);
        }

        // A new player never takes a number that is in use or on disk.
        int newest = *numbers.rbegin();
        ASSERT_TRUE(profile->AddProfile("NEW")) << c.what;
        EXPECT_GT(profile->GetCurrentProfileNumber(), std::max(newest, 2)) << c.what;
        profile.reset();
        for (int number = 0; number < 3; ++number)
            EXPECT_EQ(readFile(profilePath(number)), files[number]) << c.what << " file of " << number;
    }
}

// Three players, alice with ten levels done and current; each damage to the
// list or to her file keeps every player that can still be read, keeps
// the damaged file in a numbered copy, and leaves one note for the notice
// the main menu shows.
TEST_F(ProfileTest, DamagedPlayerDataKeepsEveryReadablePlayerAndTellsOfItOnce)
{
    profile = std::make_unique<CProfile>();
    profile->AddProfile("alice");
    for (int level = 0; level < 10; ++level)
        profile->SetScore(20 + level, 0, level);
    profile->SaveProfile();
    profile->AddProfile("bob");
    profile->SelectProfile("alice");
    profile.reset();
    const std::string header = readFile(headerPath());
    const std::string firstFile = readFile(profilePath(0));
    const std::string aliceFile = readFile(profilePath(1));
    const std::string bobFile = readFile(profilePath(2));
    auto patched = [&](size_t offset, int32_t value) {
        std::string bytes = header;
        pokeI32(bytes, offset, value);
        return bytes;
    };

    struct Case {
        const char* what;
        bool list; // the list is damaged, else alice's file
        std::string bytes;
        const char* players;
        int kept, found; // the note's counts for a damaged list
        int aliceScore;  // level 9 of the regular set, as alice's entry has it now
    };
    const Case cases[] = {
        {"count -1", true, patched(30, -1), "0:PLAYER 1|1:alice|2:bob", 3, 0, 29},
        {"cut at 80 bytes", true, header.substr(0, 80), "0:PLAYER 1|1:PLAYER 2|2:PLAYER 3", 1, 2, 29},
        {"empty list", true, "", "0:PLAYER 1|1:PLAYER 2|2:PLAYER 3", 0, 3, 29},
        {"version 2", true, patched(0, 2), "0:PLAYER 1|1:alice|2:bob", 3, 0, 29},
        {"oversized list", true, header + std::string(50, 'x'), "0:PLAYER 1|1:alice|2:bob", 3, 0, 29},
        {"cut profile", false, aliceFile.substr(0, 1000), "0:PLAYER 1|1:alice|2:bob", 0, 0, CProfile::SCORE_LOCKED},
        {"empty profile", false, "", "0:PLAYER 1|1:alice|2:bob", 0, 0, CProfile::SCORE_LOCKED},
        {"oversized profile", false, aliceFile + "x", "0:PLAYER 1|1:alice|2:bob", 0, 0, CProfile::SCORE_LOCKED},
    };
    for (const Case& c : cases) {
        removeProfileFiles();
        writeFile(headerPath(), c.list ? c.bytes : header);
        writeFile(profilePath(0), firstFile);
        writeFile(profilePath(1), c.list ? aliceFile : c.bytes);
        writeFile(profilePath(2), bobFile);
        profile = std::make_unique<CProfile>();

        std::string players;
        for (int i = 0; i < profile->GetProfileCount(); ++i)
            players += (i ? "|" : "") + std::to_string(profile->FindProfileNumber(profile->GetProfileName(i))) + ":" +
                       profile->GetProfileName(i);
        EXPECT_EQ(players, c.players) << c.what;
        profile->SelectProfile(profile->GetProfileNameByNumber(1));
        EXPECT_EQ(profile->GetScore(0, 9, false), c.aliceScore) << c.what;

        const std::string copy = (c.list ? headerPath() : profilePath(1)) + ".bak";
        EXPECT_EQ(readFile(copy), c.bytes) << c.what;
        std::vector<CProfileBase::DamageNote> notes = profile->TakeDamageNotes();
        ASSERT_EQ(notes.size(), 1u) << c.what;
        DamageNotice notice = damageNoticeFor(notes[0]);
        EXPECT_EQ(notice.titleString, TEXT_DAMAGE_TITLE) << c.what;
        if (c.list) {
            EXPECT_EQ(notice.bodyString, TEXT_DAMAGED_LIST_COPIED_BODY) << c.what;
            EXPECT_EQ(notice.arguments, (std::vector<std::string>{std::to_string(c.kept), std::to_string(c.found), copy}))
                << c.what;
        } else {
            EXPECT_EQ(notice.bodyString, TEXT_DAMAGED_PROGRESS_COPIED_BODY) << c.what;
            EXPECT_EQ(notice.arguments, (std::vector<std::string>{"alice", copy})) << c.what;
        }
        EXPECT_TRUE(profile->TakeDamageNotes().empty()) << c.what << ": told once";
        profile.reset();
    }
}

// A second damage finds the first copy in place and keeps its own beside
// it; a notice without a copy says that none could be kept.
TEST_F(ProfileTest, ASecondDamageKeepsTheFirstCopy)
{
    profile = std::make_unique<CProfile>();
    profile->AddProfile("alice");
    profile.reset();
    const std::string header = readFile(headerPath());
    writeFile(headerPath(), "first damage");
    reopen();
    profile.reset();
    writeFile(headerPath(), "second damage");
    reopen();
    EXPECT_EQ(readFile(headerPath() + ".bak"), "first damage");
    EXPECT_EQ(readFile(headerPath() + ".bak2"), "second damage");
    std::vector<CProfileBase::DamageNote> notes = profile->TakeDamageNotes();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].copyPath, headerPath() + ".bak2");

    CProfileBase::DamageNote uncopied;
    uncopied.kind = CProfileBase::DamageNote::PROGRESS;
    uncopied.player = "alice";
    EXPECT_EQ(damageNoticeFor(uncopied).bodyString, TEXT_DAMAGED_PROGRESS_NOT_COPIED_BODY);
    EXPECT_EQ(damageNoticeFor(uncopied).arguments, std::vector<std::string>{"alice"});
    uncopied.kind = CProfileBase::DamageNote::LIST;
    EXPECT_EQ(damageNoticeFor(uncopied).bodyString, TEXT_DAMAGED_LIST_NOT_COPIED_BODY);
}

TEST_F(ProfileTest, FailedProfileSaveIsFatalAndKeepsTheOldFile)
{
    profile = std::make_unique<CProfile>();
    profile->SetScore(5, 0, 0);
    profile->SaveProfile();
    const std::string old = readFile(profilePath(0));
    profile->SetScore(6, 0, 0);
    for (long failAt : {0L, 1L, 276L, 2000L, 2307L}) {
        EXPECT_EXIT(
            {
                AtomicFile::failAfterBytesForTesting(failAt);
                profile->SaveProfile();
            },
            testing::ExitedWithCode(1), "");
        EXPECT_EQ(readFile(profilePath(0)), old) << failAt;
    }
    EXPECT_NE(readFile(dataPath("LOG.TXT")).find("Cannot save profile: " + profilePath(0)), std::string::npos);
    EXPECT_NE(readFile(dataPath("LOG.TXT")).find(profilePath(0) + ": No space left on device\n"), std::string::npos)
        << "the cause comes first";
    EXPECT_EQ(std::distance(fs::directory_iterator(getProfileDirectory()), fs::directory_iterator()), 3)
        << "no temporary file is left behind";
}

TEST_F(ProfileTest, HeaderThatCannotBeWrittenIsFatal)
{
    profile = std::make_unique<CProfile>();
    fs::remove(headerPath());
    fs::create_directory(headerPath());
    EXPECT_EXIT(profile->SetPassword("x"), testing::ExitedWithCode(1), "");
    EXPECT_NE(readFile(dataPath("LOG.TXT")).find("Cannot save profile header: " + headerPath()), std::string::npos);
    fs::remove(headerPath());
}
