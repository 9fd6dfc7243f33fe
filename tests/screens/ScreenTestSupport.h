#pragma once

#include "screens/Controller.h"
#include "screens/GuiButtonBase.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

namespace corvelle_test {

// A screen that records what reaches it; its pump runs what the test asks.
class RecordingScreen : public CController
{
public:
    explicit RecordingScreen(int id) : CController(id) {}

    void Pump() override
    {
        ++pumps;
        if (int closed = TakeClosedChildId())
            closedChildren.push_back(closed);
        if (onPump)
            onPump(*this);
    }
    void InputKey(bool released, int key) override { keys.emplace_back(released, key); }
    void GUICallback(int index, int value, bool dclick) override { callbacks.emplace_back(index, value, dclick); }

    std::function<void(RecordingScreen&)> onPump;
    int pumps = 0;
    std::vector<int> closedChildren;
    std::vector<std::pair<bool, int>> keys;
    std::vector<std::tuple<int, int, bool>> callbacks;
};

// A widget whose pointer test the test sets; it records its warps.
class FakeWidget : public CGuiButtonBase
{
public:
    FakeWidget(CController* owner, int callbackIndex, bool isDefault = false, bool clickOnRelease = true)
        : CGuiButtonBase(0, 0, callbackIndex, owner, isDefault)
    {
        clickOnRelease_ = clickOnRelease;
    }

    void Update() override
    {
        if (!hidden_ && pointerOver && GetHotId() == -1)
            SetHotId(id_);
    }
    void Hide() override { hidden_ = true; }
    void Show() override { hidden_ = false; }
    void WarpMouseTo() override { ++warps; }
    void SetDisabled(bool disabled) { disabled_ = disabled; }

    bool pointerOver = false;
    int warps = 0;
};

// An empty stack, no button held, no hot widget, and every interface sound
// played recorded, for the lifetime of the object.
class ScreenState
{
public:
    ScreenState()
    {
        CController::resetStackForTesting();
        CGuiButtonBase::SetMouseButton(true, false);
        CGuiButtonBase::UpdateAll();
        CController::setSoundObserverForTesting([this](InterfaceSound s) { sounds.push_back(s); });
    }
    ~ScreenState() { CController::setSoundObserverForTesting(nullptr); }
    ScreenState(const ScreenState&) = delete;
    ScreenState& operator=(const ScreenState&) = delete;

    int countSounds(InterfaceSound which) const
    {
        int n = 0;
        for (InterfaceSound s : sounds)
            n += s == which;
        return n;
    }

    std::vector<InterfaceSound> sounds;
};

class ScreenTest : public testing::Test, public ScreenState
{
};

} // namespace corvelle_test
