#pragma once

#include "levels/ProfileBase.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// What the current profile remembers of one user level, by level name.
struct UserLevelProgress {
    bool played = false;
    bool completed = false;
    int32_t best = 0; // best step count; 0 while not completed
};

// The one player profile of the run: the settings and list of CProfileBase,
// plus the player's progress: key bindings, the best score of every level of
// the three built-in sets, finished sets, the current set and level, the step
// counter of the level being played, three options and user-level progress.
//
// A score is -1 locked, 0 open, n >= 1 completed in n steps (at most 99999).
// Every score also lives XOR a per-profile random key in a shadow copy; the
// game reads only the shadows, and the plain copy is checked against them on
// every load and save. A score found altered is restored from its shadow and
// marked in the status word. A set or level argument of -1 means the current
// one; arguments outside the sets read as locked and change nothing.
class CProfile : public CProfileBase
{
public:
    static constexpr int SET_COUNT = 3;    // 0 regular, 1 advanced, 2 kids
    static constexpr int KEY_COUNT = 16;
    static constexpr int STEPS_MAX = 99999;
    static constexpr int SCORE_LOCKED = -1;
    static constexpr int SCORE_OPEN = 0;

    // Key binding indexes; KEY_POWERUP_FIRST + slot uses power-up slot 0..8.
    enum KeyAction {
        KEY_RESTART,
        KEY_UNDO,
        KEY_LEFT,
        KEY_RIGHT,
        KEY_UP,
        KEY_DOWN,
        KEY_ACTION,
        KEY_POWERUP_FIRST,
    };

    // Loads the list and the current profile (or makes the first one).
    CProfile();
    // A fresh profile kept in memory only: it reads and writes no file. The
    // tools that run levels without the game count steps on one.
    struct InMemory {};
    explicit CProfile(InMemory);
    // Saves the current profile and the header (not for one in memory).
    ~CProfile() override;

    // --- Scores and progress ---
    // raw: the plain copy; otherwise the value the shadow holds.
    int GetScore(int set, int level, bool raw) const;
    void SetScore(int value, int set, int level);      // both copies
    void SetScoreValue(int value, int set, int level); // the plain copy only
    const int32_t* GetScoreArray(int set) const;       // null outside the sets
    const int32_t* GetShadowArray(int set) const;
    bool IsLevelCompleted(int set, int level) const;
    bool IsLevelLocked(int set, int level) const;
    // Checks one score against its shadow and repairs it; true when it matched.
    bool VerifyScore(int set, int level);
    // Keeps the step counter as the current level's best when it is better,
    // and saves the profile file then.
    void CommitScore();
    // Opens the next level to play, makes it current and returns it.
    int UnlockNext();
    void ResetSet(int set);
    void SetSetCompleted(bool completed, int set);
    bool IsSetCompleted(int set) const;
    static int GetLevelCount(int set);
    int SetLevelSet(int set);
    int GetLevelSet() const { return progress_.currentSet; }
    int SetLevel(int index);
    int GetLevel() const { return progress_.currentLevel; }
    int GetFurthestLevel() const { return previousLevel_; }
    // Over the non-tutorial levels from the first up to the first one not
    // completed: the sum of their best step counts, and their number.
    int GetTotalSteps(int set) const;
    int GetCompletedCount(int set) const;
    // The completed count in percent of the set's non-tutorial levels.
    int GetCompletionPercent(int set) const;
    // Every level not completed gets the score value; the set is completed.
    int CompleteSet(int set, int value);
    void PrintStepCount(int set, int level) const;

    // --- Step counter of the level being played ---
    void IncrementSteps();
    void SetSteps(int steps); // kept in 0..STEPS_MAX
    // fromShadow: the step counter; otherwise the best score the level had
    // before the last CommitScore or RecordUserLevelCompleted.
    int GetSteps(bool fromShadow) const;

    // --- Key bindings and options ---
    int GetKey(int index) const;
    void SetKey(int index, int key);
    void ResetKeys();
    bool GetShowStory() const { return progress_.showStory; }
    void SetShowStory(bool on) { progress_.showStory = on; }
    bool GetShowStepCounter() const { return progress_.showStepCounter; }
    void SetShowStepCounter(bool on) { progress_.showStepCounter = on; }
    bool GetPlayTutorials() const { return progress_.playTutorials; }
    void SetPlayTutorials(bool on) { progress_.playTutorials = on; }
    void ResetOptions() override;

    // --- User levels (every change saves the profile file) ---
    // A level without a record reads as never played.
    UserLevelProgress GetUserLevelRecord(const std::string& name) const;
    UserLevelProgress TakeUserLevelProgress(const std::string& name);
    void PutUserLevelProgress(const std::string& name, const UserLevelProgress& record);
    void SetUserLevelFlagA(const std::string& name, bool played);
    void SetUserLevelFlagB(const std::string& name, bool completed);
    void SetUserLevelBest(const std::string& name, int best);
    void SetUserLevelRecord(const std::string& name, bool played, bool completed, int best);
    // The professor left the user level: played, completed, best kept when
    // better; the old best becomes GetSteps(false).
    void RecordUserLevelCompleted(const std::string& name);
    void ClearUserLevelRecords();

protected:
    void Reset() override;
    bool LoadData(FieldReader& in) override;
    void SaveData(FILE* out) override;

private:
    // Everything of the progress that the profile file keeps.
    struct Progress {
        std::array<int32_t, KEY_COUNT> keys{};
        std::array<std::vector<int32_t>, SET_COUNT> scores;
        std::array<std::vector<int32_t>, SET_COUNT> shadows;
        std::array<bool, SET_COUNT> setCompleted{};
        int32_t scoreKey = 0;
        int32_t currentSet = 0;
        int32_t currentLevel = 0;
        std::map<std::string, UserLevelProgress> userLevels;
        bool showStory = true;
        bool showStepCounter = true;
        bool playTutorials = true;
        std::array<uint8_t, 10> reserved{};
    };

    static bool readProgress(FieldReader& in, Progress& progress);
    // Takes new progress, keeping the step counter under the new score key.
    void adoptProgress(Progress&& progress);
    void validateLoaded();
    int resolveSet(int set) const { return set == -1 ? progress_.currentSet : set; }
    int resolveLevel(int level) const { return level == -1 ? progress_.currentLevel : level; }
    // The index pair (-1 resolved) when it names a level of a set.
    bool locate(int& set, int& level) const;
    int shadowValue(int set, int level) const; // -1 resolved and checked by the caller
    void openLevel(int set, int level);
    bool isCompleted(int set, int level) const { return shadowValue(set, level) >= 1; }
    bool isLocked(int set, int level) const { return shadowValue(set, level) < 0; }
    template <typename Visit> void walkCompleted(int set, Visit visit) const;
    template <typename Change> void changeUserLevel(const std::string& name, Change change);

    Progress progress_;
    int32_t previousLevel_ = 0;
    int32_t steps_ = 0;
    int32_t stepsShadow_ = 0;
    int32_t previousBest_ = 0;
    bool inMemory_ = false;
};
