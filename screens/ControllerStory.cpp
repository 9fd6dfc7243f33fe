#include "screens/ControllerStory.h"

#include "engine/Draw.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Sound.h"
#include "engine/Sprite.h"
#include "screens/GuiButton.h"
#include "screens/WidgetSprite.h"

#include <string>
#include <vector>

namespace {
const char* const PAGE_IMAGES[2] = {"story1.png", "story2.png"};

struct Placed {
    std::string image;
    int x, y;
};
using Page = std::vector<Placed>;

// The arrival and the end fill two pages each.
const Page ARRIVAL[2] = {
    {{"story_A1_a.tga", 60, 38},
     {"story_A1_b.jpg", 114, 88},
     {"story_A1_c.jpg", 87, 338},
     {"story_A1_d.png", 65, 75},
     {"story_A1_e.jpg", 517, 57},
     {"story_A1_f.jpg", 510, 293}},
    {{"story_A2_a.tga", 6, 39},
     {"story_A2_b.jpg", 54, 88},
     {"story_A2_c.jpg", 86, 336},
     {"story_A2_d.jpg", 61, 71},
     {"story_A2_e.jpg", 520, 56},
     {"story_A2_f.png", 22, 323},
     {"story_A2_g.jpg", 281, 313}}};

const Page ENDING[2] = {
    {{"story_C1_a.tga", 51, 37},
     {"story_C1_b.jpg", 62, 89},
     {"story_C1_c.jpg", 87, 336},
     {"story_C1_d.jpg", 307, 55},
     {"story_C1_e.png", 596, 76},
     {"story_C1_f.png", 69, 326},
     {"story_C1_g.jpg", 620, 318}},
    {{"story_C2_a.tga", 30, 30},
     {"story_C2_b.jpg", 35, 90},
     {"story_C2_c.jpg", 63, 337},
     {"story_C2_d.jpg", 124, 70},
     {"story_C2_e.jpg", 661, 46},
     {"story_C2_f.jpg", 324, 314},
     {"story_C2_g.jpg", 543, 301}}};

// The ten stories between share two page designs, odd and even; each story
// brings its own three pictures with words ("variant" 1 to 5 per design).
Page middlePage(int storyNumber)
{
    bool odd = storyNumber % 2 == 1;
    std::string design = odd ? "story_B1_" : "story_B2_";
    std::string variant = std::to_string(odd ? (storyNumber + 1) / 2 : storyNumber / 2) + ".png";
    if (odd)
        return {{design + "a.tga", 61, 127},
                {design + "b.jpg", 91, 188},
                {design + "text_a" + variant, 79, 176},
                {design + "text_b" + variant, 304, 150},
                {design + "text_c" + variant, 530, 165}};
    return {{design + "a.tga", 44, 114},
            {design + "b.jpg", 71, 188},
            {design + "text_a" + variant, 74, 144},
            {design + "text_b" + variant, 306, 176},
            {design + "text_c" + variant, 534, 152}};
}

// A page: the screen as it stands, dimmed, with the story's pictures on it.
void buildPage(const char* name, const Page& page)
{
    int id = CDraw::copyScreen(name);
    CDraw::drawImageOnto("dimmer.png", id, 0, 0);
    for (const Placed& placed : page)
        CDraw::drawImageOnto(placed.image.c_str(), id, placed.x, placed.y);
}

struct ButtonLook {
    const char* base;
    const char* shadow;
    const char* rollover;
};
const ButtonLook PREVIOUS_LOOK = {"story_buttonprevbase.png", "story_buttonprevshadow.png",
                                  "story_buttonprevrollover.png"};
const ButtonLook NEXT_LOOK = {"story_buttonnextbase.png", "story_buttonnextshadow.png",
                              "story_buttonnextrollover.png"};
const ButtonLook DONE_LOOK = {"story_buttondonebase.png", "story_buttondoneshadow.png",
                              "story_buttondonerollover.png"};

std::unique_ptr<CGuiButton> makeButton(CController* owner, int index, const WidgetPlace& place,
                                       const ButtonLook& look, bool isDefault)
{
    return std::make_unique<CGuiButton>(place.x, place.y, index, owner, look.base, look.shadow, look.rollover, nullptr,
                                        isDefault, 2, 2);
}

} // namespace

CControllerStory::CControllerStory(int storyNumber) : CController(CONTROLLER_STORY), storyNumber_(storyNumber)
{
    LoadPanels();
    LoadSprites();
}

CControllerStory::~CControllerStory()
{
    logMessage(LOG_DESTRUCT, "CControllerStory:  Destroying CControllerStory...\n");
    UnloadSprites();
}

bool CControllerStory::IsTwoPageStory(int storyNumber) { return storyNumber == 0 || storyNumber == 11; }

void CControllerStory::LoadPanels()
{
    if (IsTwoPageStory(storyNumber_)) {
        const Page* pages = storyNumber_ == 0 ? ARRIVAL : ENDING;
        buildPage(PAGE_IMAGES[0], pages[0]);
        buildPage(PAGE_IMAGES[1], pages[1]);
    } else if (storyNumber_ > 0 && storyNumber_ < STORY_COUNT) {
        buildPage(PAGE_IMAGES[0], middlePage(storyNumber_));
    } else {
        buildPage(PAGE_IMAGES[0], {});
    }
}

void CControllerStory::LoadSprites()
{
    if (spritesLoaded_)
        return;
    panel_ = makeWidgetSprite(KIND_SCREEN_DIMMER, PAGE_IMAGES[0], "Story Controller (STORY_LSPRITE_PANEL)", 0, 0, true);
    if (IsTwoPageStory(storyNumber_)) {
        panel_->addFrame(PAGE_IMAGES[1]);
        panel_->setFrame(0);
        buttons_[0] = makeButton(this, BUTTON_PREVIOUS, PREVIOUS_PAGE, PREVIOUS_LOOK, false);
        buttons_[1] = makeButton(this, BUTTON_NEXT, NEXT_PAGE, NEXT_LOOK, true);
        buttons_[2] = makeButton(this, BUTTON_DONE, NEXT_PAGE, DONE_LOOK, true);
        buttons_[0]->Hide();
        buttons_[2]->Hide();
    } else {
        buttons_[0] = makeButton(this, BUTTON_DONE, ONE_PAGE_DONE, DONE_LOOK, true);
    }
    CSound::playStoryMusic();
    CMousePointer::HideFor(-1);
    spritesLoaded_ = true;
}

void CControllerStory::UnloadSprites()
{
    if (!spritesLoaded_)
        return;
    CMousePointer::ShowHourglass(true);
    panel_.reset();
    for (std::unique_ptr<CGuiButton>& button : buttons_)
        button.reset();
    CDraw::releaseImage(PAGE_IMAGES[0]);
    if (IsTwoPageStory(storyNumber_))
        CDraw::releaseImage(PAGE_IMAGES[1]);
    spritesLoaded_ = false;
}

void CControllerStory::GUICallback(int index, int, bool)
{
    switch (index) {
    case BUTTON_DONE:
        SetExitCode(1);
        break;
    case BUTTON_PREVIOUS:
        panel_->setFrame(0);
        break;
    case BUTTON_NEXT:
        panel_->setFrame(1);
        break;
    default:
        break;
    }
}

void CControllerStory::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    InputGuiKey(this, released, key, true, true);
    InputScreenCapture(released, key);
}

void CControllerStory::InputMouseMotion(int, int) { CMousePointer::Tick(); }

void CControllerStory::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    if (left && !released && !CGuiButtonBase::GetHotButton())
        PlaySound(InterfaceSound::EmptyClick);
}

// Page 1 offers next; page 2 offers previous and done in its place.
void CControllerStory::UpdatePageButtons()
{
    bool second = panel_->getFrame() == 1;
    auto setShown = [](CGuiButton& button, bool shown) {
        if (shown && button.IsHidden())
            button.Show();
        else if (!shown && !button.IsHidden())
            button.Hide();
    };
    setShown(*buttons_[0], second);
    setShown(*buttons_[1], !second);
    setShown(*buttons_[2], second);
}

void CControllerStory::Pump()
{
    ProcessInput();
    if (!IsActive())
        return;
    if (IsTwoPageStory(storyNumber_))
        UpdatePageButtons();
    CGuiButtonBase::UpdateAll();
}
