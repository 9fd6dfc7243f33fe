#pragma once

#include "editor/EditorBoard.h"
#include "editor/EditorPictures.h"
#include "screens/Controller.h"
#include "screens/WidgetPlace.h"
#include "world/ElementTypes.h"

#include <functional>
#include <memory>
#include <vector>

class CControllerEditorPalette;
class CLevel;
class CSprite;

// The level editor: one level on the 32 x 24 board, drawn as editor
// sprites over the level's background and a grid, with a cursor that
// carries the code to place. The board (CEditorBoard) keeps the level and
// its sprites consistent; this screen drives it with the keyboard and the
// mouse and opens the toolbox, the help, the tutorial text entry and the
// message boxes over itself.
//
// The editor owns its level and its toolbox for its whole life; every other
// child is made for one use and deleted when it closes.
class CControllerEditor : public CController, private EditorBoardHost
{
public:
    // The pointer picks board cells counted from this far in from the
    // screen's top-left corner, though the cells are drawn from the corner.
    static constexpr int POINTER_CELL_OFFSET = 15;
    // Where the pointer picks board cell (x, y).
    static constexpr WidgetPlace CellPlace(int x, int y)
    {
        return {POINTER_CELL_OFFSET + x * CELL_SIZE, POINTER_CELL_OFFSET + y * CELL_SIZE, {CELL_SIZE, CELL_SIZE}};
    }

    CControllerEditor();
    ~CControllerEditor() override;

    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    // Empties the level; unless forced, a modified level is asked about first.
    void newLevel(bool force);
    void quitEditor(bool force);
    void openLoadDialog(bool force);
    // Save writes a named level in place; a new level, or Save As, asks for
    // a name first. Nothing is saved without both tubes.
    void saveLevel(bool saveAs);
    // The level played on the game screen: tried out, recorded to its exit,
    // or its solution shown.
    void testLevel();
    void recordSolution();
    void playSolution();

    // ---- For tests.
    CLevel& GetLevel() { return *level_; }
    CEditorBoard& GetBoard() { return *board_; }
    CControllerEditorPalette& GetPalette() { return *palette_; }
    int GetCursorX() const { return cursorX_; }
    int GetCursorY() const { return cursorY_; }
    ElementCode GetCursorType() const { return cursorType_; }
    // The cursor picture now shown (a value of EditorCursor).
    int GetShownCursor() const { return shownCursor_; }
    int GetShownOutline() const { return shownOutline_; }
    const CSprite* GetBackgroundSprite() const { return background_.get(); }

private:
    // EditorBoardHost
    void openTutorialEntry(int x, int y, const char* text) override;
    void showMessage(int title, int body, bool yesNo) override;

    void pushChild(const std::function<CController*()>& make, const char* label);
    void openPalette();
    void openHelp();
    void childClosed(int id);
    void paletteClosed();
    void messageClosed();
    void tutorialClosed();
    void loadClosed();
    void runClosed();
    bool checkPlayable();
    void startRun(bool record, bool playback, const char* label);
    void runPaletteCommand();

    void changeBackground();
    void setBackground(int background);
    void toggleGrid();
    void place();
    void moveCursor(bool byKeys, int pointerX, int pointerY);
    void keyRepeat();
    void clampCursor();
    bool altCommand(int key);
    void clearHeld();
    int cursorFor(ElementCode type) const;
    int outlineFor(ElementCode type) const;
    void updateCursor();
    void hideCursor();
    void showCursor();

    std::unique_ptr<CLevel> level_;
    std::unique_ptr<CEditorBoard> board_;
    std::unique_ptr<CControllerEditorPalette> palette_;
    // The one open child other than the toolbox (help, message box, text
    // entry, dialogs, game screen).
    std::unique_ptr<CController> child_;

    std::unique_ptr<CSprite> background_;
    std::unique_ptr<CSprite> grid_;
    std::unique_ptr<CSprite> cursors_[CURSOR_COUNT];
    int shownCursor_ = CURSOR_NONE;
    int shownOutline_ = CURSOR_OUTLINE_1X1;

    int cursorX_ = 0;
    int cursorY_ = 0;
    ElementCode cursorType_ = EC_NONE;
    bool heldLeft_ = false, heldRight_ = false, heldUp_ = false, heldDown_ = false;
    bool placing_ = false;
    int repeat_ = 0;
    // What a yes to the open question does: NONE, CTRL_NEW, CTRL_LOAD or
    // CTRL_EXIT.
    ElementCode pending_ = EC_NONE;
    bool openPaletteFirst_ = true;
    // The level's state before a run on the game screen: a run leaves the
    // level as it found it, but for a solution recorded to the exit.
    bool savedModified_ = false;
    bool recording_ = false;
    std::vector<ReplayKey> savedSolution_;
    bool savedRecorded_ = false;
    // The cell whose tutorial text is being typed.
    int tutorialX_ = 0;
    int tutorialY_ = 0;
};
