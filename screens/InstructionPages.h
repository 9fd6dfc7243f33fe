#pragma once

// What the how-to-play pages 2 to 18 draw besides their texts: the width and
// left edge of the body text, and the pictures set out around it, in the
// order they are drawn (later ones over earlier ones), at their places on the
// parchment. The picture tool reads the same table to paint each page's
// backdrop and shadows around the pictures that stand on it, so the art and
// the page cannot drift apart.
struct InstructionPicture {
    const char* name;
    int x;
    int y;
};

struct InstructionPage {
    int bodyWidth;
    int bodyX;
    const InstructionPicture* pictures;
    int pictureCount;
};

constexpr int FIRST_COMPOSED_INSTRUCTION_PAGE = 2;
constexpr int LAST_INSTRUCTION_PAGE = 18;

// Pages 2..18; any other page gives an empty page (no pictures, width 0).
InstructionPage instructionPage(int page);
