#include "ProfileTestSupport.h"

#include "support/TestEnvironment.h"

#include <algorithm>
#include <filesystem>

using namespace corvelle_test;
using namespace profile_test;

namespace {

const int TUTORIALS[] = {1, 3, 5, 7, 9, 11, 14, 16, 18, 20, 22, 24, 28, 30, 32, 35, 38, 42, 45, 48, 51, 55, 67, 75, 81, 90};

bool isTutorial(int set, int level)
{
    return set == 0 && std::find(std::begin(TUTORIALS), std::end(TUTORIALS), level) != std::end(TUTORIALS);
}

// Completes the first n non-tutorial levels of the set, level i in i + 1 steps.
void completeFirst(CProfile& profile, int set, int n)
{
    for (int level = 0; n > 0; ++level) {
        if (isTutorial(set, level))
            continue;
        profile.SetScore(level + 1, set, level);
        --n;
    }
}

} // namespace

TEST_F(ProfileTest, UnlockNextOpensTheNextLevelToPlay)
{
    struct Case {
        const char* what;
        int set;
        std::vector<int> completed;
        bool tutorials;
        bool setDone;
        int start;
        int current;
        std::vector<int> open;   // score 0 afterwards
        std::vector<int> locked; // score -1 afterwards
    } cases[] = {
        {"fresh set", 0, {}, true, false, 0, 0, {0}, {1, 2, 110}},
        {"first level won, tutorials on", 0, {0}, true, false, 0, 1, {1, 2}, {3}},
        {"first level won, tutorials off", 0, {0}, false, false, 0, 2, {1, 2}, {3}},
        {"tutorial and follower won", 0, {0, 1, 2}, true, false, 2, 3, {3, 4}, {5}},
        {"tutorial won, follower open", 0, {0, 1}, true, false, 1, 2, {2}, {3}},
        {"finished set wraps", 0, {}, true, true, 110, 0, {0}, {}},
        {"finished set skips a tutorial when off", 0, {}, false, true, 0, 2, {}, {}},
        {"finished set stops at a tutorial when on", 0, {}, true, true, 0, 1, {}, {}},
        {"advanced set has no tutorials", 1, {0, 1, 2}, true, false, 2, 3, {3}, {4}},
        {"a gap is filled first", 2, {0, 1, 3}, true, false, 3, 2, {2}, {4}},
    };
    profile = std::make_unique<CProfile>();
    for (const Case& c : cases) {
        profile->ResetSet(c.set);
        profile->SetPlayTutorials(c.tutorials);
        for (int level : c.completed)
            profile->SetScore(10, c.set, level);
        profile->SetSetCompleted(c.setDone, c.set);
        profile->SetLevel(c.start);
        EXPECT_EQ(profile->UnlockNext(), c.current) << c.what;
        EXPECT_EQ(profile->GetLevel(), c.current) << c.what;
        EXPECT_EQ(profile->GetFurthestLevel(), c.start) << c.what;
        for (int level : c.open)
            EXPECT_EQ(profile->GetScore(c.set, level, false), CProfile::SCORE_OPEN) << c.what << " level " << level;
        for (int level : c.locked)
            EXPECT_TRUE(profile->IsLevelLocked(c.set, level)) << c.what << " level " << level;
    }
}

TEST_F(ProfileTest, CommitScoreKeepsTheBestAndSavesOnlyThen)
{
    struct Case {
        int before;
        int steps;
        int after;
        bool saved;
    } cases[] = {
        {100, 120, 100, false}, {100, 100, 100, false}, {100, 90, 90, true}, {0, 55, 55, true}, {0, 0, 1, true},
    };
    profile = std::make_unique<CProfile>();
    profile->SetLevelSet(1);
    profile->SetLevel(4);
    for (const Case& c : cases) {
        profile->SetScore(c.before, -1, -1);
        profile->SetSteps(c.steps);
        std::filesystem::remove(profilePath(0));
        profile->CommitScore();
        EXPECT_EQ(profile->GetScore(1, 4, false), c.after) << c.before << "/" << c.steps;
        EXPECT_EQ(profile->GetScore(1, 4, true), c.after) << c.before << "/" << c.steps;
        EXPECT_EQ(profile->GetSteps(false), c.before);
        EXPECT_EQ(std::filesystem::exists(profilePath(0)), c.saved) << c.before << "/" << c.steps;
        EXPECT_TRUE(profile->IsLevelCompleted(1, 4));
    }
}

TEST_F(ProfileTest, CompletionCountsStopAtTheFirstGap)
{
    struct Case {
        int set;
        int completed;       // the first n non-tutorial levels
        int laterCompleted;  // one more level after a gap, -1 for none
        int count;
        int percent;
    } cases[] = {
        {0, 17, -1, 17, 20}, {0, 85, -1, 85, 100}, {1, 25, -1, 25, 50}, {2, 81, -1, 81, 100},
        {0, 3, 40, 3, 3},    {1, 0, 5, 0, 0},
    };
    for (const Case& c : cases) {
        profile.reset();
        removeProfileFiles();
        profile = std::make_unique<CProfile>();
        completeFirst(*profile, c.set, c.completed);
        if (c.laterCompleted >= 0)
            profile->SetScore(1000, c.set, c.laterCompleted);
        int total = 0;
        for (int level = 0, n = 0; n < c.count; ++level) {
            if (!isTutorial(c.set, level)) {
                total += level + 1;
                ++n;
            }
        }
        EXPECT_EQ(profile->GetCompletedCount(c.set), c.count) << c.set << "/" << c.completed;
        EXPECT_EQ(profile->GetCompletionPercent(c.set), c.percent) << c.set << "/" << c.completed;
        EXPECT_EQ(profile->GetTotalSteps(c.set), total) << c.set << "/" << c.completed;
    }
    EXPECT_EQ(profile->GetCompletionPercent(3), 0);
    EXPECT_EQ(CProfile::GetLevelCount(0), 111);
    EXPECT_EQ(CProfile::GetLevelCount(1), 50);
    EXPECT_EQ(CProfile::GetLevelCount(2), 81);
    EXPECT_EQ(CProfile::GetLevelCount(3), 0);
}

TEST_F(ProfileTest, CompletingAndResettingASet)
{
    profile = std::make_unique<CProfile>();
    profile->SetScore(33, 1, 7);
    EXPECT_EQ(profile->CompleteSet(1, 500), 1);
    EXPECT_TRUE(profile->IsSetCompleted(1));
    EXPECT_EQ(profile->GetScore(1, 7, false), 33);
    EXPECT_EQ(profile->GetScore(1, 49, false), 500);

    profile->ResetSet(1);
    EXPECT_FALSE(profile->IsSetCompleted(1));
    EXPECT_EQ(profile->GetLevelSet(), 1);
    EXPECT_EQ(profile->GetLevel(), 0);
    EXPECT_EQ(profile->GetScore(1, 0, false), CProfile::SCORE_OPEN);
    EXPECT_TRUE(profile->IsLevelLocked(1, 7));
    EXPECT_EQ(profile->GetScoreArray(1)[7], -1);
    EXPECT_EQ(profile->GetScoreArray(3), nullptr);
    EXPECT_EQ(profile->GetShadowArray(-2), nullptr);
}

TEST_F(ProfileTest, StepCounterStaysWithinItsRange)
{
    profile = std::make_unique<CProfile>();
    EXPECT_EQ(profile->GetSteps(true), 0);
    for (int i = 0; i < 3; ++i)
        profile->IncrementSteps();
    EXPECT_EQ(profile->GetSteps(true), 3);
    profile->SetSteps(150000);
    EXPECT_EQ(profile->GetSteps(true), 99999);
    profile->IncrementSteps();
    EXPECT_EQ(profile->GetSteps(true), 99999);
    profile->SetSteps(-4);
    EXPECT_EQ(profile->GetSteps(true), 0);

    // The counter survives a change of profile, whose score key differs.
    profile->SetSteps(12);
    profile->AddProfile("B");
    EXPECT_EQ(profile->GetSteps(true), 12);
}

TEST_F(ProfileTest, ScoreAlteredBehindTheGamesBackIsRepairedAndMarked)
{
    profile = std::make_unique<CProfile>();
    profile->SetScore(42, 0, 0);
    profile->SaveProfile();
    std::string bytes = readFile(profilePath(0));
    pokeI32(bytes, REGULAR_SCORES, 7);
    writeFile(profilePath(0), bytes);

    profile->SelectProfile(nullptr);
    EXPECT_EQ(profile->GetScore(0, 0, false), 42);
    EXPECT_EQ(profile->GetScore(0, 0, true), 42);
    EXPECT_TRUE(profile->IsCheaterFlag4());
    EXPECT_NE(readFile(dataPath("LOG.TXT")).find("WARNING:  Unknown error at line 212\n"), std::string::npos);

    profile->ClearCheaterFlag(CProfileBase::STATUS_SCORE_REPAIRED);
    profile->SetScoreValue(3, 0, 0);
    EXPECT_FALSE(profile->VerifyScore(0, 0));
    EXPECT_EQ(profile->GetScore(0, 0, true), 42);
    EXPECT_TRUE(profile->VerifyScore(0, 0));
    EXPECT_TRUE(profile->IsCheaterFlag4());

    // A score changed together with its shadow is no repair, but is kept
    // within the range of scores.
    profile->ClearCheaterFlag(CProfileBase::STATUS_SCORE_REPAIRED);
    bytes = readFile(profilePath(0));
    int32_t key = peekI32(bytes, SCORE_KEY);
    pokeI32(bytes, REGULAR_SCORES, 200000);
    pokeI32(bytes, REGULAR_SHADOWS, 200000 ^ key);
    writeFile(profilePath(0), bytes);
    profile->SelectProfile(nullptr);
    EXPECT_EQ(profile->GetScore(0, 0, false), 99999);
    EXPECT_FALSE(profile->IsCheaterFlag4());
}

TEST_F(ProfileTest, KeyBindingsAndOptionsRoundTrip)
{
    profile = std::make_unique<CProfile>();
    profile->SetKey(CProfile::KEY_ACTION, 32);
    profile->SetKey(CProfile::KEY_POWERUP_FIRST + 8, 48);
    profile->SetKey(16, 99);
    profile->SetShowStory(false);
    profile->SetShowStepCounter(false);
    reopen();
    EXPECT_EQ(profile->GetKey(CProfile::KEY_ACTION), 32);
    EXPECT_EQ(profile->GetKey(15), 48);
    EXPECT_EQ(profile->GetKey(16), 0);
    EXPECT_FALSE(profile->GetShowStory());
    EXPECT_FALSE(profile->GetShowStepCounter());
    EXPECT_TRUE(profile->GetPlayTutorials());
    profile->ResetKeys();
    profile->ResetOptions();
    EXPECT_EQ(profile->GetKey(CProfile::KEY_ACTION), 102);
    EXPECT_TRUE(profile->GetShowStory());
}
