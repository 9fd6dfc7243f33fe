#include "levels/Level.h"

#include "engine/Log.h"

#include <algorithm>

CLevel::CLevel()
{
    logMessage(LOG_LEVEL, "Clearing level...\n");
    Reset();
}

void CLevel::Reset()
{
    name_.clear();
    file_.clear();
    heading_.clear();
    modified_ = false;
    recorded_ = false;
    ClearSolution();
    ResetReplay();
    background_ = DEFAULT_BACKGROUND;
    std::fill(std::begin(tiles_), std::end(tiles_), EC_NONE);
    std::fill(std::begin(ladders_), std::end(ladders_), EC_NONE);
    std::fill(std::begin(modifiers_), std::end(modifiers_), MODIFIER_NONE);
    tutorials_.clear();
    teleportPowerups_ = 0;
    for (std::vector<TeleportSpot>& list : teleports_)
        list.clear();
    ClearTeleportReservations();
}

void CLevel::SetHeading(const char* heading)
{
    heading_ = std::string(heading ? heading : "").substr(0, LEVEL_HEADING_MAX);
    modified_ = true;
}

// --- grid -----------------------------------------------------------------

ElementCode CLevel::GetTile(int x, int y) const
{
    return inside(x, y) ? tiles_[cell(x, y)] : EC_NONE;
}

void CLevel::SetTile(ElementCode code, int x, int y)
{
    modified_ = true;
    if (!inside(x, y))
        return;
    ElementCode& tile = tiles_[cell(x, y)];
    if (code == EC_POWERUP_TELEPORT)
        ++teleportPowerups_;
    if (tile == EC_POWERUP_TELEPORT)
        --teleportPowerups_;
    tile = code;
}

ElementCode CLevel::GetLadder(int x, int y) const
{
    return inside(x, y) ? ladders_[cell(x, y)] : EC_NONE;
}

void CLevel::SetLadder(ElementCode code, int x, int y)
{
    modified_ = true;
    if (inside(x, y))
        ladders_[cell(x, y)] = code;
}

int32_t CLevel::GetModifier(int x, int y) const
{
    return inside(x, y) ? modifiers_[cell(x, y)] : MODIFIER_NONE;
}

void CLevel::SetModifier(int32_t value, int x, int y)
{
    modified_ = true;
    if (inside(x, y))
        modifiers_[cell(x, y)] = value;
}

void CLevel::SetBackground(int background)
{
    background_ = background >= 0 && background < BACKGROUND_COUNT ? background : DEFAULT_BACKGROUND;
    modified_ = true;
}

CellRun CLevel::GetTileRun(ElementCode code, int x, int y) const
{
    CellRun run = {x, y, 1, 1};
    for (int right = x + 1; inside(right, y) && GetTile(right, y) == code; ++right)
        ++run.width;
    for (int left = x - 1; inside(left, y) && GetTile(left, y) == code; --left) {
        ++run.width;
        run.x = left;
    }
    return run;
}

CellRun CLevel::GetLadderRun(int x, int y) const
{
    CellRun run = {x, y, 1, 1};
    for (int down = y + 1; IsLadder(x, down); ++down)
        ++run.height;
    for (int up = y - 1; IsLadder(x, up); --up) {
        ++run.height;
        run.y = up;
    }
    return run;
}

bool CLevel::IsTerrain(int x, int y) const
{
    return inside(x, y) && isTerrainCode(GetTile(x, y));
}

bool CLevel::IsLadder(int x, int y) const
{
    return inside(x, y) && GetLadder(x, y) != EC_NONE;
}

bool CLevel::IsPlatform(int x, int y) const
{
    return inside(x, y) && GetTile(x, y) == EC_PLATFORM;
}

bool CLevel::IsBot(int x, int y) const
{
    return inside(x, y) && isBotCode(GetTile(x, y));
}

bool CLevel::IsBridge(int x, int y) const
{
    return inside(x, y) && GetTile(x, y) == EC_TERRAIN_BRIDGE;
}

bool CLevel::IsGate(int x, int y) const
{
    return inside(x, y) && isGateCode(GetTile(x, y));
}

// --- teleports --------------------------------------------------------------

void CLevel::SetTeleport(ElementCode code, int x, int y)
{
    int colour = teleportColourOfCode(code);
    if (colour < 0) {
        logMessage(LOG_ERROR, "CLevel::SetTeleport()   Not a teleport code:  %i\n", code);
        return;
    }
    modified_ = true;
    if (!onTeleportBorder(x, y))
        return;
    logMessage(LOG_LEVEL, "CLevel::SetTeleport()   Creating teleport at (%i,%i)\n", x, y);
    teleports_[colour].push_back({x, y});
}

void CLevel::EraseTeleport(int x, int y)
{
    logMessage(LOG_LEVEL, "CLevel::EraseTeleport()   Checking for teleport at (%i,%i)\n", x, y);
    for (std::vector<TeleportSpot>& list : teleports_) {
        auto found = std::find(list.begin(), list.end(), TeleportSpot{x, y});
        if (found != list.end()) {
            logMessage(LOG_LEVEL, "CLevel::EraseTeleport()   * Found teleport at (%i,%i)\n", x, y);
            list.erase(found);
            modified_ = true;
            return;
        }
    }
}

int CLevel::FindTeleport(int x, int y) const
{
    if (!onTeleportBorder(x, y))
        return -1;
    for (int colour = 0; colour < TELEPORT_COLOURS; ++colour) {
        const std::vector<TeleportSpot>& list = teleports_[colour];
        if (std::find(list.begin(), list.end(), TeleportSpot{x, y}) != list.end())
            return colour;
    }
    return -1;
}

const std::vector<TeleportSpot>& CLevel::GetTeleports(int colour) const
{
    static const std::vector<TeleportSpot> none;
    return colour >= 0 && colour < TELEPORT_COLOURS ? teleports_[colour] : none;
}

bool CLevel::HasTeleports(ElementCode code) const
{
    return !GetTeleports(teleportColourOfCode(code)).empty();
}

int CLevel::CountTeleportColours() const
{
    return static_cast<int>(std::count_if(std::begin(teleports_), std::end(teleports_),
                                          [](const std::vector<TeleportSpot>& list) { return !list.empty(); }));
}

bool CLevel::AreTeleportsPaired() const
{
    return std::all_of(std::begin(teleports_), std::end(teleports_),
                       [](const std::vector<TeleportSpot>& list) { return list.size() % 2 == 0; });
}

// Hands a teleport power-up a colour no teleport device of the level uses,
// and no other power-up of this build took.
int CLevel::ReserveTeleportColour()
{
    for (int colour = 0; colour < TELEPORT_COLOURS; ++colour) {
        if (teleports_[colour].empty() && !reserved_[colour]) {
            reserved_[colour] = true;
            return colour;
        }
    }
    logMessage(LOG_LEVEL, "*** Warning:  Teleport powerup defined, but not typeID's available\n");
    return 0;
}

void CLevel::ClearTeleportReservations()
{
    std::fill(std::begin(reserved_), std::end(reserved_), false);
}

void CLevel::PrintTeleports() const
{
    const char* line = "---------------------------------------\n";
    logMessage(LOG_LEVEL, "%s", line);
    for (int colour = 0; colour < TELEPORT_COLOURS; ++colour) {
        const std::vector<TeleportSpot>& list = teleports_[colour];
        logMessage(LOG_LEVEL, "Teleport Type %i  (count=%i)\n", colour, static_cast<int>(list.size()));
        for (size_t i = 0; i < list.size(); ++i)
            logMessage(LOG_LEVEL, "   #%i   (%i,%i)\n", static_cast<int>(i + 1), list[i].x, list[i].y);
    }
    logMessage(LOG_LEVEL, "%s", line);
}

// --- tutorial texts ---------------------------------------------------------

void CLevel::SetTutorialText(int x, int y, const char* text)
{
    if (!inside(x, y))
        return;
    if (text)
        tutorials_[cell(x, y)] = text;
    else
        tutorials_.erase(cell(x, y));
    modified_ = true;
}

const char* CLevel::GetTutorialText(int x, int y) const
{
    if (!inside(x, y))
        return nullptr;
    auto found = tutorials_.find(cell(x, y));
    return found == tutorials_.end() ? nullptr : found->second.c_str();
}

void CLevel::RemoveTutorialText(int x, int y)
{
    if (!inside(x, y) || !tutorials_.erase(cell(x, y)))
        return;
    modified_ = true;
}

// --- solution ---------------------------------------------------------------

void CLevel::AddReplayKey(int32_t frame, int32_t key, bool released)
{
    logMessage(LOG_STACK, "CLevel::AddReplayKey(%i,%i,%i)\n", frame, key, released ? 1 : 0);
    solution_.push_back({frame, key, released});
}

void CLevel::EraseSolutionAfter(int32_t frame)
{
    auto first = std::find_if(solution_.begin(), solution_.end(),
                              [frame](const ReplayKey& key) { return key.frame >= frame; });
    if (first == solution_.end())
        return;
    logMessage(LOG_DEBUG, "Erasing all after frame %i  (key:%i)\n", frame, first->key);
    solution_.erase(first, solution_.end());
}

void CLevel::ClearSolution()
{
    logMessage(LOG_STACK, "CLevel::ClearSolution()\n");
    if (recorded_)
        modified_ = true;
    recorded_ = false;
    solution_.clear();
}

void CLevel::SetSolutionRecorded()
{
    logMessage(LOG_STACK, "CLevel::SetSolutionRecorded()\n");
    recorded_ = true;
    modified_ = true;
}

bool CLevel::IsSolutionRecorded() const
{
    logMessage(LOG_STACK, "CLevel::IsSolutionRecorded()\n");
    return recorded_;
}

void CLevel::ResetReplay()
{
    logMessage(LOG_STACK, "CLevel::ResetReplay()\n");
    replayCursor_ = 0;
}

ReplayKey CLevel::GetReplayKey() const
{
    if (replayCursor_ < 0 || static_cast<size_t>(replayCursor_) >= solution_.size())
        return ReplayKey();
    return solution_[static_cast<size_t>(replayCursor_)];
}

bool CLevel::AdvanceReplay()
{
    logMessage(LOG_STACK, "CLevel::AdvanceReplay()\n");
    const int count = static_cast<int>(solution_.size());
    if (replayCursor_ + 1 < count) {
        ++replayCursor_;
        return true;
    }
    replayCursor_ = count - 1;
    return false;
}

void CLevel::PrintSolution() const
{
    logMessage(LOG_LEVEL, "   %10s  |  %4s  |  %s\n", "Frame", "Key", "Released");
    for (const ReplayKey& key : solution_)
        logMessage(LOG_LEVEL, "   %10i  |  %4i  |  %i\n", key.frame, key.key, key.released ? 1 : 0);
}
