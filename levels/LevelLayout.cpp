#include "levels/LevelLayout.h"

#include "levels/Level.h"

namespace {

std::string named(ElementCode code)
{
    return elementCodeName(code);
}

// Codes that make an element when they stand in the tile layer.
bool isTileElement(ElementCode code)
{
    switch (code) {
    case EC_NONE:
    case EC_PLATFORM:
    case EC_DEVICE_TRAMPOLINE:
        return true;
    default:
        return isSmallElement(code) || isTerrainCode(code) || isGateCode(code) || isBotCode(code) ||
               isTubeCode(code);
    }
}

class LayoutChecker
{
public:
    explicit LayoutChecker(const CLevel& level) : level_(level) {}

    std::vector<LayoutProblem> run()
    {
        for (int y = 0; y < LEVEL_HEIGHT; ++y)
            for (int x = 0; x < LEVEL_WIDTH; ++x)
                checkCell(x, y);
        for (int colour = 0; colour < TELEPORT_COLOURS; ++colour)
            checkTeleports(colour);
        checkLevel();
        return std::move(problems_);
    }

private:
    void cellProblem(int x, int y, const std::string& message)
    {
        problems_.push_back({LayoutProblem::CELL, x, y, -1, -1, message});
    }

    void teleportProblem(int colour, int index, const std::string& message)
    {
        problems_.push_back({LayoutProblem::TELEPORT, -1, -1, colour, index, message});
    }

    void levelProblem(const std::string& message)
    {
        problems_.push_back({LayoutProblem::LEVEL, -1, -1, -1, -1, message});
    }

    bool terrain(int x, int y) const { return level_.IsTerrain(x, y); }

    void checkCell(int x, int y)
    {
        const ElementCode tile = level_.GetTile(x, y);
        const ElementCode ladder = level_.GetLadder(x, y);
        if (!isTileElement(tile)) {
            cellProblem(x, y, "the tile layer cannot hold code " + std::to_string(tile));
            return;
        }
        if (ladder != EC_NONE && ladder != EC_LADDER)
            cellProblem(x, y, "the ladder layer cannot hold code " + std::to_string(ladder));
        checkSupport(x, y, tile);
        checkLadder(x, y, tile, ladder != EC_NONE);
        checkModifier(x, y, tile);
        if (tile == EC_TUTORIAL && !level_.GetTutorialText(x, y))
            cellProblem(x, y, "TUTORIAL marker without a text");
    }

    void checkSupport(int x, int y, ElementCode tile)
    {
        if (isTubeCode(tile) && (y == 0 || level_.GetTile(x, y - 1) != EC_NONE))
            cellProblem(x, y, named(tile) + " needs the cell above it free");
        if ((isTubeCode(tile) || isButtonCode(tile) || tile == EC_DEVICE_TRAMPOLINE || tile == EC_BOT_LEFT ||
             tile == EC_BOT_RIGHT) &&
            !terrain(x, y + 1))
            cellProblem(x, y, named(tile) + " must stand on terrain");
        if (tile == EC_BOT_HANG && !terrain(x, y - 1))
            cellProblem(x, y, "BOT_HANG must hang below terrain");
    }

    // A ladder beside terrain carries a platform there, and only there.
    void checkLadder(int x, int y, ElementCode tile, bool ladder)
    {
        const bool besideTerrain = terrain(x - 1, y) || terrain(x + 1, y);
        if (tile == EC_PLATFORM && !(ladder && besideTerrain))
            cellProblem(x, y, "PLATFORM needs a ladder beside terrain");
        if (!ladder)
            return;
        if (besideTerrain && tile != EC_PLATFORM)
            cellProblem(x, y, "a ladder beside terrain must carry a PLATFORM");
        else if (tile != EC_NONE && tile != EC_PLATFORM && !isSmallElement(tile))
            cellProblem(x, y, named(tile) + " cannot share its cell with a ladder");
    }

    void checkModifier(int x, int y, ElementCode tile)
    {
        const int32_t modifier = level_.GetModifier(x, y);
        if (modifier == MODIFIER_FROZEN && !isFreezable(tile))
            cellProblem(x, y, named(tile) + " cannot be frozen");
        else if (modifier == MODIFIER_HEATED && !isHeatable(tile))
            cellProblem(x, y, named(tile) + " cannot be heated");
        else if (modifier != MODIFIER_NONE && modifier != MODIFIER_FROZEN && modifier != MODIFIER_HEATED)
            cellProblem(x, y, "no such modifier: " + std::to_string(modifier));
    }

    // The editor removes a teleport whose border is walled in or that has
    // nothing to stand on.
    bool teleportBlocked(int left, int y) const
    {
        const int right = left + 1;
        if (right == LEVEL_WIDTH)
            return (terrain(left, y) && !level_.IsBridge(left, y)) || !terrain(left, y + 1);
        return (terrain(left, y) && terrain(right, y)) || (terrain(left, y - 1) && terrain(right, y - 1)) ||
               (terrain(left, y + 1) && terrain(left, y) && !level_.IsBridge(left, y) && !terrain(right, y + 1)) ||
               (terrain(right, y + 1) && terrain(right, y) && !level_.IsBridge(right, y) && !terrain(left, y + 1)) ||
               (!terrain(left, y + 1) && !terrain(right, y + 1));
    }

    void checkTeleports(int colour)
    {
        const std::vector<TeleportSpot>& list = level_.GetTeleports(colour);
        for (size_t i = 0; i < list.size(); ++i) {
            const int index = static_cast<int>(i);
            if (i >= 2)
                teleportProblem(colour, index, "a colour has at most two teleports");
            if (level_.FindTeleport(list[i].x, list[i].y) != colour || firstIndexOf(colour, list[i]) != index)
                teleportProblem(colour, index, "a second teleport on the same border");
            if (teleportBlocked(list[i].x, list[i].y))
                teleportProblem(colour, index, "teleport walled in or without terrain below");
        }
        if (list.size() % 2 != 0)
            teleportProblem(colour, static_cast<int>(list.size()) - 1, "teleport without a partner");
    }

    int firstIndexOf(int colour, const TeleportSpot& spot) const
    {
        const std::vector<TeleportSpot>& list = level_.GetTeleports(colour);
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i] == spot)
                return static_cast<int>(i);
        return -1;
    }

    void checkLevel()
    {
        for (ElementCode tube : {EC_DEVICE_TUBE_START, EC_DEVICE_TUBE_END}) {
            int count = 0;
            for (int x = 0; x < LEVEL_WIDTH; ++x)
                for (int y = 0; y < LEVEL_HEIGHT; ++y)
                    count += level_.GetTile(x, y) == tube;
            if (count != 1)
                levelProblem("the level needs one " + named(tube) + ", it has " + std::to_string(count));
        }
        if (level_.CountTeleportColours() + level_.GetTeleportPowerupCount() > TELEPORT_COLOURS)
            levelProblem("more teleport colours and teleport power-ups than the three colours");
    }

    const CLevel& level_;
    std::vector<LayoutProblem> problems_;
};

} // namespace

std::vector<LayoutProblem> checkLevelLayout(const CLevel& level)
{
    return LayoutChecker(level).run();
}
