#include "screens/GuiListbox.h"
#include "screens/WidgetFixture.h"

using namespace corvelle_test;

namespace {

constexpr int INDEX = 7;

class GuiListboxTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        registerPicture("test_listbox.png", 200, 230, {240, 230, 200, 255});
        registerPicture("test_selector.png", 190, 20, {120, 160, 220, 255});
    }

    // A list at (100, 50) of 10 visible rows of 20 px, rows from (5, 10).
    std::unique_ptr<CGuiListbox> makeList(int rows, int visible = 10)
    {
        ListboxLayout layout{100, 50, 190, visible * 20 + 8, visible, 20, "test_listbox.png", "test_selector.png",
                             5, 10, 8, 12};
        auto list = std::make_unique<CGuiListbox>(INDEX, &screen, layout);
        list->AddColumn(120);
        list->AddColumn(60);
        for (int r = 0; r < rows; ++r)
            list->AddRow(100 + r, {"row " + std::to_string(r), std::to_string(r)});
        list->ForceRefresh();
        return list;
    }

    // Presses and releases the left button at (x, y) within one frame.
    void pressAt(int x, int y)
    {
        pointAt(x, y);
        CGuiButtonBase::UpdateAll();
        CGuiButtonBase::SetMouseButton(false, true);
        CGuiButtonBase::SetMouseButton(true, true);
    }

    std::tuple<int, int, bool> lastCallback() const { return screen.callbacks.back(); }
};

struct Place {
    int selected, top;
};

} // namespace

TEST_F(GuiListboxTest, ScrollingTables)
{
    enum Move { Down, Up, PageDown, PageUp, End, Home };
    struct Case {
        const char* name;
        int rows;
        Place start;
        Move move;
        Place after;
    } cases[] = {
        {"fewer rows than fit: one down", 4, {0, 0}, Down, {1, 0}},
        {"fewer rows than fit: page down stops at the last", 4, {1, 0}, PageDown, {3, 0}},
        {"fewer rows than fit: end", 4, {0, 0}, End, {3, 0}},
        {"fewer rows than fit: down at the end stays", 4, {3, 0}, Down, {3, 0}},
        {"exactly a page: page down", 10, {0, 0}, PageDown, {9, 0}},
        {"exactly a page: end", 10, {2, 0}, End, {9, 0}},
        {"exactly a page: page up", 10, {9, 0}, PageUp, {0, 0}},
        {"many pages: down from the last visible row scrolls one", 30, {9, 0}, Down, {10, 1}},
        {"many pages: up from the top row scrolls back one", 30, {10, 10}, Up, {9, 9}},
        {"many pages: page down", 30, {25, 16}, PageDown, {29, 20}},
        {"many pages: page up", 30, {29, 20}, PageUp, {19, 10}},
        {"many pages: end", 30, {3, 0}, End, {29, 20}},
        {"many pages: home", 30, {29, 20}, Home, {0, 0}},
        {"many pages: page up near the start", 30, {4, 2}, PageUp, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto list = makeList(c.rows);
        // Selecting the last row of a window that starts at `top` puts the
        // window there; then walk up to the start row.
        list->SelectIndex(c.start.top);
        while (list->GetSelectedIndex() < c.start.selected)
            list->ScrollDown(false, false);
        ASSERT_EQ(list->GetSelectedIndex(), c.start.selected);
        ASSERT_EQ(list->GetTopRow(), c.start.top);
        screen.callbacks.clear();
        sounds.clear();
        list->Update();
        switch (c.move) {
        case Down: list->ScrollDown(false, false); break;
        case Up: list->ScrollUp(false, false); break;
        case PageDown: list->ScrollDown(true, false); break;
        case PageUp: list->ScrollUp(true, false); break;
        case End: list->ScrollDown(false, true); break;
        case Home: list->ScrollUp(false, true); break;
        }
        EXPECT_EQ(list->GetSelectedIndex(), c.after.selected);
        EXPECT_EQ(list->GetTopRow(), c.after.top);
        // Every move reports the row, even one that went nowhere; only a
        // real move sounds.
        ASSERT_EQ(screen.callbacks.size(), 1u);
        EXPECT_EQ(lastCallback(), std::make_tuple(INDEX, 100 + c.after.selected, false));
        EXPECT_EQ(countSounds(InterfaceSound::Rollover), c.after.selected != c.start.selected ? 1 : 0);
    }
}

TEST_F(GuiListboxTest, SelectingPlacesTheWindow)
{
    auto list = makeList(30);
    list->SelectIndex(25);
    EXPECT_EQ(list->GetTopRow(), 20);
    list->SelectByValue(105);
    EXPECT_EQ(list->GetSelectedIndex(), 5);
    EXPECT_EQ(list->GetTopRow(), 5);
    EXPECT_EQ(lastCallback(), std::make_tuple(INDEX, 105, false));
    size_t reports = screen.callbacks.size();
    list->SelectByValue(999);
    list->SelectIndex(30);
    EXPECT_EQ(list->GetSelectedIndex(), 5);
    EXPECT_EQ(screen.callbacks.size(), reports);
}

TEST_F(GuiListboxTest, PressesSelectAndASecondPressIsADoubleClick)
{
    auto list = makeList(30);
    list->SelectIndex(12); // window from row 12
    screen.callbacks.clear();
    // Row 3 of the window: y = 50 + 10 + 3 * 20 + 5.
    pressAt(150, 125);
    EXPECT_EQ(list->GetSelectedIndex(), 15);
    EXPECT_EQ(lastCallback(), std::make_tuple(INDEX, 115, false));
    EXPECT_EQ(countSounds(InterfaceSound::Click), 1);
    // A second press on another row within the countdown reports the first
    // row as a double click.
    for (int frame = 0; frame < 5; ++frame)
        list->Update();
    pressAt(150, 185);
    EXPECT_EQ(lastCallback(), std::make_tuple(INDEX, 115, true));
    EXPECT_EQ(list->GetSelectedIndex(), 15);
    // After the countdown a press is a new first press.
    pressAt(150, 185);
    EXPECT_EQ(lastCallback(), std::make_tuple(INDEX, 118, false));
    for (int frame = 0; frame < CGuiListbox::DOUBLE_CLICK_FRAMES; ++frame)
        CGuiButtonBase::UpdateAll();
    pressAt(150, 65);
    EXPECT_EQ(lastCallback(), std::make_tuple(INDEX, 112, false));
    // Outside the row area nothing is taken.
    size_t reports = screen.callbacks.size();
    pressAt(50, 65);
    EXPECT_EQ(screen.callbacks.size(), reports);
}

TEST_F(GuiListboxTest, PressesBelowTheRowsSelectNothing)
{
    struct Case {
        const char* name;
        int rows;
        int y;
    } cases[] = {
        {"below the last of few rows", 3, 50 + 10 + 5 * 20 + 5},
        // The row area is 8 px taller than its ten rows: that strip is no row,
        // even when the list goes on below the window.
        {"in the partly visible strip under a full window", 30, 50 + 10 + 10 * 20 + 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto list = makeList(c.rows);
        screen.callbacks.clear();
        sounds.clear();
        pressAt(150, c.y);
        EXPECT_TRUE(screen.callbacks.empty());
        EXPECT_EQ(list->GetSelectedIndex(), 0);
        EXPECT_EQ(countSounds(InterfaceSound::Click), 0);
        for (int frame = 0; frame < CGuiListbox::DOUBLE_CLICK_FRAMES; ++frame)
            CGuiButtonBase::UpdateAll();
    }
}

TEST_F(GuiListboxTest, RemovingAndClearingRows)
{
    auto list = makeList(3);
    list->SelectIndex(2);
    list->RemoveRowAt(2);
    EXPECT_EQ(list->GetSelectedIndex(), 1);
    EXPECT_EQ(list->GetSelectedRow(), 101);
    list->RemoveRowByValue(100);
    EXPECT_EQ(list->GetRowCount(), 1);
    EXPECT_EQ(list->GetSelectedRow(), 101);
    EXPECT_EQ(list->GetText(0, 0), "row 1");
    list->RemoveRowByValue(555);
    list->RemoveRowAt(0);
    EXPECT_EQ(list->GetRowCount(), 0);
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    EXPECT_EQ(list->GetSelectedRow(), 0);
    list->ForceRefresh();
    EXPECT_TRUE(shown("GUI Listbox Contents"));
    // Nothing moves in an empty list and nothing is reported.
    screen.callbacks.clear();
    list->ScrollDown(false, true);
    list->ScrollUp(true, false);
    list->ActivateSelected(1);
    EXPECT_TRUE(screen.callbacks.empty());

    auto shortened = makeList(30);
    shortened->ScrollDown(false, true);
    for (int r = 0; r < 25; ++r)
        shortened->RemoveRowAt(0);
    EXPECT_EQ(shortened->GetSelectedIndex(), 4);
    EXPECT_EQ(shortened->GetTopRow(), 0);
    shortened->Clear();
    EXPECT_EQ(shortened->GetRowCount(), 0);
}

TEST_F(GuiListboxTest, ColumnsComeBeforeRowsAndTextsAreKept)
{
    ListboxLayout layout{0, 0, 190, 100, 5, 20, "test_listbox.png", "test_selector.png", 0, 0, 0, 0};
    CGuiListbox list(3, &screen, layout);
    list.AddColumn(100);
    {
        std::string name = "Temporary";
        list.AddRow(1, {name});
    }
    list.AddRow(2, {});
    list.AddColumn(50);
    EXPECT_EQ(list.GetText(0, 0), "Temporary");
    EXPECT_EQ(list.GetText(1, 0), "");
    EXPECT_EQ(list.GetText(0, 1), "");
    list.ActivateSelected(1);
    EXPECT_EQ(lastCallback(), std::make_tuple(3, 1, true));
}

TEST_F(GuiListboxTest, HideShowAndContentsPicture)
{
    auto list = makeList(5);
    list->Update();
    EXPECT_TRUE(shown("GUI Listbox Contents"));
    EXPECT_GE(CDraw::findImageId("lbcontent_7"), 0);
    list->Hide();
    EXPECT_FALSE(shown("GUI Listbox Contents"));
    pointAt(150, 80);
    EXPECT_FALSE(list->IsMouseOver());
    list->Show();
    EXPECT_TRUE(list->IsMouseOver());
    CGuiButtonBase::UpdateAll();
    EXPECT_EQ(CGuiButtonBase::GetHotId(), list->GetId());
    list.reset();
    EXPECT_EQ(CDraw::findImageId("lbcontent_7"), -1);
}
