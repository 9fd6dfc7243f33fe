#include "screens/ControllerDialog.h"

#include "engine/MousePointer.h"
#include "screens/GuiButton.h"
#include "screens/GuiTextbox.h"
#include "screens/ScreenParts.h"

#include <SDL.h>

#include <utility>

CControllerDialog::CControllerDialog(int id) : CController(id) {}

void CControllerDialog::SetRing(std::vector<CGuiTextbox*> boxes, std::vector<CGuiButton*> buttons,
                                ReturnKey returnKey)
{
    boxes_ = std::move(boxes);
    buttons_ = std::move(buttons);
    returnKey_ = returnKey;
    focusedBox_ = boxes_.empty() ? NO_BOX : 0;
    keyButton_ = -1;
}

void CControllerDialog::ClearRing()
{
    boxes_.clear();
    buttons_.clear();
    focusedBox_ = NO_BOX;
    keyButton_ = -1;
}

int CControllerDialog::stopCount() const { return static_cast<int>(boxes_.size() + buttons_.size()); }

void CControllerDialog::hideCursors()
{
    for (CGuiTextbox* box : boxes_)
        box->HideCursor();
}

void CControllerDialog::FocusStop(int stop)
{
    if (stop < 0 || stop >= stopCount())
        return;
    hideCursors();
    const int boxCount = static_cast<int>(boxes_.size());
    if (stop < boxCount) {
        focusedBox_ = stop;
        keyButton_ = -1;
        boxes_[stop]->WarpMouseTo();
    } else {
        focusedBox_ = NO_BOX;
        keyButton_ = stop - boxCount;
        buttons_[keyButton_]->WarpMouseTo();
    }
}

int CControllerDialog::GetFocusStop() const
{
    if (focusedBox_ != NO_BOX)
        return focusedBox_;
    if (keyButton_ != -1)
        return static_cast<int>(boxes_.size()) + keyButton_;
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->IsMouseOver())
            return static_cast<int>(boxes_.size() + i);
    return -1;
}

void CControllerDialog::moveFocus(bool backwards)
{
    const int count = stopCount();
    if (count == 0)
        return;
    const int stop = GetFocusStop();
    if (stop < 0)
        FocusStop(backwards ? count - 1 : 0);
    else
        FocusStop((stop + (backwards ? count - 1 : 1)) % count);
}

void CControllerDialog::pressReturn()
{
    if (focusedBox_ != NO_BOX && returnKey_ == ReturnKey::NextStop)
        FocusStop(focusedBox_ + 1);
    else if (returnKey_ == ReturnKey::Click || CGuiButtonBase::GetHotButton())
        CGuiButtonBase::ClickAll(1);
    else
        PlaySound(InterfaceSound::EmptyClick);
}

void CControllerDialog::pressKey(int key)
{
    if (focusedBox_ != NO_BOX)
        boxes_[focusedBox_]->HandleKey(key, IsShiftDown());
    switch (key) {
    case SDLK_UP:
    case SDLK_LEFT: moveFocus(true); break;
    case SDLK_DOWN:
    case SDLK_RIGHT: moveFocus(false); break;
    case SDLK_TAB: moveFocus(IsShiftDown()); break;
    case SDLK_RETURN: pressReturn(); break;
    case SDLK_ESCAPE: GUICallback(BUTTON_CANCEL, 0, false); break;
    default: break;
    }
}

void CControllerDialog::StopKeyRepeat()
{
    repeatKey_ = -1;
    repeatCounter_ = 0;
}

void CControllerDialog::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    if (released) {
        if (key == repeatKey_)
            StopKeyRepeat();
    } else {
        repeatKey_ = key;
        repeatCounter_ = 0;
        pressKey(key);
    }
    InputScreenCapture(released, key);
}

void CControllerDialog::InputMouseMotion(int, int)
{
    CMousePointer::Tick();
    keyButton_ = -1;
    for (size_t i = 0; i < boxes_.size(); ++i) {
        if (boxes_[i]->IsMouseOver()) {
            for (size_t other = 0; other < boxes_.size(); ++other)
                if (other != i)
                    boxes_[other]->HideCursor();
            focusedBox_ = static_cast<int>(i);
            return;
        }
    }
    if (HasRing() && CGuiButtonBase::GetHotButton()) {
        hideCursors();
        focusedBox_ = NO_BOX;
    }
}

void CControllerDialog::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    playEmptyClick(released, left);
}

void CControllerDialog::Pump()
{
    ProcessInput();
    if (repeatKey_ != -1 && ++repeatCounter_ > REPEAT_AFTER) {
        repeatCounter_ = REPEAT_AGAIN_FROM;
        CMousePointer::HideFor(-1);
        pressKey(repeatKey_);
    }
    if (!IsActive() || GetExitCode() != 0)
        return;
    PumpExtra();
    CGuiButtonBase::UpdateAll();
    if (focusedBox_ != NO_BOX)
        boxes_[focusedBox_]->BlinkCursor();
}
