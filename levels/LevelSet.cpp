#include "levels/LevelSet.h"

#include "engine/Draw.h"
#include "engine/Log.h"
#include "engine/ResourceArchive.h"
#include "levels/Level.h"

#include <algorithm>
#include <cstring>

namespace {

std::unique_ptr<CLevelSet> g_sets[LEVEL_SET_COUNT];

const int kTutorialIndexes[TUTORIAL_LEVEL_COUNT] = {1,  3,  5,  7,  9,  11, 14, 16, 18, 20, 22, 24, 28,
                                                    30, 32, 35, 38, 42, 45, 48, 51, 55, 67, 75, 81, 90};

struct ChapterStart {
    int set;
    int index;
    int chapter;
};

const ChapterStart kChapters[] = {
    {0, 0, 0},   {0, 8, 1},   {0, 19, 2},  {0, 29, 3},  {0, 39, 4},  {0, 49, 5},  {0, 60, 6},  {0, 70, 7},
    {0, 81, 8},  {0, 90, 9},  {0, 102, 10}, {0, 110, 11}, {1, 0, 0},  {1, 4, 1},   {1, 9, 2},   {1, 13, 3},
    {1, 18, 4},  {1, 22, 5},  {1, 27, 6},  {1, 31, 7},  {1, 36, 8},  {1, 40, 9},  {1, 45, 10}, {1, 49, 11},
    {2, 0, 0},   {2, 80, 11},
};

// The three-letter prefix of an archive entry name and the set it picks,
// in the order they are compared.
struct Prefix {
    const char* letters;
    int set;
};
const Prefix kPrefixes[] = {{"kid", LEVELSET_KIDS}, {"reg", LEVELSET_REGULAR}, {"adv", LEVELSET_ADVANCED}};

const char kLevelExtension[] = ".lvl";

// The sets exist from the first level filed until the end of the program.
CLevelSet& setAt(int set)
{
    if (!g_sets[set])
        g_sets[set] = std::make_unique<CLevelSet>();
    return *g_sets[set];
}

std::string withoutExtension(const std::string& name)
{
    const size_t length = sizeof kLevelExtension - 1;
    if (name.size() >= length && name.compare(name.size() - length, length, kLevelExtension) == 0)
        return name.substr(0, name.size() - length);
    return name;
}

} // namespace

CLevelSet::CLevelSet() = default;
CLevelSet::~CLevelSet() = default;

CLevel* CLevelSet::selectLevel(int index)
{
    current_ = std::max(0, std::min(index, getLevelCount() - 1));
    return getCurrentLevel();
}

CLevel* CLevelSet::getCurrentLevel() const
{
    return levels_.empty() ? nullptr : levels_[static_cast<size_t>(current_)].get();
}

const char* CLevelSet::getCurrentHeading() const
{
    CLevel* level = getCurrentLevel();
    return level ? level->GetLevelHeading() : "";
}

CLevel* CLevelSet::previousLevel()
{
    if (current_ > 0)
        --current_;
    return getCurrentLevel();
}

CLevel* CLevelSet::nextLevel()
{
    if (current_ < getLevelCount() - 1)
        ++current_;
    return getCurrentLevel();
}

CLevelSet* CLevelSet::getSet(int set)
{
    return set >= 0 && set < LEVEL_SET_COUNT ? g_sets[set].get() : nullptr;
}

bool CLevelSet::isTutorialLevel(int set, int index)
{
    return set == LEVELSET_REGULAR && std::find(std::begin(kTutorialIndexes), std::end(kTutorialIndexes), index) !=
                                          std::end(kTutorialIndexes);
}

int CLevelSet::getChapter(int set, int index)
{
    for (const ChapterStart& start : kChapters)
        if (start.set == set && start.index == index)
            return start.chapter;
    return -1;
}

bool CLevelSet::isLastLevel(int set, int index)
{
    return set >= 0 && set < LEVEL_SET_COUNT && index == LEVEL_SET_SIZES[set] - 1;
}

const char* CLevelSet::getLabel(int set, int index)
{
    CLevelSet* levelSet = getSet(set);
    if (!levelSet || index < 0 || index >= static_cast<int>(levelSet->labels_.size()))
        return "";
    return levelSet->labels_[static_cast<size_t>(index)].c_str();
}

void CLevelSet::loadLevel(const char* name, CLevel*& level)
{
    for (const Prefix& prefix : kPrefixes) {
        if (strncmp(name, prefix.letters, 3) == 0) {
            CLevelSet& set = setAt(prefix.set);
            set.levels_.emplace_back(level);
            logMessage(LOG_PRELOAD, "CLevelSet::loadLevel   #%-6i:   %s  (%s,%s)\n", set.getLevelCount(),
                       level->GetLevelHeading(), name, prefix.letters);
            return;
        }
    }
    logMessage(LOG_ERROR, "Invalid level prefix:  '%.3s'  (%s)", name, name);
    delete level;
    level = nullptr;
}

bool CLevelSet::readArchive(const std::string& path, std::string& error)
{
    for (std::unique_ptr<CLevelSet>& set : g_sets)
        set = std::make_unique<CLevelSet>();
    ResourceArchive archive;
    if (!archive.open(path)) {
        error = archive.error();
        return false;
    }
    // Each entry becomes a level in memory: a small hostile archive claiming
    // a million tiny entries would otherwise take gigabytes before the count
    // check of loadAll could refuse it.
    const uint32_t levelsWanted = REGULAR_LEVEL_COUNT + ADVANCED_LEVEL_COUNT + KIDS_LEVEL_COUNT;
    if (archive.count() > levelsWanted) {
        error = "the archive holds " + std::to_string(archive.count()) + " entries; the sets take " +
                std::to_string(levelsWanted) + " levels";
        return false;
    }
    for (uint32_t i = 0; i < archive.count(); ++i) {
        ArchiveEntry entry;
        if (!archive.entry(i, entry)) {
            error = archive.error();
            return false;
        }
        std::string name = withoutExtension(entry.name);
        CLevel* level = new CLevel();
        // A damaged level keeps its place in the set, empty, so that the
        // levels after it keep their indexes and the player's progress.
        if (!level->LoadBytes(name.c_str(), entry.data.data(), entry.data.size()))
            logError(false, "Damaged built-in level:  '%s'\n", entry.name.c_str());
        loadLevel(name.c_str(), level);
        CDraw::addLoadProgress(100);
    }
    buildLabels();
    return true;
}

int64_t CLevelSet::loadProgressToCome()
{
    return static_cast<int64_t>(REGULAR_LEVEL_COUNT + ADVANCED_LEVEL_COUNT + KIDS_LEVEL_COUNT) * 100;
}

void CLevelSet::loadAll()
{
    std::string error;
    if (!readArchive(LEVEL_ARCHIVE_NAME, error))
        logError(true, "Cannot load level resource file!  (%s)\n", error.c_str());
    const int counts[LEVEL_SET_COUNT] = {setAt(0).getLevelCount(), setAt(1).getLevelCount(),
                                         setAt(2).getLevelCount()};
    if (!std::equal(std::begin(counts), std::end(counts), std::begin(LEVEL_SET_SIZES)))
        logError(true,
                 "Level resource file holds %i regular, %i advanced and %i kids levels; the game needs %i, %i "
                 "and %i.\n",
                 counts[0], counts[1], counts[2], REGULAR_LEVEL_COUNT, ADVANCED_LEVEL_COUNT, KIDS_LEVEL_COUNT);
}

void CLevelSet::buildLabels()
{
    for (int set = 0; set < LEVEL_SET_COUNT; ++set) {
        CLevelSet* levelSet = getSet(set);
        if (!levelSet)
            continue;
        levelSet->labels_.clear();
        int tutorials = 1;
        int others = 1;
        for (int index = 0; index < levelSet->getLevelCount(); ++index) {
            if (isTutorialLevel(set, index))
                levelSet->labels_.push_back("T" + std::to_string(tutorials++));
            else
                levelSet->labels_.push_back(std::to_string(others++));
        }
    }
}

void CLevelSet::freeAll()
{
    for (std::unique_ptr<CLevelSet>& set : g_sets) {
        if (!set)
            continue;
        set->levels_.clear();
        set->labels_.clear();
        set->current_ = 0;
    }
}
