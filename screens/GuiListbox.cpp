#include "screens/GuiListbox.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Input.h"
#include "engine/Log.h"
#include "engine/Sprite.h"
#include "engine/TextLayout.h"
#include "screens/Controller.h"
#include "screens/WidgetSprite.h"
#include "text/TextIds.h"

#include <algorithm>

namespace {

const std::string kNoText;

} // namespace

CGuiListbox::CGuiListbox(int callbackIndex, CController* owner, const ListboxLayout& layout)
    : CGuiButtonBase(layout.x, layout.y, callbackIndex, owner, false), layout_(layout)
{
    clickOnRelease_ = false;
}

CGuiListbox::~CGuiListbox()
{
    if (contents_) {
        contents_.reset();
        CDraw::releaseImage(contentName().c_str());
    }
}

std::string CGuiListbox::contentName() const { return "lbcontent_" + std::to_string(callbackIndex_); }

void CGuiListbox::AddColumn(int width)
{
    if (rowsAdded_) {
        logMessage(LOG_ERROR, "Cannot add new listbox columns.  Rows have already been added.\n");
        return;
    }
    columnWidths_.push_back(width);
}

void CGuiListbox::AddRow(int value, std::vector<std::string> texts)
{
    texts.resize(columnWidths_.size());
    values_.push_back(value);
    texts_.push_back(std::move(texts));
    rowsAdded_ = true;
    lastDrawn_ = -1;
}

void CGuiListbox::RemoveRowAt(int index)
{
    if (index < 0 || index >= GetRowCount())
        return;
    values_.erase(values_.begin() + index);
    texts_.erase(texts_.begin() + index);
    if (selected_ > GetRowCount() - 1)
        selected_ = GetRowCount() - 1;
    // The window never hangs past the end of a shortened list.
    top_ = std::max(0, std::min(top_, GetRowCount() - layout_.visibleRows));
    lastDrawn_ = -1;
}

void CGuiListbox::RemoveRowByValue(int value)
{
    auto found = std::find(values_.begin(), values_.end(), value);
    if (found != values_.end())
        RemoveRowAt(static_cast<int>(found - values_.begin()));
}

void CGuiListbox::Clear()
{
    values_.clear();
    texts_.clear();
    top_ = 0;
    selected_ = 0;
    doubleClickCountdown_ = 0;
    lastDrawn_ = -1;
}

int CGuiListbox::GetSelectedIndex() const { return values_.empty() ? 0 : selected_; }

int CGuiListbox::GetSelectedRow() const { return values_.empty() ? 0 : values_[selected_]; }

const std::string& CGuiListbox::GetText(int row, int column) const
{
    if (row < 0 || row >= GetRowCount() || column < 0 || column >= static_cast<int>(columnWidths_.size()))
        return kNoText;
    return texts_[row][column];
}

int CGuiListbox::GetRowValue(int row) const
{
    return row >= 0 && row < GetRowCount() ? values_[row] : 0;
}

void CGuiListbox::reportSelection(bool dclick) { owner_->GUICallback(callbackIndex_, GetSelectedRow(), dclick); }

void CGuiListbox::place(int index)
{
    int count = GetRowCount();
    selected_ = index;
    top_ = index + layout_.visibleRows > count ? std::max(0, count - layout_.visibleRows) : index;
    lastDrawn_ = -1;
    reportSelection(false);
}

void CGuiListbox::SelectIndex(int index)
{
    if (index >= 0 && index < GetRowCount())
        place(index);
}

void CGuiListbox::SelectByValue(int value)
{
    auto found = std::find(values_.begin(), values_.end(), value);
    if (found != values_.end())
        place(static_cast<int>(found - values_.begin()));
}

void CGuiListbox::afterScroll()
{
    reportSelection(false);
    if (selected_ != lastDrawn_)
        CController::PlaySound(InterfaceSound::Rollover);
}

void CGuiListbox::ScrollDown(bool page, bool toEnd)
{
    const int count = GetRowCount(), visible = layout_.visibleRows;
    if (count == 0)
        return;
    if (toEnd) {
        selected_ = count - 1;
        top_ = visible <= count ? count - visible : 0;
    } else if (page) {
        selected_ = std::min(selected_ + visible, count - 1);
        if (count > visible)
            top_ = std::min(top_ + visible, count - visible);
    } else {
        if (selected_ < count - 1)
            ++selected_;
        if (top_ <= selected_ - visible)
            top_ = selected_ - visible + 1;
    }
    afterScroll();
}

void CGuiListbox::ScrollUp(bool page, bool toStart)
{
    const int visible = layout_.visibleRows;
    if (values_.empty())
        return;
    if (toStart) {
        selected_ = 0;
        top_ = 0;
    } else if (page) {
        selected_ = std::max(selected_ - visible, 0);
        top_ = std::max(top_ - visible, 0);
    } else {
        if (selected_ > 0)
            --selected_;
        if (top_ >= selected_)
            top_ = selected_;
    }
    afterScroll();
}

void CGuiListbox::ForceRefresh()
{
    lastDrawn_ = -1;
    redraw();
}

void CGuiListbox::ActivateSelected(char key)
{
    if ((IsMouseButtonDown() || key) && !values_.empty()) {
        reportSelection(true);
        doubleClickCountdown_ = 0;
    }
}

void CGuiListbox::DumpRows() const
{
    const char* dashes = "-----------------------------------------\n";
    logMessage(LOG_DEBUG, "%s", dashes);
    for (int r = top_; r < top_ + layout_.visibleRows && r < GetRowCount(); ++r) {
        logMessage(LOG_DEBUG, "%i   %-5i", r == selected_ ? 1 : 0, values_[r]);
        for (size_t c = 0; c < columnWidths_.size(); ++c)
            logMessage(LOG_DEBUG | LOG_NO_PREFIX, "(%i)%-20s", columnWidths_[c], texts_[r][c].c_str());
        logMessage(LOG_DEBUG | LOG_NO_PREFIX, "\n");
    }
    logMessage(LOG_DEBUG, "%s", dashes);
}

bool CGuiListbox::Click(char key, bool)
{
    if (!IsMouseOver())
        return false;
    if (key == 0 && doubleClickCountdown_ < 1) {
        int row = (CInput::GetMouseY() - y_ - layout_.rowsDy) / layout_.rowHeight;
        // The partly visible strip below the last whole row belongs to no row.
        if (row < layout_.visibleRows && top_ + row < GetRowCount()) {
            selected_ = top_ + row;
            CController::PlaySound(InterfaceSound::Click);
            doubleClickCountdown_ = DOUBLE_CLICK_FRAMES;
            reportSelection(false);
        }
        return true;
    }
    // A second press within the countdown reports the row the first press
    // chose, wherever in the list it lands.
    if ((IsMouseButtonDown() || key) && !values_.empty()) {
        reportSelection(true);
        doubleClickCountdown_ = 0;
    }
    return true;
}

void CGuiListbox::Update()
{
    if (hidden_)
        return;
    if (IsMouseOver() && GetHotId() == -1)
        SetHotId(id_);
    if (doubleClickCountdown_ > 0)
        --doubleClickCountdown_;
    if (GetSelectedIndex() != lastDrawn_ || top_ != lastDrawnTop_ || !contents_)
        redraw();
}

void CGuiListbox::redraw()
{
    const std::string name = contentName();
    if (contents_) {
        contents_.reset();
        CDraw::releaseImage(name.c_str());
    }
    int image = CDraw::CopyImage(layout_.backgroundImage, name.c_str(), 0);
    int imageHeight = CDraw::getImageHeight(image);
    int pictureWidth = CDraw::getImageWidth(image);
    if (values_.empty()) {
        int width = columnWidths_.empty() ? pictureWidth : columnWidths_[0];
        CFontSystem::DrawString(TEXT_LISTBOX_EMPTY, image, ALIGN_CENTRE_MIDDLE, width, imageHeight, 0, 0);
    } else {
        for (int r = top_; r < top_ + layout_.visibleRows && r < GetRowCount(); ++r) {
            int rowY = (r - top_) * layout_.rowHeight;
            if (r == selected_)
                CDraw::drawImageOnto(layout_.selectorImage, image, layout_.rowsDx, layout_.rowsDy + rowY);
            int columnX = layout_.textDx;
            for (size_t c = 0; c < columnWidths_.size(); ++c) {
                if (!texts_[r][c].empty())
                    // A cell keeps to its row and its column, a gap short of the
                    // next one and of the picture's edge: a text too long for
                    // it is drawn smaller.
                    CFontSystem::DrawString(TEXT_LISTBOX_CELL, image, ALIGN_LEFT, cellTextWidth(c, pictureWidth),
                                            layout_.rowHeight, columnX, layout_.textDy + rowY, texts_[r][c].c_str());
                columnX += columnWidths_[c];
            }
        }
    }
    contents_ = makeWidgetSprite(KIND_LISTBOX_CONTENT, name.c_str(), "GUI Listbox Contents", x_, y_, !hidden_);
    // The sprite holds its own reference; the name keeps the one CopyImage made.
    lastDrawn_ = GetSelectedIndex();
    lastDrawnTop_ = top_;
}

// A column's texts end a gap short of the next column, and the last
// column's also short of the picture's right edge, which a column may
// overrun.
int CGuiListbox::cellTextWidth(size_t column, int pictureWidth) const
{
    int columnX = layout_.textDx;
    for (size_t c = 0; c < column; ++c)
        columnX += columnWidths_[c];
    return std::min(columnWidths_[column], pictureWidth - columnX) - CELL_GAP;
}

void CGuiListbox::Hide()
{
    if (contents_)
        contents_->hide();
    hidden_ = true;
}

void CGuiListbox::Show()
{
    if (contents_)
        showSprite(*contents_);
    hidden_ = false;
}

bool CGuiListbox::IsMouseOver()
{
    if (hidden_)
        return false;
    int px = CInput::GetMouseX(), py = CInput::GetMouseY();
    int left = x_ + layout_.rowsDx, top = y_ + layout_.rowsDy;
    return px >= left && px <= left + layout_.width && py >= top && py <= top + layout_.height;
}

void CGuiListbox::WarpMouseTo()
{
    if (contents_)
        warpPointerOnto(*contents_);
}
