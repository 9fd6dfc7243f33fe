#include "editor/ControllerEditorPalette.h"

#include "engine/Input.h"
#include "engine/Log.h"
#include "engine/Render.h"
#include "engine/Sprite.h"
#include "levels/ElementCodes.h"
#include "screens/GuiButtonBase.h"

#include <SDL.h>

namespace {

constexpr int CELL_W = 68;
constexpr int CELL_H = 51;
constexpr int CELLS_X = 192; // screen position of the first cell
constexpr int CELLS_Y = 65;
constexpr int LAST_ROW_CANCELLED_BY_CLICK = 5; // the Test command

std::unique_ptr<CSprite> makeSprite(const char* name, const char* image, int kind, int x, int y)
{
    auto sprite = std::make_unique<CSprite>(kind, 0, false);
    sprite->setName(name);
    sprite->addFrame(image);
    sprite->setLocation(x, y, false);
    sprite->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    return sprite;
}

bool insideToolbox(int x, int y) { return x >= 193 && x <= 599 && y >= 66 && y <= 523; }

} // namespace

CControllerEditorPalette::CControllerEditorPalette() : CController(CONTROLLER_EDITOR_PALETTE)
{
    logMessage(LOG_CONSTRUCT, "CControllerEditorPalette:  Preloading sprites...\n");
    // The sprites are made when the toolbox opens (its pump).
    rebuild_ = true;
}

CControllerEditorPalette::~CControllerEditorPalette()
{
    logMessage(LOG_DESTRUCT, "CControllerEditorPalette:  Destroying CControllerEditorPalette...\n");
    deleteSprites();
}

void CControllerEditorPalette::makeSprites()
{
    dimmer_ = makeSprite("Palette - Background Dimmer", "dimmer.png", KIND_PALETTE_DIMMER, 0, 0);
    shadow_ = makeSprite("Palette - Toolbox Shadow", "editortoolbox_border.tga", KIND_PALETTE_SHADOW, 183, 56);
    toolbox_ = makeSprite("Palette - Toolbox", "editortoolbox_main.jpg", KIND_PALETTE_TOOLBOX, 187, 60);
    selector_ = makeSprite("Palette - Toolbox Selector", "toolboxselector.png", KIND_PALETTE_SELECTOR,
                           column_ * CELL_W + CELLS_X, row_ * CELL_H + CELLS_Y);
    pointer_ = makeSprite("Palette - Mouse Pointer", "mousepointer.tga", KIND_POINTER, pointerX_, pointerY_);
}

void CControllerEditorPalette::deleteSprites()
{
    dimmer_.reset();
    shadow_.reset();
    toolbox_.reset();
    selector_.reset();
    pointer_.reset();
}

void CControllerEditorPalette::SetSelection(int code)
{
    if (code < 0 || code >= COLUMNS * ROWS)
        return;
    column_ = code % COLUMNS;
    row_ = code / COLUMNS;
}

void CControllerEditorPalette::close()
{
    for (auto* sprite : {&dimmer_, &shadow_, &toolbox_, &selector_, &pointer_})
        if (*sprite)
            (*sprite)->hide();
    CRender::InvalidateAll();
    deleteSprites();
    rebuild_ = true;
    up_ = down_ = left_ = right_ = false;
    leftButton_ = rightButton_ = false;
    repeat_ = 0;
    fresh_ = true;
    SetExitCode(1);
}

// Escape never starts a command: any command becomes the eraser.
void CControllerEditorPalette::cancelByEscape()
{
    if (column_ == 0)
        SetSelection(EC_NONE);
    close();
}

// A click outside or a right click drops the top row (help and the tools
// that act on a cell) and the commands down to Test; Record, Play and Quit
// stay chosen and run as the toolbox closes.
void CControllerEditorPalette::cancelByClick()
{
    if (row_ == 0 || (column_ == 0 && row_ <= LAST_ROW_CANCELLED_BY_CLICK))
        SetSelection(EC_NONE);
    close();
}

int CControllerEditorPalette::CodeOfKey(int key, bool alt)
{
    if (alt) {
        switch (key) {
        case SDLK_a: return EC_CTRL_SAVE_AS;
        case SDLK_h: return EC_CTRL_HELP;
        case SDLK_l: return EC_CTRL_LOAD;
        case SDLK_n: return EC_CTRL_NEW;
        case SDLK_p: return EC_CTRL_PLAY;
        case SDLK_q: return EC_CTRL_EXIT;
        case SDLK_r: return EC_CTRL_RECORD;
        case SDLK_s: return EC_CTRL_SAVE;
        case SDLK_t: return EC_CTRL_TEST;
        case SDLK_w: return EC_CTRL_EXIT;
        default: return -1;
        }
    }
    if (key >= SDLK_F1 && key <= SDLK_F8)
        return EC_FIRST_BACKGROUND_CELL + EC_BACKGROUND_CELL_STEP * (key - SDLK_F1);
    if (key >= SDLK_1 && key <= SDLK_9) {
        static const ElementCode digits[] = {7, 8, 9, 13, 14, 15, 19, 20, 21};
        return digits[key - SDLK_1];
    }
    switch (key) {
    case SDLK_BACKSPACE: return EC_NONE;
    case SDLK_COMMA: return EC_OBJECT_MBARREL;
    case SDLK_MINUS: return EC_DEVICE_TUBE_START;
    case SDLK_PERIOD: return EC_OBJECT_RMAGNET;
    case SDLK_EQUALS: return EC_DEVICE_TUBE_END;
    case SDLK_a: return EC_DEVICE_BUTTON_B;
    case SDLK_b: return EC_PALETTE_BOT;
    case SDLK_c: return EC_DEVICE_LTELEPORT_R;
    case SDLK_d: return EC_DEVICE_BUTTON_R;
    case SDLK_e: return EC_DEVICE_GATE_R;
    case SDLK_f: return EC_FREEZE_MODE;
    case SDLK_h: return EC_HEAT_MODE;
    case SDLK_i: return EC_TERRAIN_ICE;
    case SDLK_j: return EC_OBJECT_WCRATE;
    case SDLK_k: return EC_OBJECT_WBARREL;
    case SDLK_l: return EC_OBJECT_LMAGNET;
    case SDLK_m: return EC_OBJECT_MCRATE;
    case SDLK_o: return EC_TERRAIN_BRIDGE;
    case SDLK_p: return EC_LADDER;
    case SDLK_q: return EC_DEVICE_GATE_B;
    case SDLK_s: return EC_DEVICE_BUTTON_Y;
    case SDLK_t: return EC_TUTORIAL;
    case SDLK_u: return EC_TERRAIN_SAND;
    case SDLK_v: return EC_DEVICE_TRAMPOLINE;
    case SDLK_w: return EC_DEVICE_GATE_Y;
    case SDLK_x: return EC_DEVICE_LTELEPORT_Y;
    case SDLK_y: return EC_TERRAIN_GRASS;
    case SDLK_z: return EC_DEVICE_LTELEPORT_B;
    default: return -1;
    }
}

void CControllerEditorPalette::InputKey(bool released, int key)
{
    if (key >= SDLK_BACKSPACE && key <= SDLK_F8) {
        switch (key) {
        case SDLK_UP: up_ = !released; break;
        case SDLK_DOWN: down_ = !released; break;
        case SDLK_LEFT: left_ = !released; break;
        case SDLK_RIGHT: right_ = !released; break;
        default:
            if (released)
                break;
            if (key == SDLK_RETURN || key == SDLK_SPACE)
                close();
            else if (key == SDLK_ESCAPE)
                cancelByEscape();
            else if (int code = CodeOfKey(key, IsAltDown()); code >= 0)
                SetSelection(code);
            break;
        }
    }
    InputScreenCapture(released, key);
}

void CControllerEditorPalette::InputMouseMotion(int x, int y)
{
    pointerX_ = x;
    pointerY_ = y;
    if (leftButton_)
        moveSelection(false, false);
}

void CControllerEditorPalette::InputMouseButton(bool released, bool left, bool right, bool, bool)
{
    if (released && fresh_)
        return;
    fresh_ = false;
    if (left) {
        leftButton_ = !released;
        moveSelection(false, released);
    } else if (right) {
        rightButton_ = !released;
        if (released)
            cancelByClick();
    }
}

void CControllerEditorPalette::moveSelection(bool byKeys, bool click)
{
    if (byKeys) {
        if (left_ != right_)
            column_ += left_ ? -1 : 1;
        if (up_ != down_)
            row_ += up_ ? -1 : 1;
        column_ = column_ < 0 ? 0 : column_ >= COLUMNS ? COLUMNS - 1 : column_;
        row_ = row_ < 0 ? 0 : row_ >= ROWS ? ROWS - 1 : row_;
        return;
    }
    if (insideToolbox(pointerX_, pointerY_)) {
        column_ = (pointerX_ - CELLS_X) / CELL_W;
        row_ = (pointerY_ - CELLS_Y) / CELL_H;
        if (click)
            close();
    } else if (click) {
        cancelByClick();
    }
}

void CControllerEditorPalette::Pump()
{
    if (rebuild_) {
        pointerX_ = CInput::GetMouseX();
        pointerY_ = CInput::GetMouseY();
        makeSprites();
        rebuild_ = false;
    }
    ProcessInput();
    if (!IsActive() || GetExitCode() != 0)
        return;
    if (up_ || down_ || left_ || right_) {
        if (repeat_ == 0)
            moveSelection(true, false);
        if (repeat_ < 4)
            ++repeat_;
        else
            moveSelection(true, false);
    } else {
        repeat_ = 0;
    }
    selector_->setLocation(column_ * CELL_W + CELLS_X, row_ * CELL_H + CELLS_Y, false);
    pointer_->setLocation(pointerX_, pointerY_, false);
    CGuiButtonBase::UpdateAll();
}
