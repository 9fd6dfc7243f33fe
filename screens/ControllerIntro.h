#pragma once

#include "screens/Controller.h"

#include <memory>

// The first screen and the root of the screen stack. It stays below every
// other screen for the whole run; start-up makes it and shut-down destroys
// it. For now it shows nothing of its own and only holds the screen opened
// over it.
class CControllerIntro : public CController
{
public:
    CControllerIntro();
    ~CControllerIntro() override;

    void InputKey(bool released, int key) override;
    void Pump() override;

    // Opens a screen over the intro and owns it until it closes.
    void OpenChild(std::unique_ptr<CController> child, const char* displayName);

private:
    std::unique_ptr<CController> child_;
};
