#pragma once

#include "screens/Controller.h"

#include <memory>

class CSprite;

// The editor's toolbox: a dimmed screen with a picture of 6 x 9 cells, one
// per palette code (row x 6 + column), and a selector frame. It only holds a
// selection: the editor reads it each time the toolbox closes and acts on
// it. The editor makes one toolbox and opens it again and again, so the
// selection stays between openings; its sprites exist only while it is open.
class CControllerEditorPalette : public CController
{
public:
    CControllerEditorPalette();
    ~CControllerEditorPalette() override;

    void SetSelection(int code);
    int GetSelection() const { return row_ * COLUMNS + column_; }

    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    static constexpr int COLUMNS = 6;
    static constexpr int ROWS = 9;

    // The code an editor key selects (the same keys as on the board), or -1.
    static int CodeOfKey(int key, bool alt);

private:
    void makeSprites();
    void deleteSprites();
    void close();
    void cancelByEscape();
    void cancelByClick();
    void moveSelection(bool byKeys, bool click);

    std::unique_ptr<CSprite> dimmer_;
    std::unique_ptr<CSprite> shadow_;
    std::unique_ptr<CSprite> toolbox_;
    std::unique_ptr<CSprite> selector_;
    std::unique_ptr<CSprite> pointer_;
    int column_ = 5;
    int row_ = 0;
    bool up_ = false, down_ = false, left_ = false, right_ = false;
    bool leftButton_ = false, rightButton_ = false;
    // Set whenever the toolbox closes: a button release that arrives before
    // any press (the end of the click that opened it) is ignored.
    bool fresh_ = true;
    bool rebuild_ = false;
    int repeat_ = 0;
    int pointerX_ = 0;
    int pointerY_ = 0;
};
