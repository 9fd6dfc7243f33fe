#include "editor/ControllerEditor.h"

#include "editor/ControllerEditorHelp.h"
#include "editor/ControllerEditorLoad.h"
#include "editor/ControllerEditorPalette.h"
#include "editor/ControllerEditorSave.h"
#include "editor/ControllerEditorTutorial.h"
#include "engine/Draw.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Render.h"
#include "engine/Sound.h"
#include "engine/Sprite.h"
#include "levels/Level.h"
#include "screens/ControllerGame.h"
#include "screens/ControllerMessage.h"
#include "text/TextIds.h"

#include <SDL.h>

#include <cstdio>
#include <optional>
#include <string>

namespace {

bool isTeleportCode(ElementCode code) { return teleportColourOfCode(code) >= 0; }

// Tubes and teleports are two cells high: their cursor never reaches row 0.
int minRow(ElementCode type) { return isTubeCode(type) || isTeleportCode(type) ? 1 : 0; }

// A teleport stands on a cell's right border: at column -1 it stands on the
// board's left edge.
int minColumn(ElementCode type) { return isTeleportCode(type) ? -1 : 0; }

std::unique_ptr<CSprite> makeCursorSprite(int cursor)
{
    const EditorCursorPicture& picture = editorCursorPicture(cursor);
    auto sprite =
        std::make_unique<CSprite>(picture.picture.originX, picture.picture.originY, KIND_EDITOR_CURSOR, 0, false, 1, 1);
    sprite->addFrame(picture.picture.image);
    sprite->setName(picture.spriteName);
    sprite->hide();
    return sprite;
}

} // namespace

CControllerEditor::CControllerEditor() : CController(CONTROLLER_EDITOR)
{
    CSound::fadeOutMusic();
    level_ = std::make_unique<CLevel>();
    board_ = std::make_unique<CEditorBoard>(*level_, static_cast<EditorBoardHost&>(*this));
    CMousePointer::HideFor(-1);
    changeBackground();
    grid_ = std::make_unique<CSprite>(15, 7, KIND_BACKGROUND_GRID, 0, false, 1, 1);
    grid_->setName("Editor - Grid");
    grid_->addFrame("grid.png");
    grid_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    for (int cursor = 0; cursor < CURSOR_COUNT; ++cursor)
        cursors_[cursor] = makeCursorSprite(cursor);
    showCursor();
    updateCursor();
    palette_ = std::make_unique<CControllerEditorPalette>();
    // The toolbox's sprites are made when it opens (its first pump).
    palette_->SetSelection(EC_NONE);
}

CControllerEditor::~CControllerEditor()
{
    logMessage(LOG_DESTRUCT, "CControllerEditor:  Destroying CControllerEditor...\n");
    CMousePointer::ShowHourglass(true);
    child_.reset();
    for (auto& cursor : cursors_)
        cursor.reset();
    grid_.reset();
    board_.reset();
    background_.reset();
    level_.reset();
    palette_.reset();
}

// ---- children -------------------------------------------------------------

// The editor's picture stays on screen as a still behind the child; the
// child's sprites are made after it, into the live list the child draws.
void CControllerEditor::pushChild(const std::function<CController*()>& make, const char* label)
{
    clearHeld();
    hideCursor();
    CRender::Render(true);
    CRender::Swap(true);
    LogLoadingController(label);
    LoadController(make());
}

void CControllerEditor::openPalette()
{
    pushChild([this] { return palette_.get(); }, "Palette");
}

void CControllerEditor::openHelp()
{
    pushChild(
        [this] {
            child_ = std::make_unique<CControllerEditorHelp>();
            return child_.get();
        },
        "Editor Help");
}

void CControllerEditor::openTutorialEntry(int x, int y, const char* text)
{
    tutorialX_ = x;
    tutorialY_ = y;
    std::string current = text ? text : "";
    pushChild(
        [this, current] {
            child_ = std::make_unique<CControllerEditorTutorial>(current.c_str());
            return child_.get();
        },
        "Editor Tutorial");
}

void CControllerEditor::showMessage(int title, int body, bool yesNo)
{
    pushChild(
        [this, title, body, yesNo] {
            child_ = std::make_unique<CControllerMessage>(title, body, yesNo);
            return child_.get();
        },
        "Message");
}

void CControllerEditor::Pump()
{
    if (openPaletteFirst_) {
        // The editor opens with its toolbox shown.
        TakeClosedChildId();
        openPaletteFirst_ = false;
        openPalette();
        return;
    }
    int closed = TakeClosedChildId();
    if (closed != CONTROLLER_NONE) {
        childClosed(closed);
        return;
    }
    ProcessInput();
    if (IsActive() && GetExitCode() == 0) {
        keyRepeat();
        updateCursor();
    }
}

void CControllerEditor::childClosed(int id)
{
    clearHeld();
    if (CRender::IsSwapped()) {
        CRender::Swap(true);
        showCursor();
        CRender::InvalidateAll();
        CRender::Render(true);
        CDraw::present(true, false);
    }
    LogLoadingController("Editor");
    switch (id) {
    case CONTROLLER_EDITOR_PALETTE:
        paletteClosed();
        break;
    case CONTROLLER_MESSAGE:
        messageClosed();
        break;
    case CONTROLLER_TEXT_ENTRY:
        tutorialClosed();
        break;
    case CONTROLLER_EDITOR_LOAD:
        loadClosed();
        break;
    case CONTROLLER_GAME:
        runClosed();
        break;
    default:
        child_.reset();
        break;
    }
    CMousePointer::HideFor(-1);
}

void CControllerEditor::paletteClosed()
{
    cursorType_ = palette_->GetSelection();
    switch (cursorType_) {
    case EC_CTRL_HELP:
        logMessage(LOG_EDITOR, "CONTROL:  Help\n");
        openHelp();
        break;
    case EC_FREEZE_MODE:
        logMessage(LOG_EDITOR, "CONTROL:  Freeze\n");
        break;
    case EC_HEAT_MODE:
        logMessage(LOG_EDITOR, "CONTROL:  Heat\n");
        break;
    case EC_CTRL_NEW:
        logMessage(LOG_EDITOR, "CONTROL:  New Level\n");
        newLevel(false);
        break;
    case EC_CTRL_LOAD:
        logMessage(LOG_EDITOR, "CONTROL:  Load Level\n");
        openLoadDialog(false);
        break;
    case EC_CTRL_SAVE:
        logMessage(LOG_EDITOR, "CONTROL:  Save Level\n");
        saveLevel(false);
        break;
    case EC_CTRL_SAVE_AS:
        logMessage(LOG_EDITOR, "CONTROL:  SaveAs Level\n");
        saveLevel(true);
        break;
    case EC_CTRL_TEST:
        logMessage(LOG_EDITOR, "CONTROL:  Test\n");
        testLevel();
        break;
    case EC_CTRL_RECORD:
        logMessage(LOG_EDITOR, "CONTROL:  Record\n");
        recordSolution();
        break;
    case EC_CTRL_PLAY:
        logMessage(LOG_EDITOR, "CONTROL:  Play\n");
        playSolution();
        break;
    case EC_CTRL_EXIT:
        logMessage(LOG_EDITOR, "CONTROL:  Quit\n");
        quitEditor(false);
        break;
    default:
        if (cursorType_ >= EC_FIRST_BACKGROUND_CELL && cursorType_ % EC_BACKGROUND_CELL_STEP == 5)
            setBackground((cursorType_ - EC_FIRST_BACKGROUND_CELL) / EC_BACKGROUND_CELL_STEP);
        break;
    }
    clampCursor();
    updateCursor();
}

void CControllerEditor::messageClosed()
{
    bool yes = static_cast<CControllerMessage&>(*child_).GetAnswerYes();
    child_.reset();
    ElementCode pending = pending_;
    pending_ = EC_NONE;
    if (!yes)
        return;
    if (pending == EC_CTRL_NEW)
        newLevel(true);
    else if (pending == EC_CTRL_LOAD)
        openLoadDialog(true);
    else if (pending == EC_CTRL_EXIT)
        quitEditor(true);
}

void CControllerEditor::tutorialClosed()
{
    auto& entry = static_cast<CControllerEditorTutorial&>(*child_);
    if (entry.WasCancelled()) {
        logMessage(LOG_EDITOR, "No message entered.\n");
    } else {
        std::string text = entry.GetText();
        board_->placeTutorialMarker(tutorialX_, tutorialY_, text.c_str());
    }
    child_.reset();
}

// ---- commands -------------------------------------------------------------

void CControllerEditor::newLevel(bool force)
{
    if (!force && level_->IsModified()) {
        pending_ = EC_CTRL_NEW;
        showMessage(TEXT_UNSAVED_TITLE, TEXT_UNSAVED_NEW_BODY, true);
        return;
    }
    board_->clearBoard();
    level_->Reset();
    changeBackground();
    level_->SetModified(false);
}

void CControllerEditor::quitEditor(bool force)
{
    if (!force && level_->IsModified()) {
        pending_ = EC_CTRL_EXIT;
        showMessage(TEXT_UNSAVED_TITLE, TEXT_UNSAVED_QUIT_BODY, true);
        return;
    }
    SetExitCode(1);
}

void CControllerEditor::openLoadDialog(bool force)
{
    if (!force && level_->IsModified()) {
        pending_ = EC_CTRL_LOAD;
        showMessage(TEXT_UNSAVED_TITLE, TEXT_UNSAVED_LOAD_BODY, true);
        return;
    }
    pushChild(
        [this] {
            child_ = std::make_unique<CControllerEditorLoad>();
            return child_.get();
        },
        "Load");
}

// The chosen level is read into a level of its own first: one that cannot
// be read leaves the level being edited as it was.
void CControllerEditor::loadClosed()
{
    auto& dialog = static_cast<CControllerEditorLoad&>(*child_);
    std::optional<std::string> name = dialog.IsCancelled() ? std::nullopt : dialog.GetSelectedFile();
    child_.reset();
    if (!name) {
        logMessage(LOG_EDITOR, "No level selected.\n");
        return;
    }
    logMessage(LOG_EDITOR, "Level selected:  '%s'\n", name->c_str());
    auto loaded = std::make_unique<CLevel>();
    if (!loaded->LoadFile(name->c_str())) {
        bool old = loaded->GetVersion() < LEVEL_OLDEST_VERSION;
        if (old)
            logMessage(LOG_EDITOR, "Incompatible Level Version:  %i\n", loaded->GetVersion());
        showMessage(TEXT_CANNOT_OPEN_TITLE, old ? TEXT_OLD_EDITOR_LEVEL_BODY : TEXT_UNREADABLE_LEVEL_BODY, false);
        return;
    }
    board_->clearBoard();
    *level_ = *loaded;
    board_->loadLevelSprites();
    changeBackground();
    level_->SetModified(false);
}

bool CControllerEditor::checkPlayable()
{
    if (!board_->tubeStart().exists() || !board_->tubeEnd().exists()) {
        showMessage(TEXT_NOT_READY_TITLE, TEXT_NO_TUBES_BODY, false);
        return false;
    }
    if (!level_->AreTeleportsPaired()) {
        showMessage(TEXT_TELEPORTS_TITLE, TEXT_UNPAIRED_BODY, false);
        return false;
    }
    return true;
}

void CControllerEditor::saveLevel(bool saveAs)
{
    if (!checkPlayable())
        return;
    if (!saveAs && level_->GetFilename()[0] != '\0') {
        if (!level_->Save())
            showMessage(TEXT_NOT_SAVED_TITLE, TEXT_NOT_SAVED_BODY, false);
        return;
    }
    pushChild(
        [this] {
            child_ = std::make_unique<CControllerEditorSave>(*level_);
            return child_.get();
        },
        "Save");
}

void CControllerEditor::testLevel() { startRun(false, false, "Tester"); }

void CControllerEditor::recordSolution() { startRun(true, false, "Solution Record"); }

void CControllerEditor::playSolution() { startRun(false, true, "Solution Playback"); }

// The game screen plays the editor's own level; the board's sprites go while
// it runs and are made again from the level when it closes.
void CControllerEditor::startRun(bool record, bool playback, const char* label)
{
    if (!checkPlayable())
        return;
    savedModified_ = level_->IsModified();
    recording_ = record;
    if (record) {
        // A recording that does not reach the exit gives the old solution back.
        savedSolution_ = level_->GetSolution();
        savedRecorded_ = level_->IsSolutionRecorded();
        level_->ClearSolution();
    }
    clearHeld();
    hideCursor();
    grid_->hide();
    CRender::Render(true);
    board_->deleteGridSprites();
    background_.reset();
    LogLoadingController(label);
    child_ = std::make_unique<CControllerGame>(level_.get(), record, playback, true);
    LoadController(child_.get());
}

void CControllerEditor::runClosed()
{
    child_.reset();
    bool modified = savedModified_;
    if (recording_) {
        if (level_->IsSolutionRecorded()) {
            logMessage(LOG_EDITOR, "CControllerEditor:  Solution recorded (%i keys)\n",
                       static_cast<int>(level_->GetSolution().size()));
            modified = true;
        } else {
            logMessage(LOG_EDITOR, "CControllerEditor:  Recording did not reach the exit; the old solution stays\n");
            level_->ClearSolution();
            for (const ReplayKey& key : savedSolution_)
                level_->AddReplayKey(key.frame, key.key, key.released);
            if (savedRecorded_)
                level_->SetSolutionRecorded();
        }
        savedSolution_.clear();
        recording_ = false;
    } else if (!level_->IsSolutionRecorded()) {
        level_->ClearSolution();
    }
    board_->loadLevelSprites();
    changeBackground();
    level_->SetModified(modified);
    grid_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    showCursor();
    updateCursor();
}

void CControllerEditor::changeBackground()
{
    background_.reset();
    char name[32];
    snprintf(name, sizeof name, "background%i.jpg", level_->GetBackground());
    background_ = std::make_unique<CSprite>(29, 20, KIND_BACKGROUND, 0, false, 1, 1);
    background_->setName("Editor - Background");
    background_->addFrame(name);
    logMessage(LOG_EDITOR, "CControllerEditor::changeBackground()   Loading background file '%s'\n", name);
    background_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
}

void CControllerEditor::setBackground(int background)
{
    level_->SetBackground(background);
    changeBackground();
}

void CControllerEditor::toggleGrid()
{
    if (grid_->isHidden())
        grid_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    else
        grid_->hide();
}

// ---- input ----------------------------------------------------------------

void CControllerEditor::place() { board_->placeCursorType(cursorType_, cursorX_, cursorY_, false); }

bool CControllerEditor::altCommand(int key)
{
    switch (key) {
    case SDLK_a: saveLevel(true); return true;
    case SDLK_h: openHelp(); return true;
    case SDLK_l: openLoadDialog(false); return true;
    case SDLK_n: newLevel(false); return true;
    case SDLK_p: playSolution(); return true;
    case SDLK_r: recordSolution(); return true;
    case SDLK_s: saveLevel(false); return true;
    case SDLK_t: testLevel(); return true;
    case SDLK_q:
    case SDLK_w: quitEditor(false); return true;
    default: return false;
    }
}

void CControllerEditor::InputKey(bool released, int key)
{
    if (key < SDLK_BACKSPACE || key > SDLK_F8)
        return;
    switch (key) {
    case SDLK_UP: heldUp_ = !released; break;
    case SDLK_DOWN: heldDown_ = !released; break;
    case SDLK_LEFT: heldLeft_ = !released; break;
    case SDLK_RIGHT: heldRight_ = !released; break;
    case SDLK_RETURN:
    case SDLK_SPACE:
        placing_ = !released;
        if (!released)
            place();
        break;
    default: {
        if (released)
            break;
        // Read once, before the command: a command that opens a dialog
        // clears the modifiers, and the letter must not then pick its
        // element as well.
        bool alt = IsAltDown();
        if (key == SDLK_ESCAPE)
            openPalette();
        else if (key == SDLK_BACKQUOTE)
            toggleGrid();
        else if (alt)
            altCommand(key);
        else if (key >= SDLK_F1 && key <= SDLK_F8)
            setBackground(key - SDLK_F1);
        if (!alt)
            if (int code = CControllerEditorPalette::CodeOfKey(key, false); code >= 0)
                palette_->SetSelection(code);
        break;
    }
    }
    if (released)
        return;
    cursorType_ = palette_->GetSelection();
    clampCursor();
}

void CControllerEditor::InputMouseMotion(int x, int y) { moveCursor(false, x, y); }

void CControllerEditor::InputMouseButton(bool released, bool left, bool right, bool, bool)
{
    if (left) {
        placing_ = !released;
        if (!released)
            place();
    } else if (right && !released) {
        openPalette();
    }
}

void CControllerEditor::moveCursor(bool byKeys, int pointerX, int pointerY)
{
    int oldX = cursorX_, oldY = cursorY_;
    if (!IsShiftDown()) {
        int x = cursorX_;
        if (!byKeys)
            x = pointerX > POINTER_CELL_OFFSET ? (pointerX - POINTER_CELL_OFFSET) / CELL_SIZE : -1;
        else if (heldLeft_ != heldRight_)
            x += heldLeft_ ? -1 : 1;
        if (x > cursorX_ && x > LEVEL_WIDTH - 1)
            x = LEVEL_WIDTH - 1;
        if (x < cursorX_ && x < minColumn(cursorType_))
            x = minColumn(cursorType_);
        cursorX_ = x;
    }
    if (!IsCtrlDown()) {
        int y = cursorY_;
        if (!byKeys)
            y = (pointerY - POINTER_CELL_OFFSET) / CELL_SIZE;
        else if (heldUp_ != heldDown_)
            y += heldUp_ ? -1 : 1;
        if (y > cursorY_ && y > LEVEL_HEIGHT - 1)
            y = LEVEL_HEIGHT - 1;
        if (y < cursorY_ && y < minRow(cursorType_))
            y = minRow(cursorType_);
        cursorY_ = y;
    }
    if (placing_ && (cursorX_ != oldX || cursorY_ != oldY)) {
        logMessage(LOG_EDITOR, "CControllerEditor::moveCursor()   Dragging placer while moving.\n");
        place();
    }
}

// An arrow moves the cursor at once, then, held, after three still frames
// once every frame.
void CControllerEditor::keyRepeat()
{
    if (!heldLeft_ && !heldRight_ && !heldUp_ && !heldDown_) {
        repeat_ = 0;
        return;
    }
    if (repeat_ == 0)
        moveCursor(true, 0, 0);
    if (repeat_ < 4)
        ++repeat_;
    else
        moveCursor(true, 0, 0);
}

void CControllerEditor::clampCursor()
{
    if (cursorX_ < minColumn(cursorType_))
        cursorX_ = minColumn(cursorType_);
    if (cursorX_ > LEVEL_WIDTH - 1)
        cursorX_ = LEVEL_WIDTH - 1;
    if (cursorY_ < minRow(cursorType_))
        cursorY_ = minRow(cursorType_);
    if (cursorY_ > LEVEL_HEIGHT - 1)
        cursorY_ = LEVEL_HEIGHT - 1;
}

void CControllerEditor::clearHeld()
{
    heldLeft_ = heldRight_ = heldUp_ = heldDown_ = placing_ = false;
    repeat_ = 0;
}

// ---- the cursor -------------------------------------------------------------

int CControllerEditor::cursorFor(ElementCode type) const
{
    switch (type) {
    case EC_FREEZE_MODE: return CURSOR_FREEZE;
    case EC_HEAT_MODE: return CURSOR_HEAT;
    case EC_TUTORIAL: return CURSOR_TUTORIAL;
    case EC_NONE: return CURSOR_ERASE;
    case EC_TERRAIN_GRASS: return CURSOR_GRASS;
    case EC_TERRAIN_SAND: return CURSOR_SAND;
    case EC_TERRAIN_ICE: return CURSOR_ICE;
    case EC_TERRAIN_BRIDGE: return CURSOR_BRIDGE;
    case EC_LADDER: return CURSOR_LADDER;
    case EC_DEVICE_GATE_B: return CURSOR_GATE_B;
    case EC_DEVICE_GATE_Y: return CURSOR_GATE_Y;
    case EC_DEVICE_GATE_R: return CURSOR_GATE_R;
    case EC_DEVICE_BUTTON_B: return CURSOR_BUTTON_B;
    case EC_DEVICE_BUTTON_Y: return CURSOR_BUTTON_Y;
    case EC_DEVICE_BUTTON_R: return CURSOR_BUTTON_R;
    case EC_DEVICE_LTELEPORT_B: return CURSOR_TELEPORT_B;
    case EC_DEVICE_LTELEPORT_Y: return CURSOR_TELEPORT_Y;
    case EC_DEVICE_LTELEPORT_R: return CURSOR_TELEPORT_R;
    case EC_DEVICE_TRAMPOLINE: return CURSOR_TRAMPOLINE;
    case EC_DEVICE_TUBE_START: return CURSOR_TUBE_START;
    case EC_DEVICE_TUBE_END: return CURSOR_TUBE_END;
    case EC_POWERUP_FROSTGUN: return CURSOR_POWERUP_FROSTGUN;
    case EC_POWERUP_HEATGUN: return CURSOR_POWERUP_HEATGUN;
    case EC_POWERUP_EMP: return CURSOR_POWERUP_EMP;
    case EC_POWERUP_WHISTLE: return CURSOR_POWERUP_WHISTLE;
    case EC_POWERUP_MAGNET: return CURSOR_POWERUP_MAGNET;
    case EC_POWERUP_CRATE: return CURSOR_POWERUP_CRATE;
    case EC_POWERUP_BARREL: return CURSOR_POWERUP_BARREL;
    case EC_POWERUP_TELEPORT: return CURSOR_POWERUP_TELEPORT;
    case EC_POWERUP_BRIDGE: return CURSOR_POWERUP_BRIDGE;
    case EC_OBJECT_WBARREL: return CURSOR_WBARREL;
    case EC_OBJECT_MBARREL: return CURSOR_MBARREL;
    case EC_OBJECT_WCRATE: return CURSOR_WCRATE;
    case EC_OBJECT_MCRATE: return CURSOR_MCRATE;
    case EC_OBJECT_LMAGNET: return CURSOR_LMAGNET;
    case EC_OBJECT_RMAGNET: return CURSOR_RMAGNET;
    case EC_PALETTE_BOT:
        // The bot the next placement makes: hanging in the air, else
        // standing, turned round when one stands there already.
        if (!level_->IsTerrain(cursorX_, cursorY_ + 1))
            return CURSOR_BOT_HANG;
        return level_->GetTile(cursorX_, cursorY_) == EC_BOT_LEFT ? CURSOR_BOT_RIGHT : CURSOR_BOT_LEFT;
    default: return CURSOR_NONE;
    }
}

int CControllerEditor::outlineFor(ElementCode type) const
{
    if (isTubeCode(type))
        return CURSOR_OUTLINE_1X2;
    if (isTeleportCode(type))
        return CURSOR_OUTLINE_0X2;
    return CURSOR_OUTLINE_1X1;
}

void CControllerEditor::updateCursor()
{
    int cursor = cursorFor(cursorType_);
    int outline = outlineFor(cursorType_);
    bool shown = !cursors_[shownCursor_]->isHidden();
    if (cursor != shownCursor_) {
        cursors_[shownCursor_]->hide();
        shownCursor_ = cursor;
    }
    if (outline != shownOutline_) {
        cursors_[shownOutline_]->hide();
        shownOutline_ = outline;
    }
    for (int which : {shownCursor_, shownOutline_}) {
        cursors_[which]->setLocation(cursorX_ * 24, cursorY_ * 24, false);
        if (shown)
            cursors_[which]->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    }
}

void CControllerEditor::hideCursor()
{
    cursors_[shownCursor_]->hide();
    cursors_[shownOutline_]->hide();
}

void CControllerEditor::showCursor()
{
    cursors_[shownCursor_]->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    cursors_[shownOutline_]->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
}
