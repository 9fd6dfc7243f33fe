#pragma once

#include "engine/FontString.h"

#include <cstdint>
#include <vector>

// Up to six arguments for the markup "%1".."%6": argument k is the 16-bit
// text when given, else the narrow text (widened), else nothing.
struct TextArguments {
    const uint16_t* wide[6] = {};
    const char* narrow[6] = {};

    CFontString argument(int index) const;
};

// One step of a text cut for rendering: a word to render, a style switch or
// a forced line end.
struct TextPiece {
    enum Kind { WORD, BOLD, ITALIC, UNDERLINE, LINE_BREAK };
    Kind kind;
    CFontString word;

    bool operator==(const TextPiece& other) const { return kind == other.kind && word == other.word; }
};

// Cuts a text into words and markup. A word runs up to and including a space,
// or up to the next markup. "%b", "%i", "%u" switch bold, italic and
// underline, "%n" ends the line, "%1".."%6" insert an argument. An inserted
// argument is broken into words at its spaces like the text around it and
// its style and line markup is read ("%n" in a tutorial text starts a new
// line), but "%1".."%6" inside it is shown as written: an argument is never
// inserted into an argument, so no text expands without end.
std::vector<TextPiece> cutText(const CFontString& text, const TextArguments& arguments);

// Where a laid-out text's ink reaches, relative to its box (trailing spaces
// left out), and the font size it was laid out at. A text with no ink has
// left = box width, top = box height, right = bottom = 0.
struct TextExtent {
    int left = 0, top = 0, right = 0, bottom = 0;
    int size = 0;

    bool fits(int boxWidth, int boxHeight) const
    {
        return left >= 0 && top >= 0 && right <= boxWidth && bottom <= boxHeight;
    }
};

// Horizontal and vertical placement by the alignment value:
// 0 left/top, 1 right/top, 2 centred/top, 3 centred/centred, 4 left/centred.
enum TextAlign { ALIGN_LEFT = 0, ALIGN_RIGHT = 1, ALIGN_CENTRE = 2, ALIGN_CENTRE_MIDDLE = 3, ALIGN_LEFT_MIDDLE = 4 };

// Fills lines of a box of a given width word by word. A word joins the
// current line while the line stays narrower than the box, or when the line
// is still empty (so a word wider than the box gets a line of its own and is
// cut off at the edge); otherwise it starts the next line. Lines count from 1.
class TextLineFiller
{
public:
    explicit TextLineFiller(int boxWidth) : boxWidth_(boxWidth) {}

    // Returns the line the word goes on.
    int place(int wordWidth);
    void breakLine();
    // Closes the last line when something stands on it.
    void finish();

    int lineNumber() const { return lineNumber_; }
    // Widths of the finished lines, trailing spaces included.
    const std::vector<int>& lineWidths() const { return lineWidths_; }

private:
    int boxWidth_;
    int lineNumber_ = 1;
    int lineWidth_ = 0;
    std::vector<int> lineWidths_;
};

// Where a line of the given width starts in a box.
int textLineX(int align, int boxWidth, int lineWidth);
// Where the first line starts: centred for alignments 3 and 4 (negative when
// the text overfills the box), else 0.
int textTop(int align, int boxHeight, int fontHeight, int lineCount, int lineSpacing);
