#include "screens/ControllerInstructions.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Sprite.h"
#include "engine/TextLayout.h"
#include "screens/GuiButton.h"
#include "screens/InstructionPages.h"
#include "screens/ScreenParts.h"
#include "text/TextIds.h"

#include <string>

namespace {

const char* const PICTURE = "baseInstructions.png";

enum Strings {
    TOPIC_STEP = 10,
};

constexpr int HEADING_HEIGHT = 40;
constexpr int TITLE_Y = 37, SUBTITLE_Y = 73;

// The first topic: its heading across the page, its text beside the
// picture of a tutorial note.
constexpr int FIRST_TOPIC_BODY_X = 250, FIRST_TOPIC_BODY_WIDTH = 315;
constexpr int FIRST_TOPIC_PICTURE_X = 40, FIRST_TOPIC_PICTURE_Y = 150;

// The other topics: heading and subheading from the left margin, the text
// where the page's pictures leave room for it.
constexpr int TEXT_LEFT = 48;
constexpr int BODY_Y = 117, BODY_HEIGHT = 380;

} // namespace

CControllerInstructions::CControllerInstructions(int startPage) : CController(CONTROLLER_INSTRUCTIONS), page_(startPage)
{
    LoadSprites();
}

CControllerInstructions::~CControllerInstructions()
{
    logMessage(LOG_DESTRUCT, "CControllerInstructions:  Destroying CControllerInstructions...\n");
    UnloadSprites();
}

void CControllerInstructions::LoadSprites()
{
    if (loaded_)
        return;
    dimmer_ = makeDimmer(KIND_SCREEN_BACKGROUND, "Instructions Controller (INSTR_LSPRITE_DIMMER)");
    for (int i = 0; i < TOPIC_COUNT; ++i) {
        std::string caption = "krvl_button_class" + std::to_string(i) + "text.png";
        topics_[i] = makeStripButton(TopicPlace(i), i, this, caption.c_str(), false);
    }
    prev_ = makeStoryButton(PREV, BUTTON_PREV, this, "prev", false);
    prev_->SetDisableImage("story_buttonprevfade.png", 0, 0);
    done_ = makeStoryButton(DONE, BUTTON_DONE, this, "done", false);
    next_ = makeStoryButton(NEXT, BUTTON_NEXT, this, "next", true);
    next_->SetDisableImage("story_buttonnextfade.png", 0, 0);
    BuildPage();
    CMousePointer::HideFor(-1);
    loaded_ = true;
}

void CControllerInstructions::UnloadSprites()
{
    CMousePointer::ShowHourglass(true);
    if (!loaded_)
        return;
    dimmer_.reset();
    pageSprite_.reset();
    for (auto& topic : topics_)
        topic.reset();
    prev_.reset();
    done_.reset();
    next_.reset();
    CDraw::releaseImage(PICTURE);
    loaded_ = false;
}

void CControllerInstructions::BuildPage()
{
    if (pageSprite_) {
        pageSprite_.reset();
        CDraw::releaseImage(PICTURE);
    }
    if (page_ >= 1)
        prev_->Enable();
    else
        prev_->Disable();
    if (page_ <= TOPIC_COUNT - 1)
        next_->Enable();
    else
        next_->Disable();
    bool contents = page_ == 0;
    if (contents && topics_[0]->IsHidden()) {
        for (auto& topic : topics_)
            topic->Show();
    } else if (!contents && !topics_[0]->IsHidden()) {
        for (auto& topic : topics_)
            topic->Hide();
    }
    int image = CDraw::CopyImage("parchment.png", PICTURE, 0);
    drawPage(image);
    pageSprite_ = makeScreenSprite(KIND_SCREEN_BACKGROUND, PICTURE,
                                   "Instructions Controller (INSTR_LSPRITE_BACKGROUND)", PARCHMENT_X, PARCHMENT_Y);
}

void CControllerInstructions::drawPage(int image) const
{
    int width = CDraw::getImageWidth(image);
    if (page_ == 0) {
        CFontSystem::DrawString(TEXT_HOWTO_CONTENTS_TITLE, image, ALIGN_CENTRE, width, HEADING_HEIGHT, 0, TITLE_Y);
        CFontSystem::DrawString(TEXT_HOWTO_CONTENTS_LINE, image, ALIGN_CENTRE, width, HEADING_HEIGHT, 0, SUBTITLE_Y);
        return;
    }
    int title = TEXT_HOWTO_FIRST_TOPIC + TOPIC_STEP * (page_ - 1);
    if (page_ == 1) {
        CFontSystem::DrawString(title, image, ALIGN_CENTRE, width, HEADING_HEIGHT, 0, TITLE_Y);
        CFontSystem::DrawString(title + 1, image, ALIGN_LEFT, FIRST_TOPIC_BODY_WIDTH, BODY_HEIGHT, FIRST_TOPIC_BODY_X,
                                BODY_Y);
        CDraw::drawImageOnto("parchment_tutorial.png", image, FIRST_TOPIC_PICTURE_X, FIRST_TOPIC_PICTURE_Y);
        return;
    }
    InstructionPage layout = instructionPage(page_);
    CFontSystem::DrawString(title, image, ALIGN_LEFT, width, HEADING_HEIGHT, TEXT_LEFT, TITLE_Y);
    CFontSystem::DrawString(title + 1, image, ALIGN_LEFT, width, HEADING_HEIGHT, TEXT_LEFT, SUBTITLE_Y);
    CFontSystem::DrawString(title + 2, image, ALIGN_LEFT, layout.bodyWidth, BODY_HEIGHT, layout.bodyX, BODY_Y);
    for (int i = 0; i < layout.pictureCount; ++i) {
        const InstructionPicture& picture = layout.pictures[i];
        CDraw::drawImageOnto(picture.name, image, picture.x, picture.y);
    }
}

bool CControllerInstructions::AreTopicsShown() const { return !topics_[0]->IsHidden(); }
bool CControllerInstructions::IsPrevEnabled() const { return !prev_->IsHidden(); }
bool CControllerInstructions::IsNextEnabled() const { return !next_->IsHidden(); }

void CControllerInstructions::GUICallback(int index, int, bool)
{
    if (index >= 0 && index < TOPIC_COUNT) {
        page_ = index + 1;
        BuildPage();
        return;
    }
    switch (index) {
    case BUTTON_PREV:
        if (page_ >= 1) {
            --page_;
            BuildPage();
        }
        break;
    case BUTTON_DONE: SetExitCode(1); break;
    case BUTTON_NEXT:
        if (page_ <= TOPIC_COUNT - 1) {
            ++page_;
            BuildPage();
        }
        break;
    default: break;
    }
}

void CControllerInstructions::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    InputGuiKey(this, released, key, true, true);
    InputScreenCapture(released, key);
}

void CControllerInstructions::InputMouseMotion(int, int) { CMousePointer::Tick(); }

void CControllerInstructions::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    playEmptyClick(released, left);
}

void CControllerInstructions::Pump()
{
    ProcessInput();
    if (IsActive())
        CGuiButtonBase::UpdateAll();
}
