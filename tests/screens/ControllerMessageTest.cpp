// The message boxes: their answers by button, Return and Escape, the
// background click, and what they leave behind.

#include "engine/Draw.h"
#include "screens/ControllerMessage.h"
#include "screens/ControllerMessageTutorial.h"
#include "screens/DialogFixture.h"
#include "text/TextIds.h"

#include <SDL.h>

using namespace corvelle_test;

namespace {

class MessageTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        registerDialogPictures();
    }

    // The box opened over the recording screen, as an opener does.
    void open(CController& box)
    {
        screen.LoadController(&box);
        CGuiButtonBase::UpdateAll();
    }

    static void press(CController& box, int key)
    {
        box.InputKey(false, key);
        box.InputKey(true, key);
    }

    // A left click at (x, y) as the input module delivers it.
    static void click(CController& box, int x, int y)
    {
        pointAt(x, y);
        CGuiButtonBase::UpdateAll();
        box.InputMouseButton(false, true, false, false, false);
        CGuiButtonBase::SetMouseButton(false, true);
        box.InputMouseButton(true, true, false, false, false);
        CGuiButtonBase::SetMouseButton(true, true);
    }
    static void click(CController& box, const WidgetPlace& button) { click(box, button.centreX(), button.centreY()); }
};

TEST_F(MessageTest, AnswersByKeyFollowTheKindOfBox)
{
    struct Case {
        bool yesNo;
        int key;
        bool yes;
    };
    // Escape answers no to a question and OK to a notice; Return presses
    // the default button, Cancel of a question and OK of a notice.
    const Case cases[] = {{true, SDLK_ESCAPE, false}, {false, SDLK_ESCAPE, true}, {true, SDLK_RETURN, false},
                          {false, SDLK_RETURN, true}, {false, SDLK_SPACE, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "yesNo " << c.yesNo << " key " << c.key);
        CControllerMessage box(TEXT_QUIT_TITLE, TEXT_QUIT_BODY, c.yesNo);
        open(box);
        EXPECT_EQ(box.GetExitCode(), 0);
        press(box, c.key);
        EXPECT_EQ(box.GetExitCode(), 1);
        EXPECT_EQ(box.GetAnswerYes(), c.yes);
    }
}

TEST_F(MessageTest, ButtonsAnswerAndTheBackgroundOnlyClicks)
{
    {
        CControllerMessage box(TEXT_QUIT_TITLE, TEXT_QUIT_BODY, true);
        open(box);
        EXPECT_EQ(spritesNamed("GUI Button Base").size(), 2u);
        click(box, 300, 200); // on the panel, over no button
        EXPECT_EQ(countSounds(InterfaceSound::EmptyClick), 1);
        EXPECT_EQ(box.GetExitCode(), 0);
        click(box, CControllerMessage::QUESTION_OK);
        EXPECT_EQ(box.GetExitCode(), 1);
        EXPECT_TRUE(box.GetAnswerYes());
    }
    {
        CControllerMessage box(TEXT_QUIT_TITLE, TEXT_QUIT_BODY, true);
        open(box);
        click(box, CControllerMessage::QUESTION_CANCEL);
        EXPECT_EQ(box.GetExitCode(), 1);
        EXPECT_FALSE(box.GetAnswerYes());
    }
    {
        CControllerMessage notice(CControllerMessage::NO_TEXT, TEXT_NO_START_TUBE_BODY, false,
                                  "a very long level file name.lvl");
        open(notice);
        EXPECT_EQ(spritesNamed("GUI Button Base").size(), 1u);
        click(notice, CControllerMessage::NOTICE_OK);
        EXPECT_EQ(notice.GetExitCode(), 1);
        EXPECT_TRUE(notice.GetAnswerYes());
    }
}

TEST_F(MessageTest, ABoxLeavesNoSpriteOrPictureBehind)
{
    size_t before = CSprite::getAllSprites().size();
    {
        CControllerMessage box(TEXT_SOLUTION_TITLE, CControllerMessage::NO_TEXT, true);
        EXPECT_TRUE(shown("Message Controller (MESSAGE_LSPRITE_DIMMER)"));
        EXPECT_TRUE(shown("Message Controller (MESSAGE_LSPRITE_BACKGROUND)"));
        EXPECT_NE(CDraw::findImageId("baseMessageController.png"), -1);
    }
    EXPECT_EQ(CSprite::getAllSprites().size(), before);
    EXPECT_EQ(CDraw::findImageId("baseMessageController.png"), -1);
}

TEST_F(MessageTest, TutorialPanelTurnsItsStarAndClosesOnOk)
{
    size_t before = CSprite::getAllSprites().size();
    {
        CControllerMessageTutorial box;
        open(box);
        CSprite& star = spriteNamed("Message Tutorial Controller (MESSAGETUT_LSPRITE_TUTORIAL)");
        EXPECT_EQ(star.getFrameCount(), 60);
        EXPECT_TRUE(star.isPlayingForward());
        click(box, 250, 250);
        EXPECT_EQ(box.GetExitCode(), 0);
        EXPECT_EQ(countSounds(InterfaceSound::EmptyClick), 1);
        click(box, CControllerMessageTutorial::OK);
        EXPECT_EQ(box.GetExitCode(), 1);
        EXPECT_EQ(box.GetReturnValue(), 0);
    }
    {
        CControllerMessageTutorial box;
        open(box);
        press(box, SDLK_ESCAPE);
        EXPECT_EQ(box.GetExitCode(), 1);
    }
    EXPECT_EQ(CSprite::getAllSprites().size(), before);
}

} // namespace
