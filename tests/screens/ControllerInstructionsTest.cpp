#include "screens/ControllerInstructions.h"
#include "screens/PlayerScreenFixture.h"

using namespace corvelle_test;

namespace {

using Instructions = CControllerInstructions;

class ControllerInstructionsTest : public PlayerScreenTest
{
};

} // namespace

TEST_F(ControllerInstructionsTest, PagesRunFromTheContentsToTheLastTopicAndBack)
{
    auto screen = open<Instructions>(0);
    EXPECT_EQ(screen->GetPage(), 0);
    EXPECT_TRUE(screen->AreTopicsShown());
    EXPECT_FALSE(screen->IsPrevEnabled());
    EXPECT_TRUE(screen->IsNextEnabled());
    screen->GUICallback(Instructions::BUTTON_PREV, 0, false);
    EXPECT_EQ(screen->GetPage(), 0);

    // Return presses Next, the default button, while nothing else is hot.
    for (int page = 1; page <= Instructions::TOPIC_COUNT; ++page) {
        press(*screen, SDLK_RETURN);
        ASSERT_EQ(screen->GetPage(), page);
        EXPECT_FALSE(screen->AreTopicsShown());
        EXPECT_TRUE(screen->IsPrevEnabled());
    }
    EXPECT_FALSE(screen->IsNextEnabled());
    screen->GUICallback(Instructions::BUTTON_NEXT, 0, false);
    EXPECT_EQ(screen->GetPage(), Instructions::TOPIC_COUNT);

    for (int page = Instructions::TOPIC_COUNT - 1; page >= 0; --page)
        screen->GUICallback(Instructions::BUTTON_PREV, 0, false);
    EXPECT_EQ(screen->GetPage(), 0);
    EXPECT_TRUE(screen->AreTopicsShown());
    EXPECT_FALSE(screen->IsPrevEnabled());
}

TEST_F(ControllerInstructionsTest, TopicButtonsOpenTheirPagesAndDoneOrEscapeClose)
{
    auto screen = open<Instructions>(0);
    screen->GUICallback(0, 0, false);
    EXPECT_EQ(screen->GetPage(), 1);
    screen->GUICallback(Instructions::BUTTON_PREV, 0, false);
    screen->GUICallback(17, 0, false);
    EXPECT_EQ(screen->GetPage(), 18);
    screen->GUICallback(Instructions::BUTTON_DONE, 0, false);
    EXPECT_EQ(screen->GetExitCode(), 1);

    auto again = open<Instructions>(0);
    press(*again, SDLK_ESCAPE);
    EXPECT_EQ(again->GetExitCode(), 1);
}
