// The text box: what each key types, the length limit, line breaks, the
// masked display, typed markup, and the cursor's place and blink.
#include "engine/FontSystem.h"
#include "screens/GuiTextbox.h"
#include "screens/WidgetFixture.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <utility>
#include <vector>

using namespace corvelle_test;

namespace {

constexpr int BOX_X = 100, BOX_Y = 50, TEXT_DX = 6, TEXT_DY = 4;

class GuiTextboxTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        CFontSystem::Init((resourceDir() + "/").c_str(), (resourceDir() + "/resource5.dat").c_str());
        registerPicture("test_box.png", 300, 60, {250, 250, 250, 255});
        registerPicture("test_cursor.png", 2, 18, {0, 0, 0, 255});
    }
    void TearDown() override
    {
        CFontSystem::Shutdown();
        WidgetTest::TearDown();
    }

    struct Flags {
        bool spaces = true, punctuation = true, lineBreaks = false;
    };

    static std::unique_ptr<CGuiTextbox> makeBox(int maxLength, Flags flags)
    {
        return std::make_unique<CGuiTextbox>(maxLength, BOX_X, BOX_Y, TEXT_DX, TEXT_DY, "test_box.png",
                                             "test_cursor.png", flags.spaces, flags.punctuation, flags.lineBreaks);
    }

    static void typeWord(CGuiTextbox& box, const std::string& word)
    {
        for (char c : word)
            box.HandleKey(c, false);
    }

    // The picture the box shows now.
    static int shownImage() { return spriteNamed("GUI Textbox").getFrameSurface(0); }
};

// A key press: the key and whether Shift is held.
using Press = std::pair<int, bool>;

} // namespace

TEST_F(GuiTextboxTest, KeysTypeAsOnAUsKeyboardWithinTheBoxsSwitches)
{
    const Flags all{true, true, false};
    const Flags plain{true, false, false};
    const Flags noSpaces{false, false, false};
    struct Case {
        const char* what;
        Flags flags;
        std::vector<Press> keys;
        std::string text;
    } cases[] = {
        {"letters", all, {{SDLK_a, false}, {SDLK_z, true}, {SDLK_q, false}}, "aZq"},
        {"digits", plain, {{SDLK_0, false}, {SDLK_9, false}, {SDLK_5, true}}, "095"},
        {"shifted digits", all, {{SDLK_1, true}, {SDLK_5, true}, {SDLK_0, true}, {SDLK_8, true}}, "!%)*"},
        {"quote, semicolon, slash", all,
         {{SDLK_QUOTE, false}, {SDLK_QUOTE, true}, {SDLK_SEMICOLON, false}, {SDLK_SEMICOLON, true},
          {SDLK_SLASH, false}, {SDLK_SLASH, true}},
         "'\";:/?"},
        {"marks Shift leaves alone", all,
         {{SDLK_COMMA, true}, {SDLK_MINUS, false}, {SDLK_PERIOD, true}, {SDLK_BACKSLASH, false},
          {SDLK_BACKQUOTE, false}},
         ",-.\\`"},
        {"no punctuation", plain,
         {{SDLK_COMMA, false}, {SDLK_PERIOD, false}, {SDLK_MINUS, false}, {SDLK_SEMICOLON, false},
          {SDLK_SLASH, false}, {SDLK_QUOTE, true}, {SDLK_a, false}},
         "a"},
        {"spaces", plain, {{SDLK_a, false}, {SDLK_SPACE, false}, {SDLK_b, false}}, "a b"},
        {"no spaces", noSpaces, {{SDLK_a, false}, {SDLK_SPACE, false}, {SDLK_b, false}}, "ab"},
        {"return without line breaks", all, {{SDLK_a, false}, {SDLK_RETURN, false}}, "a"},
        {"keys outside the table", all,
         {{SDLK_F1, false}, {SDLK_LEFT, false}, {SDLK_TAB, false}, {SDLK_ESCAPE, false}, {SDLK_KP5, false}}, ""},
        {"backspace and delete", all, {{SDLK_a, false}, {SDLK_b, false}, {SDLK_BACKSPACE, false}, {SDLK_c, false},
                                      {SDLK_DELETE, false}, {SDLK_DELETE, false}, {SDLK_BACKSPACE, false}},
         ""},
    };
    for (const Case& c : cases) {
        auto box = makeBox(15, c.flags);
        for (const Press& press : c.keys)
            box->HandleKey(press.first, press.second);
        EXPECT_EQ(std::string(box->GetText()), c.text) << c.what;
    }
}

TEST_F(GuiTextboxTest, TheLengthLimitHoldsForTypingPresetsAndLineBreaks)
{
    auto name = makeBox(15, {});
    typeWord(*name, "abcdefghijklmnop");
    EXPECT_EQ(std::string(name->GetText()), "abcdefghijklmno");
    name->HandleKey(SDLK_BACKSPACE, false);
    EXPECT_EQ(std::string(name->GetText()), "abcdefghijklmn");

    // A server's suggestion or any preset longer than the box is cut, and
    // never leaves half a line-break marker.
    name->SetText("a_suggestion_far_longer_than_fifteen");
    EXPECT_EQ(std::string(name->GetText()), "a_suggestion_fa");
    name->SetText("abcdefghijklmn%n");
    EXPECT_EQ(std::string(name->GetText()), "abcdefghijklmn");

    auto note = makeBox(250, {true, true, true});
    note->SetText(std::string(249, 'x').c_str());
    note->HandleKey(SDLK_RETURN, false);
    EXPECT_EQ(std::string(note->GetText()).size(), 249u) << "no room for the marker";
    note->HandleKey(SDLK_BACKSPACE, false);
    note->HandleKey(SDLK_RETURN, false);
    EXPECT_EQ(std::string(note->GetText()), std::string(248, 'x') + "%n");
    note->HandleKey(SDLK_BACKSPACE, false);
    EXPECT_EQ(std::string(note->GetText()), std::string(248, 'x')) << "the marker goes as one";
}

TEST_F(GuiTextboxTest, TheCursorFollowsTheTextAndALineBreakStartsANewLine)
{
    auto box = makeBox(250, {true, true, true});
    EXPECT_EQ(box->GetCursorX(), BOX_X + TEXT_DX);
    EXPECT_EQ(box->GetCursorY(), BOX_Y + TEXT_DY);
    typeWord(*box, "hello");
    int afterHello = box->GetCursorX();
    EXPECT_GT(afterHello, BOX_X + TEXT_DX + 20);
    EXPECT_EQ(box->GetCursorY(), BOX_Y + TEXT_DY);
    box->HandleKey(SDLK_RETURN, false);
    EXPECT_EQ(box->GetCursorX(), BOX_X + TEXT_DX);
    EXPECT_GT(box->GetCursorY(), BOX_Y + TEXT_DY + 10);
    box->HandleKey(SDLK_BACKSPACE, false);
    EXPECT_EQ(box->GetCursorX(), afterHello);
}

TEST_F(GuiTextboxTest, AOneLineBoxScrollsSoThatTheEndAndTheCursorStayInside)
{
    constexpr int BOX_WIDTH = 300, CURSOR_WIDTH = 2;
    auto box = makeBox(40, {});
    typeWord(*box, "ww");
    const int shortEnd = box->GetCursorX();
    for (int i = 0; i < 38; ++i)
        box->HandleKey(SDLK_w, true);
    ASSERT_EQ(std::string(box->GetText()).size(), 40u);
    const int cursorX = box->GetCursorX();
    EXPECT_EQ(cursorX + CURSOR_WIDTH, BOX_X + BOX_WIDTH - TEXT_DX) << "the end sits at the right edge";
    EXPECT_EQ(box->GetCursorY(), BOX_Y + TEXT_DY) << "and stays on the first line";

    // The last letter is drawn just left of the cursor, and nothing is drawn
    // into the box's right margin.
    SDL_Surface* picture = CDraw::getImageSurface(shownImage());
    auto inkInColumns = [picture](int from, int to) {
        for (int x = from; x < to; ++x)
            for (int y = TEXT_DY; y < picture->h; ++y) {
                Uint8 r, g, b;
                SDL_GetRGB(static_cast<const Uint32*>(picture->pixels)[y * picture->pitch / 4 + x], picture->format,
                           &r, &g, &b);
                if (r < 200)
                    return true;
            }
        return false;
    };
    const int cursorInPicture = cursorX - BOX_X;
    EXPECT_TRUE(inkInColumns(cursorInPicture - 8, cursorInPicture));
    EXPECT_FALSE(inkInColumns(BOX_WIDTH - TEXT_DX, BOX_WIDTH));

    for (int i = 0; i < 38; ++i)
        box->HandleKey(SDLK_BACKSPACE, false);
    EXPECT_EQ(box->GetCursorX(), shortEnd) << "a short text is not scrolled";
}

TEST_F(GuiTextboxTest, MarkupTypedIntoTheBoxShowsAsTypedAndSwitchesNothing)
{
    auto plain = makeBox(15, {});
    typeWord(*plain, "abc");
    int plainEnd = plain->GetCursorX();

    auto markup = makeBox(15, {});
    markup->SetText("%b%1%u%i");
    EXPECT_GT(markup->GetCursorX(), BOX_X + TEXT_DX + 20) << "the marks are drawn as characters";
    // Had "%b" switched bold on, it would still be on for the next text.
    markup->SetText("abc");
    EXPECT_EQ(markup->GetCursorX(), plainEnd);
}

TEST_F(GuiTextboxTest, AMaskedBoxShowsAsterisksButKeepsTheText)
{
    auto narrow = makeBox(10, {false, false, false});
    auto wide = makeBox(10, {false, false, false});
    typeWord(*narrow, "iii");
    typeWord(*wide, "mmm");
    EXPECT_NE(narrow->GetCursorX(), wide->GetCursorX());
    narrow->SetMasked(true);
    wide->SetMasked(true);
    EXPECT_EQ(narrow->GetCursorX(), wide->GetCursorX());
    EXPECT_EQ(std::string(narrow->GetText()), "iii");
}

TEST_F(GuiTextboxTest, KeysOutsideTheTableLeaveThePictureAsItWas)
{
    auto box = makeBox(15, {});
    typeWord(*box, "ab");
    int before = shownImage();
    for (int key : {SDLK_F1, SDLK_UP, SDLK_TAB, SDLK_ESCAPE, SDLK_LSHIFT})
        box->HandleKey(key, false);
    EXPECT_EQ(shownImage(), before);
    box->HandleKey(SDLK_c, false);
    EXPECT_NE(shownImage(), before);
}

TEST_F(GuiTextboxTest, TheCursorShowsForSevenFramesAndHidesForTen)
{
    auto box = makeBox(15, {});
    std::string pattern;
    for (int frame = 0; frame < 34; ++frame) {
        box->BlinkCursor();
        pattern += box->IsCursorShown() ? '#' : '.';
    }
    EXPECT_EQ(pattern, "#######..........#######..........");
    box->Hide();
    box->BlinkCursor();
    EXPECT_FALSE(box->IsCursorShown());
    EXPECT_FALSE(box->IsMouseOver());
}
