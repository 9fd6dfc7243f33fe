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
    auto instructions = open<Instructions>(0);
    EXPECT_EQ(instructions->GetPage(), 0);
    EXPECT_TRUE(instructions->AreTopicsShown());
    EXPECT_FALSE(instructions->IsPrevEnabled());
    EXPECT_TRUE(instructions->IsNextEnabled());
    instructions->GUICallback(Instructions::BUTTON_PREV, 0, false);
    EXPECT_EQ(instructions->GetPage(), 0);

    // Return presses Next, the default button, while nothing else is hot.
    for (int page = 1; page <= Instructions::TOPIC_COUNT; ++page) {
        press(*instructions, SDLK_RETURN);
        ASSERT_EQ(instructions->GetPage(), page);
        EXPECT_FALSE(instructions->AreTopicsShown());
        EXPECT_TRUE(instructions->IsPrevEnabled());
    }
    EXPECT_FALSE(instructions->IsNextEnabled());
    instructions->GUICallback(Instructions::BUTTON_NEXT, 0, false);
    EXPECT_EQ(instructions->GetPage(), Instructions::TOPIC_COUNT);

    for (int page = Instructions::TOPIC_COUNT - 1; page >= 0; --page)
        instructions->GUICallback(Instructions::BUTTON_PREV, 0, false);
    EXPECT_EQ(instructions->GetPage(), 0);
    EXPECT_TRUE(instructions->AreTopicsShown());
    EXPECT_FALSE(instructions->IsPrevEnabled());
}

TEST_F(ControllerInstructionsTest, TopicButtonsOpenTheirPagesAndDoneOrEscapeClose)
{
    auto instructions = open<Instructions>(0);
    instructions->GUICallback(0, 0, false);
    EXPECT_EQ(instructions->GetPage(), 1);
    instructions->GUICallback(Instructions::BUTTON_PREV, 0, false);
    instructions->GUICallback(17, 0, false);
    EXPECT_EQ(instructions->GetPage(), 18);
    instructions->GUICallback(Instructions::BUTTON_DONE, 0, false);
    EXPECT_EQ(instructions->GetExitCode(), 1);

    auto again = open<Instructions>(0);
    press(*again, SDLK_ESCAPE);
    EXPECT_EQ(again->GetExitCode(), 1);
}
