// The game with the score screens opened over its root screen, the way the
// game screen, the map and the menus open them, for whole-program tests and
// screenshots. The environment chooses the screen and the profile's state:
//
//   CORVELLE_PROBE_SCREEN   "board:<type>[:user]", "profilename", "onlinename",
//                           "password:<expected>"
//   CORVELLE_PROBE_LEVEL    "<set>,<level>": the current set and level
//   CORVELLE_PROBE_SCORES   "<set>,<level>,<score>;...": best scores to set
//   CORVELLE_PROBE_STEPS    "<steps>": the step counter of the level played
//   CORVELLE_PROBE_ONLINE   the profile's online name
//   CORVELLE_PROBE_PASSWORD the profiles' password
//   CORVELLE_PROBE_SETDONE  "<set>": mark that set completed
//
// When the screen closes the holder logs its answer on the milestone
// channel and closes as well, with whatever exit code reached it.
#include "game/Game.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Sprite.h"
#include "levels/LevelSet.h"
#include "levels/Profile.h"
#include "screens/ControllerIntro.h"
#include "screens/ControllerScoreboard.h"
#include "screens/ControllerTextEntries.h"
#include "screens/WidgetSprite.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

namespace {

std::string env(const char* name)
{
    const char* value = getenv(name);
    return value ? value : "";
}

void prepareProfile(CProfile& profile)
{
    std::string level = env("CORVELLE_PROBE_LEVEL");
    if (!level.empty()) {
        int set = 0, index = 0;
        sscanf(level.c_str(), "%d,%d", &set, &index);
        profile.SetLevelSet(set);
        profile.SetLevel(index);
        if (CLevelSet* levels = CLevelSet::getSet(set))
            levels->selectLevel(index);
    }
    std::stringstream scores(env("CORVELLE_PROBE_SCORES"));
    std::string item;
    while (std::getline(scores, item, ';')) {
        int set = 0, index = 0, score = 0;
        if (sscanf(item.c_str(), "%d,%d,%d", &set, &index, &score) == 3)
            profile.SetScore(score, set, index);
    }
    std::string steps = env("CORVELLE_PROBE_STEPS");
    if (!steps.empty())
        profile.SetSteps(atoi(steps.c_str()));
    std::string online = env("CORVELLE_PROBE_ONLINE");
    if (!online.empty())
        profile.SetOnlineName(online.c_str());
    std::string password = env("CORVELLE_PROBE_PASSWORD");
    if (!password.empty())
        profile.SetPassword(password.c_str());
    std::string setDone = env("CORVELLE_PROBE_SETDONE");
    if (!setDone.empty())
        profile.SetSetCompleted(true, atoi(setDone.c_str()));
}

class ProbeHolder : public CController
{
public:
    ProbeHolder() : CController(901)
    {
        backdrop_ = makeWidgetSprite(KIND_PALETTE_DIMMER, "background2.jpg", "Probe Backdrop", 0, 0, true);
        prepareProfile(*GetProfile());
    }
    ~ProbeHolder() override
    {
        child_.reset();
        backdrop_.reset();
    }

    void InputKey(bool, int) override {}

    void Pump() override
    {
        if (!opened_) {
            opened_ = true;
            open(env("CORVELLE_PROBE_SCREEN"));
            return;
        }
        if (TakeClosedChildId() == CONTROLLER_NONE) {
            ProcessInput();
            return;
        }
        const char* entered = nullptr;
        if (auto* entry = dynamic_cast<CControllerTextEntryBase*>(child_.get()))
            entered = entry->GetEnteredText();
        logMessage(LOG_MILESTONE, "Probe:  closed id=%i return=%i exit=%i entered='%s' online='%s'\n",
                   child_->GetID(), child_->GetReturnValue(), GetExitCode(), entered ? entered : "",
                   GetProfile()->GetOnlineName(-1));
        child_.reset();
        backdrop_.reset();
        if (GetExitCode() == 0)
            SetExitCode(1);
    }

private:
    void open(const std::string& what)
    {
        if (what.rfind("board:", 0) == 0) {
            uint32_t type = static_cast<uint32_t>(atoi(what.c_str() + 6));
            bool user = what.find(":user") != std::string::npos;
            child_ = std::make_unique<CControllerScoreboard>(type, user);
        } else if (what == "profilename") {
            child_ = std::make_unique<CControllerProfileName>();
        } else if (what == "onlinename") {
            child_ = std::make_unique<CControllerScoreboardName>(false);
        } else if (what.rfind("password:", 0) == 0) {
            expected_ = what.substr(9);
            child_ = std::make_unique<CControllerPassword>(expected_.c_str());
        } else {
            logError(true, "Probe:  unknown screen '%s'\n", what.c_str());
        }
        LogLoadingController("Probe Child");
        LoadController(child_.get());
    }

    bool opened_ = false;
    std::string expected_;
    std::unique_ptr<CSprite> backdrop_;
    std::unique_ptr<CController> child_;
};

} // namespace

int main(int argc, char** argv)
{
    return runCorvelle(argc, argv, [](CControllerIntro& root) {
        root.OpenChild(std::make_unique<ProbeHolder>(), "Probe Holder");
    });
}
