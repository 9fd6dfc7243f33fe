#pragma once

#include "levels/Level.h"

#include <vector>

class CSprite;

// What the board asks of the screen it lies on: the dialogs a placement may
// open.
class EditorBoardHost
{
public:
    virtual ~EditorBoardHost() = default;
    // Placing a tutorial marker asks for its text first; the marker is put
    // down by placeTutorialMarker once the text is known.
    virtual void openTutorialEntry(int x, int y, const char* text) = 0;
    virtual void showMessage(int title, int body, bool yesNo) = 0;
};

// A cell of the board (x = -1 and y = -1 for none).
struct EditorCell {
    int x = -1;
    int y = -1;
    bool exists() const { return x != -1; }
};

// The editor's board: the level being built and one sprite per element on
// it, kept consistent by the placement rules. Every edit goes through
// placeCursorType, which writes codes into the level and keeps the sprite
// layers, the two tubes and the teleport lists in step with it; after each
// change updateDynamics takes away whatever lost the terrain it needs.
//
// The tile layer holds one sprite per element; every cell of a grass or sand
// run points to the run's one sprite. A tube owns its lower cell and keeps
// the one above clear. Teleports stand on the border between two columns,
// indexed by border c = x + 1 (0 the board's left edge, 32 its right edge).
class CEditorBoard
{
public:
    CEditorBoard(CLevel& level, EditorBoardHost& host);
    ~CEditorBoard();
    CEditorBoard(const CEditorBoard&) = delete;
    CEditorBoard& operator=(const CEditorBoard&) = delete;

    // The one entry of every edit: the cursor's code applied to a cell.
    // With loading set the sprites of a level already in memory are made:
    // nobody is asked anything and the level is only written where the
    // rules rebuild a run.
    void placeCursorType(ElementCode code, int x, int y, bool loading);
    // The tutorial text entry closed with a text: the marker and its text.
    void placeTutorialMarker(int x, int y, const char* text);

    // Builds every board sprite from the level. What cannot stand where the
    // level puts it is dropped from the level, with a log line.
    void loadLevelSprites();
    // Every sprite gone and the level's cells emptied as the sprites go; the
    // level itself is not reset.
    void clearBoard();
    // Every board sprite deleted; the level stays as it is.
    void deleteGridSprites();

    // Layers are a bit set: 1 the tile layer, 2 the ladder layer.
    void eraseCell(int x, int y, int layers);
    void updateDynamics();

    // ---- What the board holds.
    CSprite* tileSprite(int x, int y) const;
    CSprite* ladderSprite(int x, int y) const;
    CSprite* teleportSprite(int border, int y) const;
    EditorCell tubeStart() const { return tubeStart_; }
    EditorCell tubeEnd() const { return tubeEnd_; }
    // Teleports of a colour as (border, row), in the order placed.
    const std::vector<EditorCell>& teleportList(int colour) const { return teleportLists_[colour]; }
    CLevel& level() { return level_; }

private:
    void createElementSprite(ElementCode code, int x, int y, int width, int height, bool loading);
    void createTileSprite(ElementCode code, int x, int y, int width, int height, bool loading);
    void createLadderPieces(int x, int y, int height, bool loading);
    void createTeleportSprite(ElementCode code, int x, int y, bool loading);
    void createPlatformSprite(int x, int y);
    void replaceTeleports(ElementCode code, int x, int y);
    void eraseTeleportHelper(int border, int y);
    void placeLadder(int x, int y, bool loading);
    void placeModifier(int x, int y, int32_t modifier, bool loading);
    void placeTube(ElementCode code, int x, int y, bool loading);
    void placeTeleport(ElementCode code, int x, int y, bool loading);
    bool teleportColourLimitReached(ElementCode code) const;
    void placeTerrainRun(ElementCode code, int x, int y, bool loading);
    void eraseTileSprite(int x, int y);
    void deleteTileSprite(CSprite* sprite);
    void updateCell(int x, int y);
    void updatePlatform(int x, int y);
    void updateTeleport(int border, int y);
    bool teleportBlocked(int border, int y) const;
    void dropGhosts();

    static bool inside(int x, int y) { return x >= 0 && x < LEVEL_WIDTH && y >= 0 && y < LEVEL_HEIGHT; }
    static int cell(int x, int y) { return x * LEVEL_HEIGHT + y; }

    CLevel& level_;
    EditorBoardHost& host_;
    CSprite* tiles_[LEVEL_CELLS] = {};
    CSprite* ladders_[LEVEL_CELLS] = {};
    CSprite* teleports_[(LEVEL_WIDTH + 1) * LEVEL_HEIGHT] = {};
    EditorCell tubeStart_;
    EditorCell tubeEnd_;
    std::vector<EditorCell> teleportLists_[TELEPORT_COLOURS];
    bool dirty_ = false;
};
