#pragma once

#include <memory>
#include <string>

class CSprite;

// The one-line (or, for tutorial texts, several-line) text field of the
// dialogs. It types by itself from SDL key codes with a US layout and Shift,
// appends and deletes at the end only, draws the text (or asterisks) onto a
// copy of its background picture and blinks a cursor behind the last
// character. It is not a registered widget: the owner screen forwards keys,
// asks IsMouseOver, warps the pointer onto it for keyboard focus and blinks
// the cursor once per frame while the box has the focus.
//
// A line break is kept in the text as the two characters "%n", the form
// level files keep tutorial texts in.
class CGuiTextbox
{
public:
    static constexpr int TEXT_CAPACITY = 1002; // bytes, without the terminating zero

    // The box's top-left corner at (x, y); the text starts (textDx, textDy)
    // inside it. maxLength is cut to TEXT_CAPACITY.
    CGuiTextbox(int maxLength, int x, int y, int textDx, int textDy, const char* backgroundImage,
                const char* cursorImage, bool spaces, bool punctuation, bool lineBreaks);
    ~CGuiTextbox();
    CGuiTextbox(const CGuiTextbox&) = delete;
    CGuiTextbox& operator=(const CGuiTextbox&) = delete;

    // One key press (an SDL key code); keys the box does not type leave the
    // text and the picture alone.
    void HandleKey(int key, bool shift);
    // Backspace (8) deletes, line feed (10) breaks the line, anything else is
    // appended while there is room.
    void AddChar(char c);
    const char* GetText() const { return text_.c_str(); }
    // Replaces the text, cut to the box's length: a text from elsewhere (a
    // server's suggestion, a preset) never overfills the box.
    void SetText(const char* text);
    void SetMasked(bool masked);
    int GetMaxLength() const { return maxLength_; }

    // Once per frame while the box has the focus: the cursor shows for 7
    // frames and hides for 10.
    void BlinkCursor();
    void HideCursor();
    void Hide();
    void Show();
    bool IsHidden() const { return hidden_; }
    bool IsMouseOver() const;
    void WarpMouseTo() const;
    bool IsCursorShown() const;
    // Where the cursor stands, on the screen.
    int GetCursorX() const;
    int GetCursorY() const;

private:
    void Render();
    void Append(char c);
    void RemoveLast();
    bool HasRoom(size_t extra) const { return text_.size() + extra <= static_cast<size_t>(maxLength_); }

    std::unique_ptr<CSprite> background_;
    std::unique_ptr<CSprite> cursor_;
    std::string backgroundImage_;
    int x_, y_;
    int textDx_, textDy_;
    int maxLength_;
    bool hidden_ = false;
    bool spaces_, punctuation_, lineBreaks_;
    bool masked_ = false;
    std::string text_;
    int blinkCounter_ = 8;
};
