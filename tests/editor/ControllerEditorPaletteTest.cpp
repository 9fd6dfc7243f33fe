// The editor's toolbox: what it selects, how it is cancelled and how a held
// arrow moves its selector.

#include "editor/ControllerEditorPalette.h"
#include "levels/ElementCodes.h"
#include "screens/WidgetFixture.h"

#include <SDL.h>
#include <gtest/gtest.h>

using namespace corvelle_test;

namespace {

class PaletteTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        for (const char* name : {"dimmer.png", "editortoolbox_border.tga", "editortoolbox_main.jpg",
                                 "toolboxselector.png", "mousepointer.tga"})
            registerPicture(name, 8, 8, {0, 0, 0, 255});
        palette = std::make_unique<CControllerEditorPalette>();
        open();
    }

    void TearDown() override
    {
        palette.reset();
        WidgetTest::TearDown();
    }

    void open()
    {
        screen.LoadController(palette.get());
        CController::PumpCurrent();
    }

    // One frame of the stack; true while the toolbox is still open.
    bool frame()
    {
        CController::PumpCurrent();
        return CController::GetCurrent() == palette.get();
    }

    void key(int k)
    {
        palette->InputKey(false, k);
        if (CController::GetCurrent() == palette.get())
            palette->InputKey(true, k);
    }

    void click(int x, int y, bool right = false)
    {
        palette->InputMouseMotion(x, y);
        palette->InputMouseButton(false, !right, right, false, false);
        palette->InputMouseButton(true, !right, right, false, false);
    }

    CSprite& selector() { return spriteNamed("Palette - Toolbox Selector"); }

    std::unique_ptr<CControllerEditorPalette> palette;
};

// The screen point in the middle of a palette cell.
int cellX(int code) { return (code % 6) * 68 + 192 + 30; }
int cellY(int code) { return (code / 6) * 51 + 65 + 25; }

} // namespace

TEST_F(PaletteTest, FirstOpeningShowsTheSelectorOnTheEraser)
{
    EXPECT_EQ(palette->GetSelection(), EC_NONE);
    EXPECT_EQ(selector().getX(false), 5 * 68 + 192);
    EXPECT_EQ(selector().getY(false), 65);
    EXPECT_TRUE(shown("Palette - Toolbox"));
}

TEST_F(PaletteTest, CancellingByEscapeOrByClickResetsItsOwnSelections)
{
    struct Row {
        int selected;
        int afterEscape;
        int afterClick;
    };
    // Escape never starts a command and keeps every brush; a click outside
    // or a right click drops the top row and the commands down to Test,
    // while Record, Play and Quit stay chosen; other brushes and the
    // backgrounds stay either way.
    const Row rows[] = {{EC_CTRL_HELP, EC_NONE, EC_NONE},
                        {EC_CTRL_NEW, EC_NONE, EC_NONE},
                        {EC_CTRL_TEST, EC_NONE, EC_NONE},
                        {EC_CTRL_RECORD, EC_NONE, EC_CTRL_RECORD},
                        {EC_CTRL_PLAY, EC_NONE, EC_CTRL_PLAY},
                        {EC_CTRL_EXIT, EC_NONE, EC_CTRL_EXIT},
                        {EC_FREEZE_MODE, EC_FREEZE_MODE, EC_NONE},
                        {EC_TUTORIAL, EC_TUTORIAL, EC_NONE},
                        {EC_DEVICE_TUBE_START, EC_DEVICE_TUBE_START, EC_NONE},
                        {EC_TERRAIN_GRASS, EC_TERRAIN_GRASS, EC_TERRAIN_GRASS},
                        {23, 23, 23}};
    for (const Row& row : rows) {
        for (int way = 0; way < 3; ++way) {
            SCOPED_TRACE(std::to_string(row.selected) + " way " + std::to_string(way));
            palette->SetSelection(row.selected);
            frame();
            // The toolbox ignores the release of the click that opened it.
            palette->InputMouseButton(true, true, false, false, false);
            if (way == 0)
                key(SDLK_ESCAPE);
            else if (way == 1)
                click(700, 300, true); // right click
            else
                click(60, 60); // a click on the dimmed screen outside the toolbox
            EXPECT_FALSE(frame());
            EXPECT_EQ(palette->GetSelection(), way == 0 ? row.afterEscape : row.afterClick);
            open();
        }
    }
}

TEST_F(PaletteTest, TheReleaseOfTheOpeningClickDoesNotCloseIt)
{
    palette->InputMouseMotion(cellX(EC_TERRAIN_SAND), cellY(EC_TERRAIN_SAND));
    palette->InputMouseButton(true, true, false, false, false);
    EXPECT_TRUE(frame());
    EXPECT_EQ(palette->GetSelection(), EC_NONE);
}

TEST_F(PaletteTest, APressOnOneCellAndAReleaseOnAnotherChoosesTheSecond)
{
    palette->InputMouseMotion(cellX(EC_TERRAIN_SAND), cellY(EC_TERRAIN_SAND));
    palette->InputMouseButton(false, true, false, false, false);
    EXPECT_TRUE(frame());
    EXPECT_EQ(palette->GetSelection(), EC_TERRAIN_SAND);
    palette->InputMouseMotion(cellX(EC_LADDER), cellY(EC_LADDER));
    palette->InputMouseButton(true, true, false, false, false);
    EXPECT_FALSE(frame());
    EXPECT_EQ(palette->GetSelection(), EC_LADDER);
}

TEST_F(PaletteTest, AHeldArrowMovesOnceThenWaitsThreeFramesThenMovesEveryFrame)
{
    palette->SetSelection(EC_DEVICE_TUBE_START); // column 4, row 0
    palette->InputKey(false, SDLK_DOWN);
    std::vector<int> rows;
    for (int n = 0; n < 12; ++n) {
        ASSERT_TRUE(frame());
        rows.push_back(palette->GetSelection() / 6);
    }
    EXPECT_EQ(rows, (std::vector<int>{1, 1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 8}));
    EXPECT_EQ(selector().getY(false), 8 * 51 + 65);
    palette->InputKey(true, SDLK_DOWN);
    frame();
    EXPECT_EQ(palette->GetSelection(), 52);
}

TEST_F(PaletteTest, KeysSelectAsOnTheBoardAndReturnChooses)
{
    key(SDLK_y);
    EXPECT_EQ(palette->GetSelection(), EC_TERRAIN_GRASS);
    key(SDLK_F3);
    EXPECT_EQ(palette->GetSelection(), 23);
    key(SDLK_BACKSPACE);
    EXPECT_EQ(palette->GetSelection(), EC_NONE);
    key(SDLK_RETURN);
    EXPECT_FALSE(frame());
    EXPECT_EQ(palette->GetSelection(), EC_NONE);
}
