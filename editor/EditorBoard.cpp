#include "editor/EditorBoard.h"

#include "editor/EditorPictures.h"
#include "engine/Log.h"
#include "engine/Sprite.h"
#include "text/TextIds.h"

#include <algorithm>
#include <string>

namespace {

constexpr int LAYER_TILE = 1;
constexpr int LAYER_LADDER = 2;
constexpr int LAYER_BOTH = LAYER_TILE | LAYER_LADDER;
constexpr int BORDERS = LEVEL_WIDTH + 1;

const char* const TILE_SPRITE_NAME = "Editor Tile Sprite";

CSprite* makeBoardSprite(const EditorPicture& picture, int kind, int tileW, int tileH, int x, int y)
{
    CSprite* sprite = new CSprite(picture.originX, picture.originY, kind, 0, false, tileW, tileH);
    sprite->addFrame(picture.image);
    sprite->setName(TILE_SPRITE_NAME);
    sprite->setLocation(x * 24, y * 24, false);
    sprite->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    return sprite;
}

bool isTerrainRunCode(ElementCode code) { return code == EC_TERRAIN_GRASS || code == EC_TERRAIN_SAND; }

// Buttons, the trampoline and the tubes stand on terrain.
bool needsGround(ElementCode code)
{
    return isButtonCode(code) || code == EC_DEVICE_TRAMPOLINE || isTubeCode(code);
}

} // namespace

CEditorBoard::CEditorBoard(CLevel& level, EditorBoardHost& host) : level_(level), host_(host) {}

CEditorBoard::~CEditorBoard() { deleteGridSprites(); }

CSprite* CEditorBoard::tileSprite(int x, int y) const { return inside(x, y) ? tiles_[cell(x, y)] : nullptr; }

CSprite* CEditorBoard::ladderSprite(int x, int y) const { return inside(x, y) ? ladders_[cell(x, y)] : nullptr; }

CSprite* CEditorBoard::teleportSprite(int border, int y) const
{
    if (border < 0 || border >= BORDERS || y < 0 || y >= LEVEL_HEIGHT)
        return nullptr;
    return teleports_[border * LEVEL_HEIGHT + y];
}

// ---- placement ------------------------------------------------------------

void CEditorBoard::placeCursorType(ElementCode code, int x, int y, bool loading)
{
    switch (code) {
    case EC_NONE:
        eraseCell(x, y, LAYER_BOTH);
        // A teleport on either border of the cell, standing in this row or
        // the one below (it reaches up into this cell), goes too.
        eraseTeleportHelper(x + 1, y);
        eraseTeleportHelper(x, y);
        eraseTeleportHelper(x, y + 1);
        eraseTeleportHelper(x + 1, y + 1);
        dirty_ = true;
        break;
    case EC_FREEZE_MODE:
        placeModifier(x, y, MODIFIER_FROZEN, loading);
        break;
    case EC_HEAT_MODE:
        placeModifier(x, y, MODIFIER_HEATED, loading);
        break;
    case EC_TUTORIAL:
        if (loading)
            createElementSprite(EC_TUTORIAL, x, y, 1, 1, true);
        else
            host_.openTutorialEntry(x, y, level_.GetTutorialText(x, y));
        break;
    case EC_DEVICE_TUBE_START:
    case EC_DEVICE_TUBE_END:
        placeTube(code, x, y, loading);
        break;
    case EC_DEVICE_BUTTON_B:
    case EC_DEVICE_BUTTON_Y:
    case EC_DEVICE_BUTTON_R:
    case EC_DEVICE_TRAMPOLINE:
        if (level_.IsTerrain(x, y + 1))
            createElementSprite(code, x, y, 1, 1, loading);
        break;
    case EC_PALETTE_BOT: {
        ElementCode bot = EC_BOT_HANG;
        if (level_.IsTerrain(x, y + 1))
            bot = level_.GetTile(x, y) == EC_BOT_LEFT ? EC_BOT_RIGHT : EC_BOT_LEFT;
        createElementSprite(bot, x, y, 1, 1, loading);
        break;
    }
    case EC_POWERUP_TELEPORT:
        if (!loading && level_.CountTeleportColours() + level_.GetTeleportPowerupCount() > 2)
            host_.showMessage(TEXT_TELEPORTS_TITLE, TEXT_TOO_MANY_COLOURS_BODY, false);
        else
            createElementSprite(code, x, y, 1, 1, loading);
        break;
    case EC_TERRAIN_GRASS:
    case EC_TERRAIN_SAND:
        placeTerrainRun(code, x, y, loading);
        break;
    case EC_LADDER:
        placeLadder(x, y, loading);
        break;
    case EC_DEVICE_LTELEPORT_B:
    case EC_DEVICE_LTELEPORT_Y:
    case EC_DEVICE_LTELEPORT_R:
        placeTeleport(code, x, y, loading);
        break;
    case EC_PLATFORM:
        if (loading) {
            createPlatformSprite(x, y);
            break;
        }
        [[fallthrough]];
    default:
        if (editorElementPicture(code) && !needsGround(code))
            createElementSprite(code, x, y, 1, 1, loading);
        else
            logMessage(LOG_EDITOR, "WARNING:  Select cursor type (%i) has not been defined!!!\n", code);
        break;
    }
    if (dirty_) {
        updateDynamics();
        dirty_ = false;
    }
}

void CEditorBoard::placeTutorialMarker(int x, int y, const char* text)
{
    createElementSprite(EC_TUTORIAL, x, y, 1, 1, false);
    level_.SetTutorialText(x, y, text);
    if (dirty_) {
        updateDynamics();
        dirty_ = false;
    }
}

void CEditorBoard::placeModifier(int x, int y, int32_t modifier, bool loading)
{
    ElementCode tile = level_.GetTile(x, y);
    bool applies = modifier == MODIFIER_FROZEN ? isFreezable(tile) : isHeatable(tile);
    if (!applies || !tileSprite(x, y))
        return;
    logMessage(LOG_EDITOR, modifier == MODIFIER_FROZEN ? "CControllerEditor::freezeElement(%i,%i,%i)\n"
                                                       : "CControllerEditor::heatElement(%i,%i,%i)\n",
               x, y, loading);
    deleteTileSprite(tileSprite(x, y));
    level_.SetModifier(modifier, x, y);
    createElementSprite(tile, x, y, 1, 1, loading);
}

void CEditorBoard::placeTube(ElementCode code, int x, int y, bool loading)
{
    if (!level_.IsTerrain(x, y + 1))
        return;
    EditorCell& tube = code == EC_DEVICE_TUBE_START ? tubeStart_ : tubeEnd_;
    if (tube.exists())
        eraseCell(tube.x, tube.y, LAYER_TILE);
    tube = {x, y};
    createElementSprite(code, x, y - 1, 1, 2, loading);
}

bool CEditorBoard::teleportColourLimitReached(ElementCode code) const
{
    return level_.CountTeleportColours() + level_.GetTeleportPowerupCount() > 2 && !level_.HasTeleports(code);
}

void CEditorBoard::placeTeleport(ElementCode code, int x, int y, bool loading)
{
    if (teleportColourLimitReached(code)) {
        if (!loading)
            host_.showMessage(TEXT_TELEPORTS_TITLE, TEXT_TOO_MANY_COLOURS_BODY, false);
        return;
    }
    if (!level_.IsTerrain(x, y + 1) && !level_.IsTerrain(x + 1, y + 1))
        return;
    createElementSprite(code, x, y - 1, 2, 2, loading);
}

void CEditorBoard::placeTerrainRun(ElementCode code, int x, int y, bool loading)
{
    if (!loading) {
        if (level_.GetTile(x, y) == code)
            return;
        eraseCell(x, y, LAYER_BOTH);
    }
    // The run is always written back, also while loading: a level whose
    // cells were stored one by one comes out as whole runs.
    CellRun run = level_.GetTileRun(code, x, y);
    createElementSprite(code, run.x, y, run.width, 1, false);
}

void CEditorBoard::placeLadder(int x, int y, bool loading)
{
    if (!loading) {
        if (level_.GetLadder(x, y) != EC_NONE)
            return;
        if (!isSmallElement(level_.GetTile(x, y)))
            eraseCell(x, y, LAYER_TILE);
    }
    // The new piece joins the ladders above and below: the whole ladder is
    // made again with one top and one bottom piece.
    CellRun run = level_.GetLadderRun(x, y);
    createElementSprite(EC_LADDER, x, run.y, 1, run.height, false);
}

// ---- sprites --------------------------------------------------------------

void CEditorBoard::createElementSprite(ElementCode code, int x, int y, int width, int height, bool loading)
{
    logMessage(LOG_EDITOR, "CControllerEditor::createElementSprite(%i,%i,%i,%i,%i,%i)\n", code, x, y, width, height,
               loading);
    if (!loading) {
        int layers = code == EC_LADDER ? LAYER_LADDER : isSmallElement(code) ? LAYER_TILE : LAYER_BOTH;
        for (int column = x; column < x + width; ++column)
            for (int row = y; row < y + height; ++row)
                if (column >= 0 && column < LEVEL_WIDTH)
                    eraseCell(column, row, layers);
        dirty_ = true;
    }
    if (isTubeCode(code))
        createTileSprite(code, x, y + 1, 1, 1, loading);
    else if (code == EC_LADDER)
        createLadderPieces(x, y, height, loading);
    else if (teleportColourOfCode(code) >= 0)
        createTeleportSprite(code, x, y + 1, loading);
    else
        createTileSprite(code, x, y, width, height, loading);
}

void CEditorBoard::createTileSprite(ElementCode code, int x, int y, int width, int height, bool loading)
{
    const EditorElementPicture* element = editorElementPicture(code);
    CSprite* sprite = nullptr;
    if (element && inside(x, y)) {
        std::string nameStore;
        EditorPicture picture = editorPictureFor(*element, level_.GetModifier(x, y), width, nameStore);
        int tileW = isTerrainRunCode(code) ? width : 1;
        sprite = makeBoardSprite(picture, element->kind, tileW, 1, x, y);
    }
    for (int column = x; column < x + width; ++column)
        for (int row = y; row < y + height; ++row) {
            if (!inside(column, row))
                continue;
            if (sprite)
                tiles_[cell(column, row)] = sprite;
            if (!loading)
                level_.SetTile(code, column, row);
        }
}

void CEditorBoard::createLadderPieces(int x, int y, int height, bool loading)
{
    for (int index = 0; index < height; ++index) {
        int row = y + index;
        if (!inside(x, row))
            continue;
        ladders_[cell(x, row)] = makeBoardSprite(editorLadderPiece(index, height), KIND_EDITOR_LADDER, 1, 1, x, row);
        if (!loading)
            level_.SetLadder(EC_LADDER, x, row);
    }
}

void CEditorBoard::createPlatformSprite(int x, int y)
{
    if (inside(x, y))
        tiles_[cell(x, y)] = makeBoardSprite(editorPlatformPicture(), KIND_LADDER_PLATFORM, 1, 1, x, y);
}

void CEditorBoard::createTeleportSprite(ElementCode code, int x, int y, bool loading)
{
    logMessage(LOG_EDITOR, "CControllerEditor::createTeleportSprite(%i,%i,%i,%i)\n", code, x, y, loading);
    replaceTeleports(code, x, y + 1);
    int colour = teleportColourOfCode(code);
    int border = x + 1;
    CSprite* sprite = makeBoardSprite(editorTeleportPicture(colour), KIND_EDITOR_TELEPORT, 1, 2, x, y);
    logMessage(LOG_EDITOR, "CControllerEditor::createTeleportSprite()   Appending new teleport location at (%i,%i)\n",
               border, y);
    teleportLists_[colour].push_back({border, y});
    teleports_[border * LEVEL_HEIGHT + y] = sprite;
    if (!loading)
        level_.SetTeleport(code, x, y);
}

void CEditorBoard::replaceTeleports(ElementCode code, int x, int y)
{
    eraseTeleportHelper(x + 1, y);
    if (y > 0)
        eraseTeleportHelper(x + 1, y - 1);
    // A colour pairs two teleports: a third takes the place of the second.
    std::vector<EditorCell>& list = teleportLists_[teleportColourOfCode(code)];
    if (list.size() > 1) {
        EditorCell second = list[1];
        logMessage(LOG_EDITOR, "CControllerEditor::replaceTeleports()   Deleting last teleport at (%i,%i)\n",
                   second.x, second.y);
        eraseTeleportHelper(second.x, second.y);
    }
}

void CEditorBoard::eraseTeleportHelper(int border, int y)
{
    CSprite* sprite = teleportSprite(border, y);
    if (!sprite)
        return;
    logMessage(LOG_EDITOR, "CControllerEditor::eraseTeleportHelper()   * Erasing teleport sprite at (%i,%i)\n",
               border, y);
    delete sprite;
    teleports_[border * LEVEL_HEIGHT + y] = nullptr;
    level_.EraseTeleport(border - 1, y);
    for (int colour = 0; colour < TELEPORT_COLOURS; ++colour) {
        std::vector<EditorCell>& list = teleportLists_[colour];
        auto found = std::find_if(list.begin(), list.end(),
                                  [&](const EditorCell& spot) { return spot.x == border && spot.y == y; });
        if (found != list.end()) {
            logMessage(LOG_EDITOR, "CControllerEditor::eraseTeleportHelper()   * Erasing teleport location of type %i\n",
                       colour);
            list.erase(found);
            return;
        }
    }
}

// ---- erasing --------------------------------------------------------------

void CEditorBoard::deleteTileSprite(CSprite* sprite)
{
    for (CSprite*& slot : tiles_)
        if (slot == sprite)
            slot = nullptr;
    delete sprite;
}

void CEditorBoard::eraseCell(int x, int y, int layers)
{
    if (!inside(x, y))
        return;
    if ((layers & LAYER_TILE) && tiles_[cell(x, y)])
        eraseTileSprite(x, y);
    CSprite*& ladder = ladders_[cell(x, y)];
    if ((layers & LAYER_LADDER) && ladder) {
        delete ladder;
        ladder = nullptr;
        level_.SetLadder(EC_NONE, x, y);
    }
}

void CEditorBoard::eraseTileSprite(int x, int y)
{
    CSprite* sprite = tiles_[cell(x, y)];
    ElementCode code = level_.GetTile(x, y);
    if (code == EC_DEVICE_TUBE_START)
        tubeStart_ = {};
    else if (code == EC_DEVICE_TUBE_END)
        tubeEnd_ = {};
    else if (code == EC_TUTORIAL)
        level_.RemoveTutorialText(x, y);
    if (isTerrainRunCode(code)) {
        // Cutting a run leaves the pieces on either side as runs of their own.
        deleteTileSprite(sprite);
        level_.SetModifier(MODIFIER_NONE, x, y);
        level_.SetTile(EC_NONE, x, y);
        for (int side : {x - 1, x + 1})
            if (level_.GetTile(side, y) == code && !tileSprite(side, y)) {
                CellRun run = level_.GetTileRun(code, side, y);
                createElementSprite(code, run.x, y, run.width, 1, false);
            }
        return;
    }
    for (int column = 0; column < LEVEL_WIDTH; ++column)
        for (int row = 0; row < LEVEL_HEIGHT; ++row)
            if (tiles_[cell(column, row)] == sprite) {
                tiles_[cell(column, row)] = nullptr;
                level_.SetTile(EC_NONE, column, row);
                level_.SetModifier(MODIFIER_NONE, column, row);
            }
    delete sprite;
}

// ---- the terrain rules ----------------------------------------------------

void CEditorBoard::updateDynamics()
{
    for (int y = 0; y < LEVEL_HEIGHT; ++y) {
        for (int x = 0; x < LEVEL_WIDTH; ++x) {
            updateCell(x, y);
            updatePlatform(x, y);
            updateTeleport(x, y);
        }
        updateTeleport(LEVEL_WIDTH, y);
    }
}

void CEditorBoard::updateCell(int x, int y)
{
    ElementCode tile = level_.GetTile(x, y);
    const char* why = nullptr;
    if (needsGround(tile) && !level_.IsTerrain(x, y + 1))
        why = "CControllerEditor::updateDynamics()      * Erasing terrain-dependent tile (%s)\n";
    else if (tile == EC_BOT_HANG && !level_.IsTerrain(x, y - 1))
        why = "CControllerEditor::updateDynamics()      * Erasing terrain-dependent hanging bot (%s)\n";
    else if ((tile == EC_BOT_LEFT || tile == EC_BOT_RIGHT) && !level_.IsTerrain(x, y + 1))
        why = "CControllerEditor::updateDynamics()      * Erasing terrain-dependent grounded bot (%s)\n";
    else if (isTubeCode(tile) && level_.GetTile(x, y - 1) != EC_NONE)
        why = "CControllerEditor::updateDynamics()      * Erasing height-restricted tile (%s)\n";
    if (why && tileSprite(x, y)) {
        logMessage(LOG_EDITOR, why, CLevel::GetElementName(tile));
        eraseCell(x, y, LAYER_TILE);
    }
}

void CEditorBoard::updatePlatform(int x, int y)
{
    bool wanted = level_.IsLadder(x, y) && (level_.IsTerrain(x - 1, y) || level_.IsTerrain(x + 1, y));
    bool present = level_.GetTile(x, y) == EC_PLATFORM;
    if (wanted && !present) {
        logMessage(LOG_EDITOR, "   * Place Platform at (%i,%i)\n", x, y);
        eraseCell(x, y, LAYER_TILE);
        level_.SetTile(EC_PLATFORM, x, y);
        createPlatformSprite(x, y);
    } else if (!wanted && present) {
        logMessage(LOG_EDITOR, "   * Remove existing platform at (%i,%i)\n", x, y);
        level_.SetTile(EC_NONE, x, y);
        deleteTileSprite(tileSprite(x, y));
    }
}

bool CEditorBoard::teleportBlocked(int border, int y) const
{
    int left = border - 1, right = border;
    auto terrain = [this](int x, int row) { return level_.IsTerrain(x, row); };
    if (border == LEVEL_WIDTH)
        return (terrain(left, y) && !level_.IsBridge(left, y)) || !terrain(left, y + 1);
    if (terrain(left, y) && terrain(right, y))
        return true;
    if (terrain(left, y - 1) && terrain(right, y - 1))
        return true;
    if (terrain(left, y + 1) && terrain(left, y) && !level_.IsBridge(left, y) && !terrain(right, y + 1))
        return true;
    if (terrain(right, y + 1) && terrain(right, y) && !level_.IsBridge(right, y) && !terrain(left, y + 1))
        return true;
    return !terrain(left, y + 1) && !terrain(right, y + 1);
}

void CEditorBoard::updateTeleport(int border, int y)
{
    if (!teleportSprite(border, y) || !teleportBlocked(border, y))
        return;
    logMessage(LOG_EDITOR, "   * Removing teleport at (%i,%i) due to terrain blocking or lack of terrain support\n",
               border, y);
    eraseTeleportHelper(border, y);
}

// ---- the whole board ------------------------------------------------------

void CEditorBoard::loadLevelSprites()
{
    tubeStart_ = {};
    tubeEnd_ = {};
    for (std::vector<EditorCell>& list : teleportLists_)
        list.clear();
    for (int x = 0; x < LEVEL_WIDTH; ++x)
        for (int y = 0; y < LEVEL_HEIGHT; ++y) {
            if (level_.IsLadder(x, y)) {
                logMessage(LOG_EDITOR, "CControllerEditor::loadLevelSprites()      (%i,%i)  Creating ladder sprite\n",
                           x, y);
                placeCursorType(EC_LADDER, x, y, true);
            }
            ElementCode tile = level_.GetTile(x, y);
            if (!tileSprite(x, y) && tile != EC_NONE) {
                logMessage(LOG_EDITOR,
                           "CControllerEditor::loadLevelSprites()      (%i,%i)  Creating tile sprite (type=%s)\n", x,
                           y, CLevel::GetElementName(tile));
                placeCursorType(tile, x, y, true);
            }
        }
    for (int colour = 0; colour < TELEPORT_COLOURS; ++colour) {
        // A copy: a third teleport of a colour replaces the second in the
        // level's own list while this runs.
        std::vector<TeleportSpot> spots = level_.GetTeleports(colour);
        for (const TeleportSpot& spot : spots) {
            logMessage(LOG_EDITOR, "CControllerEditor::loadLevelSprites()      (%i,%i)  Creating teleport (type=%i)\n",
                       spot.x, spot.y, teleportCodeOfColour(colour));
            placeCursorType(teleportCodeOfColour(colour), spot.x, spot.y, true);
        }
    }
    updateDynamics();
    dropGhosts();
}

// What a placement rule refused while loading has no sprite; left in the
// level it could be neither seen nor erased, and a second tube of a kind
// would give the level two professors. It goes.
void CEditorBoard::dropGhosts()
{
    for (int x = 0; x < LEVEL_WIDTH; ++x)
        for (int y = 0; y < LEVEL_HEIGHT; ++y) {
            ElementCode tile = level_.GetTile(x, y);
            if (tile == EC_NONE || tileSprite(x, y))
                continue;
            logMessage(LOG_EDITOR, "CControllerEditor::loadLevelSprites()      (%i,%i)  Dropping %s: it cannot stand there\n",
                       x, y, CLevel::GetElementName(tile));
            level_.SetTile(EC_NONE, x, y);
            level_.SetModifier(MODIFIER_NONE, x, y);
            level_.RemoveTutorialText(x, y);
        }
    for (int colour = 0; colour < TELEPORT_COLOURS; ++colour) {
        std::vector<TeleportSpot> spots = level_.GetTeleports(colour);
        for (const TeleportSpot& spot : spots)
            if (!teleportSprite(spot.x + 1, spot.y)) {
                logMessage(LOG_EDITOR,
                           "CControllerEditor::loadLevelSprites()      (%i,%i)  Dropping teleport: it cannot stand there\n",
                           spot.x, spot.y);
                level_.EraseTeleport(spot.x, spot.y);
            }
    }
}

void CEditorBoard::clearBoard()
{
    for (int x = 0; x < LEVEL_WIDTH; ++x)
        for (int y = 0; y < LEVEL_HEIGHT; ++y)
            eraseCell(x, y, LAYER_BOTH);
    for (int border = 0; border < BORDERS; ++border)
        for (int y = 0; y < LEVEL_HEIGHT; ++y)
            eraseTeleportHelper(border, y);
    tubeStart_ = {};
    tubeEnd_ = {};
    for (std::vector<EditorCell>& list : teleportLists_)
        list.clear();
    dirty_ = false;
}

void CEditorBoard::deleteGridSprites()
{
    for (CSprite* sprite : tiles_)
        if (sprite)
            deleteTileSprite(sprite);
    for (CSprite*& sprite : ladders_) {
        delete sprite;
        sprite = nullptr;
    }
    for (CSprite*& sprite : teleports_) {
        delete sprite;
        sprite = nullptr;
    }
}
