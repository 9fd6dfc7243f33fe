#include "ProfileTestSupport.h"

#include "support/TestEnvironment.h"

using namespace corvelle_test;
using namespace profile_test;

namespace {

std::string recordBytes(const std::string& name, bool played, bool completed, int32_t best)
{
    return i32Bytes(static_cast<int32_t>(name.size())) + name + char(played) + char(completed) + i32Bytes(best);
}

void expectRecord(const UserLevelProgress& record, bool played, bool completed, int best, const char* what)
{
    EXPECT_EQ(record.played, played) << what;
    EXPECT_EQ(record.completed, completed) << what;
    EXPECT_EQ(record.best, best) << what;
}

} // namespace

TEST_F(ProfileTest, UserLevelCompletionKeepsTheBest)
{
    profile = std::make_unique<CProfile>();
    expectRecord(profile->GetUserLevelRecord("castle"), false, false, 0, "never played");
    struct Run {
        int steps;
        int best;
        int previousBest;
    } runs[] = {{40, 40, 0}, {55, 40, 40}, {30, 30, 40}, {0, 1, 30}};
    for (const Run& run : runs) {
        profile->SetSteps(run.steps);
        profile->RecordUserLevelCompleted("castle");
        expectRecord(profile->GetUserLevelRecord("castle"), true, true, run.best, "after a run");
        EXPECT_EQ(profile->GetSteps(false), run.previousBest) << run.steps;
    }
    reopen();
    expectRecord(profile->GetUserLevelRecord("castle"), true, true, 1, "after reopening");
}

TEST_F(ProfileTest, UserLevelSettersChangeOneFieldAndSave)
{
    profile = std::make_unique<CProfile>();
    profile->SetUserLevelFlagA("new", true);
    expectRecord(profile->GetUserLevelRecord("new"), true, false, 0, "played");
    profile->SetUserLevelBest("new", 12);
    profile->SetUserLevelFlagB("new", true);
    expectRecord(profile->GetUserLevelRecord("new"), true, true, 12, "completed");
    profile->SetUserLevelRecord("other", false, true, 9);
    EXPECT_EQ(readFile(profilePath(0)).size(), EMPTY_PROFILE_SIZE + recordBytes("new", 1, 1, 12).size() +
                                                   recordBytes("other", 0, 1, 9).size());

    expectRecord(profile->TakeUserLevelProgress("other"), false, true, 9, "taken");
    expectRecord(profile->GetUserLevelRecord("other"), false, false, 0, "gone");
    profile->PutUserLevelProgress("back", UserLevelProgress{true, true, 3});
    expectRecord(profile->GetUserLevelRecord("back"), true, true, 3, "put");

    profile->ClearUserLevelRecords();
    expectRecord(profile->GetUserLevelRecord("new"), false, false, 0, "cleared");
    std::string file = readFile(profilePath(0));
    EXPECT_EQ(file.size(), EMPTY_PROFILE_SIZE);
    EXPECT_EQ(peekI32(file, RECORD_COUNT), 0);
}

TEST_F(ProfileTest, UserLevelRecordsAreKeptInNameOrderWithoutDuplicates)
{
    profile = std::make_unique<CProfile>();
    std::string file = readFile(profilePath(0));
    std::string tail = file.substr(RECORD_COUNT + 4);
    writeFile(profilePath(0), file.substr(0, RECORD_COUNT) + i32Bytes(3) + recordBytes("b", true, true, 5) +
                                  recordBytes("a", true, false, 0) + recordBytes("b", false, false, 77) + tail);
    profile->SelectProfile(nullptr);
    expectRecord(profile->GetUserLevelRecord("b"), true, true, 5, "first b kept");
    expectRecord(profile->GetUserLevelRecord("a"), true, false, 0, "a");

    profile->SaveProfile();
    EXPECT_EQ(readFile(profilePath(0)).substr(RECORD_COUNT),
              i32Bytes(2) + recordBytes("a", true, false, 0) + recordBytes("b", true, true, 5) + tail);
}
