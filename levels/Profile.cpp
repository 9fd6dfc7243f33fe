#include "levels/Profile.h"

#include "engine/ByteOrder.h"
#include "engine/Log.h"
#include "levels/FieldStream.h"
#include "levels/LevelSet.h"
#include "platform/Random.h"

#include <SDL_keysym.h>

#include <algorithm>

namespace {

// The facts of the built-in sets that progress rests on (the number of
// levels of each set and the tutorial levels) are kept with the sets.
static_assert(CProfile::SET_COUNT == LEVEL_SET_COUNT);
constexpr const int (&LEVEL_COUNTS)[LEVEL_SET_COUNT] = LEVEL_SET_SIZES;

int nonTutorialCount(int set)
{
    return LEVEL_COUNTS[set] - (set == LEVELSET_REGULAR ? TUTORIAL_LEVEL_COUNT : 0);
}

constexpr std::array<int32_t, CProfile::KEY_COUNT> DEFAULT_KEYS = {
    SDLK_r, SDLK_u, SDLK_LEFT, SDLK_RIGHT, SDLK_UP, SDLK_DOWN, SDLK_f, SDLK_1,
    SDLK_2, SDLK_3, SDLK_4, SDLK_5, SDLK_6, SDLK_7, SDLK_8, SDLK_9,
};

// The shadows are stored kids first, the reverse of the plain scores.
constexpr int SHADOW_ORDER[CProfile::SET_COUNT] = {2, 1, 0};

bool validSet(int set)
{
    return set >= 0 && set < CProfile::SET_COUNT;
}

int32_t newScoreKey()
{
    return (gameRand() * (GAME_RAND_MAX + 1) + gameRand()) % CProfile::STEPS_MAX;
}

// A steps value as a score: a won level counts at least one step.
int completedSteps(int steps)
{
    return std::clamp(steps, 1, CProfile::STEPS_MAX);
}

} // namespace

CProfile::CProfile()
{
    logMessage(LOG_CONSTRUCT, "CProfile:  Creating CProfile...\n");
    LoadHeader();
    previousBest_ = 0;
    steps_ = 0;
    stepsShadow_ = progress_.scoreKey;
}

CProfile::CProfile(InMemory) : inMemory_(true)
{
    Reset();
    SetSteps(0);
}

CProfile::~CProfile()
{
    logMessage(LOG_DESTRUCT, "CProfile:  Destroying CProfile...\n");
    if (!inMemory_)
        SaveHeader();
}

// ---------------------------------------------------------------------------
// Progress as a whole

void CProfile::Reset()
{
    Progress fresh;
    fresh.keys = DEFAULT_KEYS;
    fresh.scoreKey = newScoreKey();
    for (int set = 0; set < SET_COUNT; ++set) {
        fresh.scores[set].assign(LEVEL_COUNTS[set], SCORE_LOCKED);
        fresh.shadows[set].assign(LEVEL_COUNTS[set], SCORE_LOCKED ^ fresh.scoreKey);
    }
    adoptProgress(std::move(fresh));
    previousLevel_ = 0;
}

void CProfile::adoptProgress(Progress&& progress)
{
    int counted = GetSteps(true);
    progress_ = std::move(progress);
    stepsShadow_ = counted ^ progress_.scoreKey;
}

void CProfile::ResetOptions()
{
    progress_.showStory = true;
    progress_.showStepCounter = true;
    progress_.playTutorials = true;
}

bool CProfile::readProgress(FieldReader& in, Progress& progress)
{
    for (int32_t& key : progress.keys)
        key = in.readI32();
    for (int set = 0; set < SET_COUNT; ++set) {
        progress.scores[set].resize(LEVEL_COUNTS[set]);
        for (int32_t& score : progress.scores[set])
            score = in.readI32();
    }
    for (bool& completed : progress.setCompleted)
        completed = in.readFlag();
    progress.scoreKey = in.readI32();
    for (int set : SHADOW_ORDER) {
        progress.shadows[set].resize(LEVEL_COUNTS[set]);
        for (int32_t& shadow : progress.shadows[set])
            shadow = in.readI32();
    }
    progress.currentSet = in.readI32();
    progress.currentLevel = in.readI32();
    int32_t records = in.readI32();
    if (records < 0)
        return false;
    for (int32_t i = 0; i < records && in.ok(); ++i) {
        std::string name = in.readBytes(in.readU32());
        UserLevelProgress record;
        record.played = in.readFlag();
        record.completed = in.readFlag();
        record.best = in.readI32();
        if (in.ok())
            progress.userLevels.emplace(name, record); // a repeated name is dropped
    }
    progress.showStory = in.readFlag();
    progress.showStepCounter = in.readFlag();
    progress.playTutorials = in.readFlag();
    for (uint8_t& byte : progress.reserved)
        byte = in.readU8();
    return in.endsHere();
}

bool CProfile::LoadData(FieldReader& in)
{
    Progress loaded;
    if (!readProgress(in, loaded))
        return false;
    adoptProgress(std::move(loaded));
    validateLoaded();
    UnlockNext();
    return true;
}

// What a file says is brought back into the ranges the game works with.
void CProfile::validateLoaded()
{
    for (int i = 0; i < KEY_COUNT; ++i) {
        if (progress_.keys[i] < 0 || progress_.keys[i] >= SDLK_LAST)
            progress_.keys[i] = DEFAULT_KEYS[i];
    }
    for (int set = 0; set < SET_COUNT; ++set) {
        for (int level = 0; level < LEVEL_COUNTS[set]; ++level) {
            VerifyScore(set, level);
            int score = shadowValue(set, level);
            int kept = std::clamp(score, SCORE_LOCKED, STEPS_MAX);
            if (kept != score)
                SetScore(kept, set, level);
        }
    }
    if (!validSet(progress_.currentSet))
        progress_.currentSet = 0;
    if (progress_.currentLevel < 0 || progress_.currentLevel >= LEVEL_COUNTS[progress_.currentSet])
        progress_.currentLevel = 0;
    for (auto& [name, record] : progress_.userLevels)
        record.best = std::clamp(record.best, 0, STEPS_MAX);
}

void CProfile::SaveData(FILE* out)
{
    for (int32_t key : progress_.keys)
        ByteOrder::writeI32(key, out);
    for (int set = 0; set < SET_COUNT; ++set) {
        for (int level = 0; level < LEVEL_COUNTS[set]; ++level) {
            VerifyScore(set, level);
            ByteOrder::writeI32(shadowValue(set, level), out);
        }
    }
    for (bool completed : progress_.setCompleted)
        writeFlag(completed, out);
    ByteOrder::writeI32(progress_.scoreKey, out);
    for (int set : SHADOW_ORDER) {
        for (int32_t shadow : progress_.shadows[set])
            ByteOrder::writeI32(shadow, out);
    }
    ByteOrder::writeI32(progress_.currentSet, out);
    ByteOrder::writeI32(progress_.currentLevel, out);
    ByteOrder::writeI32(static_cast<int32_t>(progress_.userLevels.size()), out);
    for (const auto& [name, record] : progress_.userLevels) {
        ByteOrder::writeU32(static_cast<uint32_t>(name.size()), out);
        fwrite(name.data(), 1, name.size(), out);
        writeFlag(record.played, out);
        writeFlag(record.completed, out);
        ByteOrder::writeI32(record.best, out);
    }
    writeFlag(progress_.showStory, out);
    writeFlag(progress_.showStepCounter, out);
    writeFlag(progress_.playTutorials, out);
    fwrite(progress_.reserved.data(), 1, progress_.reserved.size(), out);
}

// ---------------------------------------------------------------------------
// Scores

bool CProfile::locate(int& set, int& level) const
{
    set = resolveSet(set);
    level = resolveLevel(level);
    return validSet(set) && level >= 0 && level < static_cast<int>(progress_.shadows[set].size()) &&
           level < static_cast<int>(progress_.scores[set].size());
}

int CProfile::shadowValue(int set, int level) const
{
    return progress_.shadows[set][level] ^ progress_.scoreKey;
}

int CProfile::GetScore(int set, int level, bool raw) const
{
    if (!locate(set, level))
        return SCORE_LOCKED;
    return raw ? progress_.scores[set][level] : shadowValue(set, level);
}

void CProfile::SetScore(int value, int set, int level)
{
    if (!locate(set, level))
        return;
    progress_.shadows[set][level] = value ^ progress_.scoreKey;
    progress_.scores[set][level] = value;
}

void CProfile::SetScoreValue(int value, int set, int level)
{
    if (locate(set, level))
        progress_.scores[set][level] = value;
}

const int32_t* CProfile::GetScoreArray(int set) const
{
    set = resolveSet(set);
    return validSet(set) ? progress_.scores[set].data() : nullptr;
}

const int32_t* CProfile::GetShadowArray(int set) const
{
    set = resolveSet(set);
    return validSet(set) ? progress_.shadows[set].data() : nullptr;
}

bool CProfile::IsLevelCompleted(int set, int level) const
{
    return locate(set, level) && isCompleted(set, level);
}

bool CProfile::IsLevelLocked(int set, int level) const
{
    return !locate(set, level) || isLocked(set, level);
}

bool CProfile::VerifyScore(int set, int level)
{
    if (!locate(set, level))
        return false;
    int32_t plain = progress_.scores[set][level];
    int32_t shadow = progress_.shadows[set][level];
    int32_t key = progress_.scoreKey;
    if ((plain ^ key) == shadow)
        return true;
    logMessage(LOG_DEBUG, "SCORE MISMATCH!  S=%i  L=%i  A=%i  E=%i (%i,%i)\n", set, level, plain, shadow ^ key,
               plain ^ key, shadow);
    progress_.scores[set][level] = shadow ^ key;
    logError(false, "WARNING:  Unknown error at line 212\n");
    SetCheaterFlag(STATUS_SCORE_REPAIRED);
    return false;
}

void CProfile::openLevel(int set, int level)
{
    if (isLocked(set, level))
        SetScore(SCORE_OPEN, set, level);
}

void CProfile::CommitScore()
{
    int set = -1;
    int level = -1;
    if (!locate(set, level))
        return;
    previousBest_ = progress_.scores[set][level];
    int steps = completedSteps(GetSteps(true));
    if (previousBest_ >= 1 && steps >= previousBest_)
        return;
    SetScore(steps, set, level);
    SaveProfile();
}

int CProfile::UnlockNext()
{
    const int set = progress_.currentSet;
    int& current = progress_.currentLevel;
    previousLevel_ = current;
    const int count = static_cast<int>(progress_.shadows[set].size());
    if (progress_.setCompleted[set]) {
        current = current >= count - 1 ? 0 : current + 1;
        if (CLevelSet::isTutorialLevel(set, current) && !progress_.playTutorials)
            ++current;
        return current;
    }
    for (int i = 0; i < count; ++i) {
        if (CLevelSet::isTutorialLevel(set, i)) {
            // A tutorial opens together with the level after it; with
            // tutorials on, play stops at the tutorial until it is won.
            bool hasFollower = i + 1 < count;
            if (!isLocked(set, i) && hasFollower && isCompleted(set, i + 1))
                continue;
            openLevel(set, i);
            if (hasFollower)
                openLevel(set, i + 1);
            bool moveOn = !progress_.playTutorials || isCompleted(set, i);
            current = moveOn && hasFollower ? i + 1 : i;
            return current;
        }
        if (!isCompleted(set, i)) {
            current = i;
            openLevel(set, i);
            return current;
        }
    }
    return current;
}

void CProfile::ResetSet(int set)
{
    set = resolveSet(set);
    if (!validSet(set))
        return;
    progress_.setCompleted[set] = false;
    for (int level = 0; level < LEVEL_COUNTS[set]; ++level)
        SetScore(SCORE_LOCKED, set, level);
    progress_.currentSet = set;
    progress_.currentLevel = 0;
    previousLevel_ = 0;
    SetScore(SCORE_OPEN, set, 0);
}

void CProfile::SetSetCompleted(bool completed, int set)
{
    set = resolveSet(set);
    if (validSet(set))
        progress_.setCompleted[set] = completed;
}

bool CProfile::IsSetCompleted(int set) const
{
    set = resolveSet(set);
    return validSet(set) && progress_.setCompleted[set];
}

int CProfile::GetLevelCount(int set)
{
    return validSet(set) ? LEVEL_COUNTS[set] : 0;
}

int CProfile::SetLevelSet(int set)
{
    if (!validSet(set))
        return progress_.currentSet;
    progress_.currentSet = set;
    progress_.currentLevel = 0;
    previousLevel_ = 0;
    return set;
}

int CProfile::SetLevel(int index)
{
    if (index < 0 || index >= LEVEL_COUNTS[progress_.currentSet])
        return progress_.currentLevel;
    progress_.currentLevel = index;
    previousLevel_ = index;
    return index;
}

template <typename Visit>
void CProfile::walkCompleted(int set, Visit visit) const
{
    set = resolveSet(set);
    if (!validSet(set))
        return;
    for (int level = 0; level < LEVEL_COUNTS[set]; ++level) {
        if (CLevelSet::isTutorialLevel(set, level))
            continue;
        if (!isCompleted(set, level))
            return;
        visit(shadowValue(set, level));
    }
}

int CProfile::GetTotalSteps(int set) const
{
    int total = 0;
    walkCompleted(set, [&](int best) { total += best; });
    return total;
}

int CProfile::GetCompletedCount(int set) const
{
    int count = 0;
    walkCompleted(set, [&](int) { ++count; });
    return count;
}

int CProfile::GetCompletionPercent(int set) const
{
    set = resolveSet(set);
    if (!validSet(set))
        return 0;
    return GetCompletedCount(set) * 100 / nonTutorialCount(set);
}

int CProfile::CompleteSet(int set, int value)
{
    set = resolveSet(set);
    if (!validSet(set))
        return set;
    for (int level = 0; level < LEVEL_COUNTS[set]; ++level) {
        if (!isCompleted(set, level))
            SetScore(value, set, level);
    }
    progress_.setCompleted[set] = true;
    return set;
}

void CProfile::PrintStepCount(int set, int level) const
{
    if (!locate(set, level))
        return;
    int expected = shadowValue(set, level);
    int actual = progress_.scores[set][level];
    logMessage(LOG_DEBUG, "Expected Step Count = %i  (%i,%i)\n", expected, progress_.shadows[set][level],
               progress_.scoreKey);
    logMessage(LOG_DEBUG, "Actual Step Count   = %i", actual);
    logMessage(LOG_DEBUG | LOG_NO_PREFIX, "%s", expected != actual ? " **** MISMATCH ****\n" : "\n");
}

// ---------------------------------------------------------------------------
// Step counter

void CProfile::IncrementSteps()
{
    steps_ = std::min(steps_ + 1, STEPS_MAX);
    int counted = std::min(GetSteps(true) + 1, STEPS_MAX);
    stepsShadow_ = counted ^ progress_.scoreKey;
}

void CProfile::SetSteps(int steps)
{
    steps_ = std::clamp(steps, 0, STEPS_MAX);
    stepsShadow_ = steps_ ^ progress_.scoreKey;
}

int CProfile::GetSteps(bool fromShadow) const
{
    return fromShadow ? stepsShadow_ ^ progress_.scoreKey : previousBest_;
}

// ---------------------------------------------------------------------------
// Key bindings

int CProfile::GetKey(int index) const
{
    return index >= 0 && index < KEY_COUNT ? progress_.keys[index] : SDLK_UNKNOWN;
}

void CProfile::SetKey(int index, int key)
{
    if (index >= 0 && index < KEY_COUNT)
        progress_.keys[index] = key;
}

void CProfile::ResetKeys()
{
    progress_.keys = DEFAULT_KEYS;
}

// ---------------------------------------------------------------------------
// User levels

UserLevelProgress CProfile::GetUserLevelRecord(const std::string& name) const
{
    auto found = progress_.userLevels.find(name);
    return found == progress_.userLevels.end() ? UserLevelProgress() : found->second;
}

UserLevelProgress CProfile::TakeUserLevelProgress(const std::string& name)
{
    UserLevelProgress record = GetUserLevelRecord(name);
    progress_.userLevels.erase(name);
    return record;
}

void CProfile::PutUserLevelProgress(const std::string& name, const UserLevelProgress& record)
{
    progress_.userLevels[name] = record;
    SaveProfile();
}

template <typename Change>
void CProfile::changeUserLevel(const std::string& name, Change change)
{
    UserLevelProgress record = TakeUserLevelProgress(name);
    change(record);
    PutUserLevelProgress(name, record);
}

void CProfile::SetUserLevelFlagA(const std::string& name, bool played)
{
    changeUserLevel(name, [&](UserLevelProgress& record) { record.played = played; });
}

void CProfile::SetUserLevelFlagB(const std::string& name, bool completed)
{
    changeUserLevel(name, [&](UserLevelProgress& record) { record.completed = completed; });
}

void CProfile::SetUserLevelBest(const std::string& name, int best)
{
    changeUserLevel(name, [&](UserLevelProgress& record) { record.best = best; });
}

void CProfile::SetUserLevelRecord(const std::string& name, bool played, bool completed, int best)
{
    changeUserLevel(name, [&](UserLevelProgress& record) { record = UserLevelProgress{played, completed, best}; });
}

void CProfile::RecordUserLevelCompleted(const std::string& name)
{
    changeUserLevel(name, [this](UserLevelProgress& record) {
        record.played = true;
        record.completed = true;
        previousBest_ = record.best;
        int steps = completedSteps(GetSteps(true));
        if (record.best < 1 || steps < record.best)
            record.best = steps;
    });
}

void CProfile::ClearUserLevelRecords()
{
    progress_.userLevels.clear();
    SaveProfile();
}
