#pragma once

#include "levels/ElementCodes.h"

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <vector>

// The board: column x 0..31, row y 0..23, cell index x * 24 + y.
constexpr int LEVEL_WIDTH = 32;
constexpr int LEVEL_HEIGHT = 24;
constexpr int LEVEL_CELLS = LEVEL_WIDTH * LEVEL_HEIGHT;

constexpr int TELEPORT_COLOURS = 3; // 0 blue, 1 yellow, 2 red
constexpr int BACKGROUND_COUNT = 8;
constexpr int DEFAULT_BACKGROUND = 4;
constexpr size_t LEVEL_HEADING_MAX = 32; // characters; the file keeps 33 bytes
constexpr size_t TUTORIAL_TEXT_MAX = 250; // characters, as the editor writes them

// The level file. Integers are 32-bit little-endian.
constexpr uint32_t LEVEL_TYPE_MASK = 0x70700e;
constexpr uint32_t LEVEL_TYPE_GAME = 0x202004;
constexpr uint32_t LEVEL_TYPE_DEMO = 0x101002;
constexpr uint32_t LEVEL_TYPE_CUSTOM = 0x404008;
constexpr uint32_t LEVEL_TYPE_ALPHA = 0x50500a;
constexpr uint32_t LEVEL_ID_NOISE_MASK = 0x8f8ff1;
constexpr int32_t LEVEL_FILE_VERSION = 8;
constexpr int32_t LEVEL_OLDEST_VERSION = 5; // older levels must be converted first
constexpr size_t LEVEL_FILE_HEADING_OFFSET = 4;
constexpr size_t LEVEL_FILE_HEADING_SIZE = 33;
constexpr size_t LEVEL_FILE_LADDER_OFFSET = 37;
constexpr size_t LEVEL_FILE_TILE_OFFSET = 3109;
constexpr size_t LEVEL_FILE_TELEPORT_OFFSET = 6181;
constexpr size_t LEVEL_FILE_MIN_SIZE = 6205; // no teleports, bubbles or keys
constexpr size_t LEVEL_FILE_MAX_SIZE = 16u << 20;

// Why the last load of a level failed, as far as the file tells.
enum class LevelLoadFailure {
    None,         // loaded
    OlderVersion, // a level type of ours, of a version the reader refuses
    NewerVersion, // a level type of ours, of a later version, that did not read
    Damaged,      // missing, unreadable, or no level at all
};

// One recorded key event of a solution.
struct ReplayKey {
    int32_t frame = -1; // frames since the level's start
    int32_t key = 0;    // SDL key code
    bool released = false;
};

// A teleport stands on the border between columns x and x + 1 of row y, so
// x runs from -1 (the board's left edge) to 31 (its right edge).
struct TeleportSpot {
    int32_t x;
    int32_t y;
    bool operator==(const TeleportSpot& other) const { return x == other.x && y == other.y; }
};

// A horizontal run of tiles or a vertical run of ladder pieces.
struct CellRun {
    int x;
    int y;
    int width;
    int height;
};

// One level: its name and heading, the tile, ladder and modifier layers,
// the teleport lists, tutorial texts, background and recorded solution.
class CLevel
{
public:
    CLevel();

    // Empties the level: no name, heading or solution, background 4, every
    // cell empty. Type and version stay.
    void Reset();

    // Grid access. Reads outside the board give NONE (modifier 0, predicates
    // false); writes outside are ignored but still mark the level modified.
    ElementCode GetTile(int x, int y) const;
    void SetTile(ElementCode code, int x, int y);
    ElementCode GetLadder(int x, int y) const;
    void SetLadder(ElementCode code, int x, int y);
    int32_t GetModifier(int x, int y) const;
    void SetModifier(int32_t value, int x, int y);
    int GetBackground() const { return background_; }
    // Only backgrounds 0..7 exist; any other number gives the default.
    void SetBackground(int background);

    CellRun GetTileRun(ElementCode code, int x, int y) const;
    CellRun GetLadderRun(int x, int y) const;
    bool IsTerrain(int x, int y) const;
    bool IsLadder(int x, int y) const;
    bool IsPlatform(int x, int y) const;
    bool IsBot(int x, int y) const;
    bool IsBridge(int x, int y) const;
    bool IsGate(int x, int y) const;
    static const char* GetElementName(ElementCode code) { return elementCodeName(code); }

    // Teleports, kept per colour in the order they were added.
    void SetTeleport(ElementCode code, int x, int y);
    void EraseTeleport(int x, int y);
    int FindTeleport(int x, int y) const;
    const std::vector<TeleportSpot>& GetTeleports(int colour) const;
    bool HasTeleports(ElementCode code) const;
    int CountTeleportColours() const;
    bool AreTeleportsPaired() const;
    int ReserveTeleportColour();
    void ClearTeleportReservations();
    int GetTeleportPowerupCount() const { return teleportPowerups_; }
    void PrintTeleports() const;

    // Tutorial texts by cell (copied; null for none). Outside the board
    // nothing is stored and nothing is found.
    void SetTutorialText(int x, int y, const char* text);
    const char* GetTutorialText(int x, int y) const;
    void RemoveTutorialText(int x, int y);

    // The recorded solution and its replay cursor.
    void AddReplayKey(int32_t frame, int32_t key, bool released);
    void EraseSolutionAfter(int32_t frame);
    void ClearSolution();
    void SetSolutionRecorded();
    bool IsSolutionRecorded() const;
    void ResetReplay();
    ReplayKey GetReplayKey() const;
    bool AdvanceReplay();
    // The replay cursor as a position in the solution, for a run that is
    // saved and taken up again later.
    int GetReplayCursor() const { return replayCursor_; }
    void SetReplayCursor(int cursor) { replayCursor_ = cursor; }
    const std::vector<ReplayKey>& GetSolution() const { return solution_; }
    void PrintSolution() const;

    // The full file name, never cut; the heading at most 32 characters.
    const char* GetFilename() const { return name_.c_str(); }
    const char* GetLevelHeading() const { return heading_.c_str(); }
    void SetHeading(const char* heading);
    int32_t GetVersion() const { return version_; }
    int32_t GetLevelType() const { return type_; }
    void SetModified(bool modified) { modified_ = modified; }
    bool IsModified() const { return modified_; }

    // The level file "<level folder>/<name>.lvl", its extension in any case
    // ("Cave.LVL" is the level "Cave"). Save writes a temporary file and
    // renames it over the file the level was loaded from or last saved to
    // (else over its name's file): on failure the old file and the modified
    // flag stay and the answer is false.
    bool Save();
    // A new name is kept to NAME_LENGTH_MAX characters where it is typed
    // (the editor's save dialog); a longer one is refused here, never cut,
    // and nothing is written. Files found on disk keep whatever name they
    // have.
    static constexpr size_t NAME_LENGTH_MAX = 16;
    bool SaveAs(const char* name, const char* heading);

    // Reads a level body; on a damaged, truncated or legacy body the level
    // is left reset and the answer is false.
    bool Load(const char* name, FILE* stream);
    bool LoadBytes(const char* name, const unsigned char* bytes, size_t size);
    bool LoadFile(const char* name);
    LevelLoadFailure GetLoadFailure() const { return loadFailure_; }

    // The level body as the file holds it. The ID carries idNoise in the
    // bits outside the type mask (Save uses a random number; tools use 0).
    std::vector<unsigned char> ToBytes(uint32_t idNoise) const;

    // The file of a level name: the one on disk, whatever the case of its
    // extension, else the name with ".lvl".
    static std::string GetPath(const char* name);
    // A name that makes a file inside the level folder.
    static bool IsValidName(const char* name);
    // A file of the level folder that holds a level: its name ends in
    // ".lvl" in any case.
    static bool IsLevelFileName(const std::string& fileName);
    static std::string GetHeading(const char* name);
    static time_t GetFileTime(const char* name); // 0 when the file is missing
    static bool Remove(const char* name);

private:
    static bool inside(int x, int y) { return x >= 0 && x < LEVEL_WIDTH && y >= 0 && y < LEVEL_HEIGHT; }
    static bool onTeleportBorder(int x, int y) { return x >= -1 && x < LEVEL_WIDTH && y >= 0 && y < LEVEL_HEIGHT; }
    static int cell(int x, int y) { return x * LEVEL_HEIGHT + y; }
    LevelLoadFailure readBody(const char* name, const unsigned char* bytes, size_t size);

    int32_t type_ = LEVEL_TYPE_CUSTOM;
    int32_t version_ = LEVEL_FILE_VERSION;
    LevelLoadFailure loadFailure_ = LevelLoadFailure::None;
    std::string name_;
    // The path of the file the level was loaded from or saved to; empty
    // for a level that never touched one.
    std::string file_;
    std::string heading_;
    int background_ = DEFAULT_BACKGROUND;
    int32_t modifiers_[LEVEL_CELLS];
    ElementCode tiles_[LEVEL_CELLS];
    ElementCode ladders_[LEVEL_CELLS];
    std::vector<TeleportSpot> teleports_[TELEPORT_COLOURS];
    // By cell: few cells of a level have one, and every built-in level stays
    // in memory for the whole run.
    std::map<int, std::string> tutorials_;
    int teleportPowerups_ = 0;
    bool reserved_[TELEPORT_COLOURS] = {false, false, false};
    std::vector<ReplayKey> solution_;
    bool recorded_ = false;
    int replayCursor_ = 0;
    bool modified_ = false;
};
