#include "screens/ControllerIntro.h"

#include "engine/Log.h"
#include "engine/MousePointer.h"

CControllerIntro::CControllerIntro() : CController(CONTROLLER_INTRO) { CMousePointer::HideFor(-1); }

CControllerIntro::~CControllerIntro()
{
    logMessage(LOG_DESTRUCT, "CControllerIntro:  Destroying CControllerIntro...\n");
    CMousePointer::ShowHourglass(true);
    child_.reset();
}

void CControllerIntro::InputKey(bool, int) {}

void CControllerIntro::Pump()
{
    if (TakeClosedChildId() != CONTROLLER_NONE) {
        child_.reset();
        return;
    }
    ProcessInput();
}

void CControllerIntro::OpenChild(std::unique_ptr<CController> child, const char* displayName)
{
    LogLoadingController(displayName);
    child_ = std::move(child);
    LoadController(child_.get());
}
