#include "engine/TextLayout.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Pieces written out: words in brackets, B I U for the switches, N a break.
std::string describe(const std::vector<TextPiece>& pieces)
{
    std::string out;
    for (const TextPiece& piece : pieces) {
        switch (piece.kind) {
        case TextPiece::WORD: out += "[" + piece.word.narrow() + "]"; break;
        case TextPiece::BOLD: out += "B"; break;
        case TextPiece::ITALIC: out += "I"; break;
        case TextPiece::UNDERLINE: out += "U"; break;
        case TextPiece::LINE_BREAK: out += "N"; break;
        }
    }
    return out;
}

std::vector<uint16_t> wide(const char* text)
{
    std::vector<uint16_t> units(text, text + strlen(text));
    units.push_back(0);
    return units;
}

} // namespace

TEST(TextLayoutTest, CutsWordsAndMarkup)
{
    struct Case {
        const char* text;
        const char* narrow1;
        const char* narrow2;
        const char* expected;
    } cases[] = {
        {"Hello world", nullptr, nullptr, "[Hello ][world]"},
        {"%bA%b B", nullptr, nullptr, "B[A]B[ ][B]"},
        {"%i%u%n", nullptr, nullptr, "IUN"},
        {"A%nB", nullptr, nullptr, "[A]N[B]"},
        {"two  spaces", nullptr, nullptr, "[two ][ ][spaces]"},
        {"ab%1cd", "x y", nullptr, "[ab][x ][ycd]"},
        {"%1 and %2", "me", "you", "[me ][and ][you]"},
        {"a%3b", nullptr, nullptr, "[a][b]"},
        {"%1", nullptr, nullptr, ""},
        {"100% sure, 5%% and %7 or %", nullptr, nullptr, "[100% ][sure, ][5%% ][and ][%7 ][or ][%]"},
        {"%%b", nullptr, nullptr, "[%]B"},
        // An argument's style and line markup is read; its argument markup
        // is shown as written, so a name such as "%1" cannot expand forever.
        {"%1", "%1", nullptr, "[%1]"},
        {"%1%1%1", "%1%1", nullptr, "[%1%1][%1%1][%1%1]"},
        {"<%1>", "%bX%n%u", nullptr, "[<]B[X]NU[>]"},
        {"%1%2", "%2", "Q", "[%2][Q]"},
        {"%1 %2", "a %n b", "c", "[a ]N[ ][b ][c]"},
        // A token is read only when it lies wholly inside or outside it.
        {"%1b", "50%", nullptr, "[50%b]"},
        {"%1%2", "%", "b", "[%][b]"},
        {"%11", "%", nullptr, "[%1]"},
    };
    for (const Case& c : cases) {
        TextArguments arguments;
        arguments.narrow[0] = c.narrow1;
        arguments.narrow[1] = c.narrow2;
        EXPECT_EQ(describe(cutText(CFontString(c.text), arguments)), c.expected) << c.text;
    }
}

TEST(TextLayoutTest, ArgumentsPreferWideAndWidenNarrowUnsigned)
{
    std::vector<uint16_t> wideX = wide("x y");
    TextArguments arguments;
    arguments.wide[0] = wideX.data();
    arguments.narrow[0] = "ignored";
    arguments.narrow[5] = "\xFE\x80";
    EXPECT_EQ(describe(cutText(CFontString("%1|%6"), arguments)), "[x ][y|][\xFE\x80]");

    CFontString widened = arguments.argument(5);
    ASSERT_EQ(widened.length(), 2u);
    EXPECT_EQ(widened[0], 0x00FE);
    EXPECT_EQ(widened[1], 0x0080);
    EXPECT_TRUE(arguments.argument(6).empty());
    EXPECT_TRUE(arguments.argument(-1).empty());
}

// Narrow texts such as file names are UTF-8; bytes that are not stand for
// themselves, as Latin-1 letters.
TEST(TextLayoutTest, NarrowTextIsReadAsUtf8)
{
    struct Case {
        const char* text;
        std::u16string wide;
    } cases[] = {
        {"caf\xC3\xA9", u"caf\u00E9"},
        {"\xE2\x80\x9Cquoted\xE2\x80\x9D", u"\u201Cquoted\u201D"},
        {"\xF0\x9F\x98\x80!", u"\uFFFD!"},        // beyond 16 bits
        {"caf\xE9", u"caf\u00E9"},                   // Latin-1
        {"\xC3", u"\u00C3"},                         // cut short at the end
        {"\xE2\x82x", u"\u00E2\u0082x"},           // cut short inside
        {"\xC0\xAF", u"\u00C0\u00AF"},             // an overlong slash
        {"\xED\xA0\x80", u"\u00ED\u00A0\u0080"}, // a lone surrogate
        {"\xF4\x90\x80\x80", u"\u00F4\u0090\u0080\u0080"}, // beyond U+10FFFF
    };
    for (const Case& c : cases)
        EXPECT_EQ(CFontString(c.text).str(), c.wide) << c.text;
}

TEST(TextLayoutTest, LinesFillWhileNarrowerThanTheBox)
{
    struct Case {
        int box;
        std::vector<int> words;
        std::vector<int> lines;
        std::vector<int> widths;
    } cases[] = {
        {25, {10, 10, 4}, {1, 1, 1}, {24}},
        {25, {10, 10, 5}, {1, 1, 2}, {20, 5}},
        {25, {40, 3}, {1, 2}, {40, 3}},
        {25, {3, 40, 3}, {1, 2, 3}, {3, 40, 3}},
        {0, {1, 1}, {1, 2}, {1, 1}},
    };
    for (const Case& c : cases) {
        TextLineFiller filler(c.box);
        std::vector<int> lines;
        for (int width : c.words)
            lines.push_back(filler.place(width));
        filler.finish();
        EXPECT_EQ(lines, c.lines) << c.box;
        EXPECT_EQ(filler.lineWidths(), c.widths) << c.box;
    }

    TextLineFiller broken(100);
    broken.place(7);
    broken.breakLine();
    broken.breakLine();
    EXPECT_EQ(broken.place(5), 3);
    broken.finish();
    EXPECT_EQ(broken.lineWidths(), (std::vector<int>{7, 0, 5}));
}

TEST(TextLayoutTest, LinePlacementByAlignment)
{
    struct Case {
        int align;
        int x;
        int top;
    } cases[] = {{0, 0, 0}, {1, 60, 0}, {2, 30, 0}, {3, 30, 12}, {4, 0, 12}, {9, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(textLineX(c.align, 100, 40), c.x) << c.align;
        // Two lines of 20 with 10 between them in a box 75 high: (75 - 50) / 2.
        EXPECT_EQ(textTop(c.align, 75, 20, 2, 10), c.top) << c.align;
    }
    // An overfull box starts above its top edge; halves truncate toward zero.
    EXPECT_EQ(textTop(ALIGN_CENTRE_MIDDLE, 10, 20, 3, 1), -26);
    EXPECT_EQ(textLineX(ALIGN_CENTRE, 10, 15), -2);
}
