#include "screens/GuiButtonBase.h"

#include "screens/Controller.h"

#include <algorithm>
#include <vector>

namespace {

struct WidgetState {
    std::vector<CGuiButtonBase*> registry;
    int hotId = -1;
    bool leftButtonDown = false;
};

WidgetState widgets;

CGuiButtonBase* findById(int id)
{
    for (CGuiButtonBase* widget : widgets.registry)
        if (widget->GetId() == id)
            return widget;
    return nullptr;
}

} // namespace

CGuiButtonBase::CGuiButtonBase(int x, int y, int callbackIndex, CController* owner, bool isDefault)
    : owner_(owner), isDefault_(isDefault), x_(x), y_(y), callbackIndex_(callbackIndex)
{
    widgets.registry.push_back(this);
    id_ = static_cast<int>(widgets.registry.size()) - 1;
    widgets.hotId = -1;
}

CGuiButtonBase::~CGuiButtonBase()
{
    auto at = std::find(widgets.registry.begin(), widgets.registry.end(), this);
    if (at != widgets.registry.end())
        widgets.registry.erase(at);
}

bool CGuiButtonBase::Click(char, bool forced)
{
    if (id_ != widgets.hotId && !forced)
        return false;
    CController::PlaySound(InterfaceSound::Click);
    owner_->GUICallback(callbackIndex_, 0, false);
    return true;
}

bool CGuiButtonBase::IsMouseOver() { return false; }

void CGuiButtonBase::WarpMouseTo() {}

int CGuiButtonBase::GetHotId() { return widgets.hotId; }

void CGuiButtonBase::SetHotId(int id) { widgets.hotId = id; }

CGuiButtonBase* CGuiButtonBase::GetHotButton() { return widgets.hotId == -1 ? nullptr : findById(widgets.hotId); }

CGuiButtonBase* CGuiButtonBase::GetById(int id) { return id == -1 ? nullptr : findById(id); }

void CGuiButtonBase::UpdateAll()
{
    widgets.hotId = -1;
    for (size_t i = 0; i < widgets.registry.size(); ++i)
        widgets.registry[i]->Update();
}

void CGuiButtonBase::ClickAll(char key)
{
    // A click may make or delete widgets, so the walk ends at the first
    // widget that takes it.
    for (size_t i = 0; i < widgets.registry.size(); ++i) {
        CGuiButtonBase* widget = widgets.registry[i];
        if (widget->clickOnRelease_ == widgets.leftButtonDown)
            continue;
        if (widget->Click(key, false))
            return;
    }
    if (key == 0)
        return;
    for (CGuiButtonBase* widget : widgets.registry) {
        if (widget->isDefault_ && !widget->hidden_) {
            widget->Click(key, true);
            return;
        }
    }
}

void CGuiButtonBase::SetMouseButton(bool released, bool dispatch)
{
    if (released != widgets.leftButtonDown)
        return;
    widgets.leftButtonDown = !released;
    if (dispatch)
        ClickAll(0);
}

bool CGuiButtonBase::IsMouseButtonDown() { return widgets.leftButtonDown; }

void CGuiButtonBase::MoveFocus(bool backwards)
{
    const int count = static_cast<int>(widgets.registry.size());
    const int start = widgets.hotId;
    // One full round at most: when no widget can take the focus it stays.
    for (int tries = 0; tries < count; ++tries) {
        int id = widgets.hotId + (backwards ? -1 : 1);
        if (id < 0)
            id = count - 1;
        else if (id >= count)
            id = 0;
        widgets.hotId = id;
        CGuiButtonBase* widget = findById(id);
        if (!widget)
            return;
        if (!widget->hidden_ && !widget->disabled_) {
            widget->WarpMouseTo();
            return;
        }
    }
    widgets.hotId = start;
}
