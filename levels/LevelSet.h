#pragma once

#include <memory>
#include <string>
#include <vector>

class CLevel;

// Level-set index.
enum LevelSetIndex {
    LEVELSET_REGULAR = 0,
    LEVELSET_ADVANCED = 1,
    LEVELSET_KIDS = 2,
};
constexpr int LEVEL_SET_COUNT = 3;

// The game's progress tables are sized by these counts, so the level archive
// must hold exactly this many levels per set.
constexpr int REGULAR_LEVEL_COUNT = 111;
constexpr int ADVANCED_LEVEL_COUNT = 50;
constexpr int KIDS_LEVEL_COUNT = 81;
constexpr int LEVEL_SET_SIZES[LEVEL_SET_COUNT] = {REGULAR_LEVEL_COUNT, ADVANCED_LEVEL_COUNT, KIDS_LEVEL_COUNT};
constexpr int TUTORIAL_LEVEL_COUNT = 26; // all in the regular set

// The built-in levels lie beside the program in this archive, one entry per
// level named "reg…", "adv…" or "kid…" (the set) and ending in ".lvl".
constexpr const char* LEVEL_ARCHIVE_NAME = "resource4.dat";

// One built-in level set: its levels in play order, their labels and the
// current level. The three sets are program-wide, reached by set index.
class CLevelSet
{
public:
    CLevelSet();
    ~CLevelSet();
    CLevelSet(const CLevelSet&) = delete;
    CLevelSet& operator=(const CLevelSet&) = delete;

    int getLevelCount() const { return static_cast<int>(levels_.size()); }
    int getCurrentIndex() const { return current_; }
    // Indexes outside the set are clamped into it; an empty set gives null.
    CLevel* selectLevel(int index);
    CLevel* getCurrentLevel() const;
    const char* getCurrentHeading() const;
    CLevel* previousLevel();
    CLevel* nextLevel();
    const std::vector<std::string>& getLabelList() const { return labels_; }

    // The set of that index (0..2); null before loadAll or for other indexes.
    static CLevelSet* getSet(int set);

    static bool isTutorialLevel(int set, int index);
    static int getChapter(int set, int index); // -1 where no chapter begins
    static bool isLastLevel(int set, int index);
    static const char* getLabel(int set, int index); // "" outside the sets

    // Start-up: reads every level of LEVEL_ARCHIVE_NAME into the three sets,
    // advancing the loading bar by 100 per level. A missing or damaged
    // archive, or one without exactly 111/50/81 levels, is fatal.
    static void loadAll();
    // What loadAll adds to the loading bar: the levels the game needs.
    static int64_t loadProgressToCome();
    // The reading part of loadAll, for any archive: false (and the reason)
    // when the archive cannot be read. The counts are not checked.
    static bool readArchive(const std::string& path, std::string& error);
    // Files a loaded level into the set its name's prefix chooses; a level
    // with an unknown prefix is deleted and level set to null.
    static void loadLevel(const char* name, CLevel*& level);
    static void buildLabels();
    // Shut-down: deletes every level and label; the sets stay, empty.
    static void freeAll();

private:
    std::vector<std::unique_ptr<CLevel>> levels_;
    std::vector<std::string> labels_;
    int current_ = 0;
};
