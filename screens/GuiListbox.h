#pragma once

#include "screens/GuiButtonBase.h"
#include "screens/WidgetPlace.h"

#include <memory>
#include <string>
#include <vector>

class CSprite;

// Where a list box's picture and rows lie: the box's top-left corner, the
// row area (its offset from the corner and its size), how many rows the
// window shows and how tall each is, and where the first column's text
// begins within the picture.
struct ListboxLayout {
    int x, y;
    int width, height;
    int visibleRows;
    int rowHeight;
    const char* backgroundImage;
    const char* selectorImage;
    int rowsDx, rowsDy;
    int textDx, textDy;
};

// Where the n-th visible row of a list box lies.
constexpr WidgetPlace listRowPlace(const ListboxLayout& layout, int row)
{
    return {layout.x + layout.rowsDx, layout.y + layout.rowsDy + row * layout.rowHeight,
            {layout.width, layout.rowHeight}};
}

// Rows of text in fixed columns over a background picture, one row marked
// by the selector picture, a window of visible rows that scrolls. Each row
// carries a value (an index into the owner's own records); the owner's
// GUICallback(callbackIndex, value of the selected row, dclick) hears
// every change of selection, and dclick is true for a second press within
// 15 frames or for ActivateSelected.
//
// The list box takes clicks on the left-button press and is never the
// default widget. Its picture is composed under "lbcontent_<callback
// index>", so two list boxes alive at once need different indexes. The
// rows keep their own copies of the texts.
class CGuiListbox : public CGuiButtonBase
{
public:
    // Frames within which a second press counts as a double click.
    static constexpr int DOUBLE_CLICK_FRAMES = 15;
    // Pixels a cell's text keeps clear of the next column and of the right
    // edge of the list's picture.
    static constexpr int CELL_GAP = 6;

    CGuiListbox(int callbackIndex, CController* owner, const ListboxLayout& layout);
    ~CGuiListbox() override;

    // Columns come first: once a row was added, a new column is refused.
    void AddColumn(int width);
    // One text per column; missing texts are empty. The selection stays.
    void AddRow(int value, std::vector<std::string> texts);
    // The selection stays on the same index, or the new last row.
    void RemoveRowAt(int index);
    void RemoveRowByValue(int value);
    void Clear();

    int GetRowCount() const { return static_cast<int>(values_.size()); }
    // 0 when the list is empty.
    int GetSelectedIndex() const;
    // The selected row's value; 0 when the list is empty.
    int GetSelectedRow() const;
    int GetTopRow() const { return top_; }
    const std::string& GetText(int row, int column) const;
    // The value of a row; 0 for a row that is not there.
    int GetRowValue(int row) const;

    // Each moves the selection and reports it to the owner (dclick false).
    // SelectByValue with a value no row has does nothing.
    void SelectIndex(int index);
    void SelectByValue(int value);
    void ScrollDown(bool page, bool toEnd);
    void ScrollUp(bool page, bool toStart);
    // Draws the contents now (after the rows changed).
    void ForceRefresh();
    // With the left button down or a key, reports the selected row as a
    // double click.
    void ActivateSelected(char key);
    // The visible rows on the debug log channel.
    void DumpRows() const;

    void Update() override;
    bool Click(char key, bool forced) override;
    void Hide() override;
    void Show() override;
    bool IsMouseOver() override;
    void WarpMouseTo() override;

private:
    void place(int index);
    void afterScroll();
    void reportSelection(bool dclick);
    void redraw();
    int cellTextWidth(size_t column, int pictureWidth) const;
    std::string contentName() const;

    std::unique_ptr<CSprite> contents_;
    ListboxLayout layout_;
    int top_ = 0;
    int selected_ = 0;
    int lastDrawn_ = -1;
    int lastDrawnTop_ = 0;
    std::vector<int> columnWidths_;
    std::vector<int> values_;
    std::vector<std::vector<std::string>> texts_;
    bool rowsAdded_ = false;
    int doubleClickCountdown_ = 0;
};
