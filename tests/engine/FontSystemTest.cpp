// Rendering with the game's own font: positions are checked against the font
// library's own measurements and pixels against words it renders directly.
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "platform/Folders.h"
#include "support/TestEnvironment.h"

#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace corvelle_test;

namespace {

constexpr int SIZE = 20;
constexpr int SPACING = 4;
constexpr uint8_t RED = 10, GREEN = 120, BLUE = 200;

struct SurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

Uint32 pixelAt(SDL_Surface* surface, int x, int y)
{
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    return reinterpret_cast<const Uint32*>(row)[x];
}

Uint8 alphaAt(SDL_Surface* surface, int x, int y)
{
    Uint8 r, g, b, a;
    SDL_GetRGBA(pixelAt(surface, x, y), surface->format, &r, &g, &b, &a);
    return a;
}

bool hasInk(SDL_Surface* surface)
{
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x)
            if (alphaAt(surface, x, y) != 0)
                return true;
    return false;
}

std::u16string u16(const char* text)
{
    return std::u16string(text, text + strlen(text));
}

std::vector<uint16_t> wide(const std::u16string& text)
{
    std::vector<uint16_t> units(text.begin(), text.end());
    units.push_back(0);
    return units;
}

class FontSystemTest : public testing::Test
{
protected:
    void SetUp() override
    {
        initLogChannels(false);
        initDirectories();
        std::string dir = makeTempDir("fonts");
        table_ = dir + "/table.dat";
        // Entry 5 holds a U+0000 (written as U+0001 here) that starts a word
        // the font library cannot render, entry 6 nothing else, entry 7 a
        // U+FFFE inside a word.
        std::u16string text = u"!resource6.dat|20|10|120|200|4\n@1|Hello world\n@2|A%nB\n@3|%1 and %2\n"
                              u"@4|%1-%4-%5\n@5|A \x01 B\n@6|\x01\n@7|A\xFFFE" u"B";
        std::replace(text.begin(), text.end(), u'\x01', u'\0');
        std::string bytes;
        for (char16_t c : text) {
            bytes.push_back(static_cast<char>(c & 0xFF));
            bytes.push_back(static_cast<char>(c >> 8));
        }
        writeFile(table_, bytes);
        CFontSystem::Init((resourceDir() + "/").c_str(), table_.c_str());
        font_ = TTF_OpenFont((resourceDir() + "/resource6.dat").c_str(), SIZE);
        ASSERT_NE(font_, nullptr);
        height_ = TTF_FontHeight(font_);
    }

    void TearDown() override
    {
        TTF_CloseFont(font_);
        CFontSystem::Shutdown();
    }

    int width(const std::u16string& text, int style = TTF_STYLE_NORMAL)
    {
        TTF_SetFontStyle(font_, style);
        int w = 0;
        TTF_SizeUNICODE(font_, wide(text).data(), &w, nullptr);
        return w;
    }

    Surface render(const char* text, int w, int h, int align, const TextArguments& arguments = {})
    {
        return render(u16(text), w, h, align, arguments);
    }

    Surface render(const std::u16string& text, int w, int h, int align, const TextArguments& arguments = {})
    {
        return Surface(CFontSystem::RenderText(w, h, align, SPACING, "resource6.dat", SIZE, RED, GREEN, BLUE,
                                               wide(text).data(), arguments));
    }

    // The word as the library renders it in that style stands at (x, y).
    void expectWordAt(SDL_Surface* result, const std::u16string& word, int style, int x, int y)
    {
        TTF_SetFontStyle(font_, style);
        Surface expected(TTF_RenderUNICODE_Blended(font_, wide(word).data(), SDL_Color{RED, GREEN, BLUE, 0}));
        ASSERT_TRUE(expected);
        for (int j = 0; j < expected->h && y + j < result->h; ++j) {
            for (int i = 0; i < expected->w && x + i < result->w; ++i) {
                ASSERT_EQ(pixelAt(result, x + i, y + j), pixelAt(expected.get(), i, j))
                    << "style " << style << " at " << i << "," << j;
            }
        }
    }

    void expectOffsets(int endX, int lineY, const std::string& label)
    {
        EXPECT_EQ(CFontSystem::GetLastTextOffsetY(), endX) << label << ": x where the text ended";
        EXPECT_EQ(CFontSystem::GetLastTextOffsetX(), lineY) << label << ": top of the last line";
    }

    std::string table_;
    TTF_Font* font_ = nullptr;
    int height_ = 0;
};

} // namespace

TEST_F(FontSystemTest, WordsWrapWhenTheLineWouldReachTheBoxWidth)
{
    const int hello = width(u"Hello ");
    const int world = width(u"world");
    struct Case {
        int box;
        int endX;
        int lines;
    } cases[] = {
        {1000, hello + world, 1},
        {hello + world + 1, hello + world, 1},
        {hello + world, world, 2},
        {5, world, 2}, // each word wider than the box keeps a line of its own
        {0, world, 2},
    };
    for (const Case& c : cases) {
        Surface s = render("Hello world", c.box, 100, ALIGN_LEFT);
        ASSERT_TRUE(s);
        EXPECT_EQ(s->w, c.box);
        EXPECT_EQ(s->h, 100);
        expectOffsets(c.endX, (c.lines - 1) * (height_ + SPACING), std::to_string(c.box));
        expectWordAt(s.get(), u"Hello ", 0, 0, 0);
        if (c.lines == 1)
            expectWordAt(s.get(), u"world", 0, hello, 0);
        else
            expectWordAt(s.get(), u"world", 0, 0, height_ + SPACING);
    }
}

TEST_F(FontSystemTest, AlignmentsPlaceTheLines)
{
    const int w = width(u"ab ");
    const int box = 200, boxHeight = 60;
    const int middle = (boxHeight - height_) / 2;
    struct Case {
        int align;
        int x;
        int y;
    } cases[] = {
        {ALIGN_LEFT, 0, 0},
        {ALIGN_RIGHT, box - w, 0}, // the trailing space reaches the right edge
        {ALIGN_CENTRE, (box - w) / 2, 0},
        {ALIGN_CENTRE_MIDDLE, (box - w) / 2, middle},
        {ALIGN_LEFT_MIDDLE, 0, middle},
    };
    for (const Case& c : cases) {
        Surface s = render("ab ", box, boxHeight, c.align);
        ASSERT_TRUE(s);
        expectOffsets(c.x + w, c.y, "align " + std::to_string(c.align));
        expectWordAt(s.get(), u"ab ", 0, c.x, c.y);
    }

    // Each line is aligned on its own width; an overfull box centres upwards.
    Surface two = render("wide words%nx", 400, 10, ALIGN_CENTRE_MIDDLE);
    const int top = (10 - (2 * height_ + SPACING)) / 2;
    ASSERT_LT(top, 0);
    expectOffsets((400 - width(u"x")) / 2 + width(u"x"), top + height_ + SPACING, "two lines");
}

TEST_F(FontSystemTest, LineBreaksAndTheCaretAfterThem)
{
    struct Case {
        const char* text;
        int endX;
        int line;
    } cases[] = {
        {"A%nB", width(u"B"), 1},
        {"A%n", 0, 1},
        {"%n%nA", width(u"A"), 2},
        {"A %n%nB C", width(u"B ") + width(u"C"), 2},
    };
    for (const Case& c : cases) {
        Surface s = render(c.text, 300, 200, ALIGN_LEFT);
        ASSERT_TRUE(s) << c.text;
        expectOffsets(c.endX, c.line * (height_ + SPACING), c.text);
    }
    Surface s = render("A%nB", 300, 200, ALIGN_LEFT);
    expectWordAt(s.get(), u"B", 0, 0, height_ + SPACING);
}

TEST_F(FontSystemTest, StyleSwitchesApplyPerWordAndPersist)
{
    Surface s = render("%bA%b B", 300, 60, ALIGN_LEFT);
    ASSERT_TRUE(s);
    const int boldA = width(u"A", TTF_STYLE_BOLD);
    expectWordAt(s.get(), u"A", TTF_STYLE_BOLD, 0, 0);
    expectWordAt(s.get(), u" ", 0, boldA, 0);
    expectWordAt(s.get(), u"B", 0, boldA + width(u" "), 0);

    // Switches left on carry over to the next text until flipped again.
    const int all = TTF_STYLE_BOLD | TTF_STYLE_ITALIC | TTF_STYLE_UNDERLINE;
    Surface on = render("%b%i%uX", 300, 60, ALIGN_LEFT);
    Surface carried = render("Y", 300, 60, ALIGN_LEFT);
    expectWordAt(carried.get(), u"Y", all, 0, 0);
    EXPECT_FALSE(render("%u%b", 300, 60, ALIGN_LEFT));
    Surface italic = render("Y", 300, 60, ALIGN_LEFT);
    expectWordAt(italic.get(), u"Y", TTF_STYLE_ITALIC, 0, 0);
}

TEST_F(FontSystemTest, ArgumentsAreInsertedOnceAndNeverAsMarkup)
{
    std::vector<uint16_t> xy = wide(u"x y");
    TextArguments wideArgs;
    wideArgs.wide[0] = xy.data();
    Surface s = render("%1", 300, 60, ALIGN_LEFT, wideArgs);
    ASSERT_TRUE(s);
    expectOffsets(width(u"x ") + width(u"y"), 0, "wide argument");

    TextArguments narrowArgs;
    narrowArgs.narrow[0] = "x";
    s = render("%1", 300, 60, ALIGN_LEFT, narrowArgs);
    expectOffsets(width(u"x"), 0, "narrow argument");

    // No argument: nothing to draw, and the offsets stay as they were.
    EXPECT_FALSE(render("%1", 300, 60, ALIGN_LEFT));
    expectOffsets(width(u"x"), 0, "no argument");

    // A player named "%1" is drawn as written, and the call returns: an
    // argument never expands into another.
    const char* names[] = {"%1", "%1%2%3%4%5%6", "%6%5"};
    for (const char* name : names) {
        TextArguments hostile;
        for (int k = 0; k < 6; ++k)
            hostile.narrow[k] = name;
        s = render("%1", 300, 60, ALIGN_LEFT, hostile);
        ASSERT_TRUE(s) << name;
        expectOffsets(width(u16(name)), 0, name);
        expectWordAt(s.get(), u16(name), 0, 0, 0);
    }
}

TEST_F(FontSystemTest, NarrowTextWidensAsUnsignedBytes)
{
    Surface literal(CFontSystem::RenderLiteral(100, 40, ALIGN_LEFT, SPACING, "resource6.dat", SIZE, RED, GREEN, BLUE,
                                               "\xFE\xE9"));
    ASSERT_TRUE(literal);
    expectOffsets(width(u"\x00FE\x00E9"), 0, "literal");
    expectWordAt(literal.get(), u"\x00FE\x00E9", 0, 0, 0);
}

TEST_F(FontSystemTest, WrappersUseTheEntryStyle)
{
    enableLogChannel(LOG_WARNING);
    Surface s(CFontSystem::RenderString(300, 60, ALIGN_LEFT, 1));
    ASSERT_TRUE(s);
    expectOffsets(width(u"Hello ") + width(u"world"), 0, "entry 1");
    expectWordAt(s.get(), u"Hello ", 0, 0, 0);

    s.reset(CFontSystem::RenderStringWrapped(300, 60, ALIGN_LEFT, 2));
    expectOffsets(width(u"B"), height_ + SPACING, "entry 2 with the entry's spacing");

    std::vector<uint16_t> me = wide(u"me");
    s.reset(CFontSystem::RenderString(300, 60, ALIGN_LEFT, 3, me.data()));
    expectOffsets(width(u"me ") + width(u"and "), 0, "16-bit arguments");
    s.reset(CFontSystem::RenderStringWrapped(300, 60, ALIGN_LEFT, 3, "a", "b"));
    expectOffsets(width(u"a ") + width(u"and ") + width(u"b"), 0, "narrow arguments");

    TextArguments both;
    both.wide[3] = me.data();
    both.narrow[0] = "n";
    both.narrow[3] = "hidden";
    both.narrow[4] = "five";
    s.reset(CFontSystem::RenderStringEx(300, 60, ALIGN_LEFT, 4, both));
    expectOffsets(width(u"n-me-five"), 0, "both argument sets");
}

// Entry 1 is "Hello world" at size 20; entry 3 "%1 and %2".
TEST_F(FontSystemTest, ATextTooBigForItsBoxIsDrawnSmallerAndMeasuredAsDrawn)
{
    const int oneLine = width(u"Hello ") + width(u"world");
    struct Case {
        const char* what;
        int boxWidth, boxHeight;
        bool shrinks;
    } cases[] = {
        {"room to spare", oneLine + 40, height_, false},
        {"one word too wide for the box", width(u"world") - 4, 3 * height_, true},
        {"a second line below a one-line box", oneLine - 10, height_, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TextExtent own = CFontSystem::MeasureString(c.boxWidth, c.boxHeight, ALIGN_LEFT, 1);
        TextExtent drawn = CFontSystem::MeasureString(c.boxWidth, c.boxHeight, ALIGN_LEFT, 1, {}, true);
        EXPECT_EQ(own.size, SIZE);
        EXPECT_EQ(own.fits(c.boxWidth, c.boxHeight), !c.shrinks);
        EXPECT_TRUE(drawn.fits(c.boxWidth, c.boxHeight));
        EXPECT_EQ(drawn.size < SIZE, c.shrinks) << drawn.size;
        if (!c.shrinks) {
            EXPECT_EQ(own.right, oneLine) << "the ink ends at the last word";
        }

        // What is drawn is what was measured: the same size, the same end.
        Surface s(CFontSystem::RenderString(c.boxWidth, c.boxHeight, ALIGN_LEFT, 1));
        ASSERT_TRUE(s);
        EXPECT_LE(CFontSystem::GetLastTextOffsetY(), c.boxWidth);
    }

    // A box no size can fill gives the smallest size, and says it does not fit.
    TextExtent hopeless = CFontSystem::MeasureString(3, 3, ALIGN_LEFT, 1, {}, true);
    EXPECT_FALSE(hopeless.fits(3, 3));
    EXPECT_EQ(hopeless.size, 8);
}

TEST_F(FontSystemTest, MeasuringLeavesTheStyleSwitchesAndTheCaretAsTheyWere)
{
    Surface s(render("%bbold", 300, 60, ALIGN_LEFT));
    const int endX = CFontSystem::GetLastTextOffsetY();
    TextArguments boldOff;
    boldOff.narrow[0] = "%b";
    CFontSystem::MeasureString(10, 10, ALIGN_LEFT, 3, boldOff, true);
    expectOffsets(endX, 0, "after measuring");
    s = render("next", 300, 60, ALIGN_LEFT);
    expectWordAt(s.get(), u"next", TTF_STYLE_BOLD, 0, 0);
    s = render("%b", 300, 60, ALIGN_LEFT);
}

TEST_F(FontSystemTest, MissingEntriesGiveAnEmptyBoxAndAWarning)
{
    enableLogChannel(LOG_WARNING);
    testing::internal::CaptureStdout();
    Surface a(CFontSystem::RenderString(120, 30, ALIGN_CENTRE, 424242));
    Surface b(CFontSystem::RenderStringWrapped(80, 20, ALIGN_LEFT, -1, "x"));
    Surface c(CFontSystem::RenderStringEx(10, 10, ALIGN_LEFT, 99));
    std::string out = testing::internal::GetCapturedStdout();
    for (const Surface* box : {&a, &b, &c}) {
        ASSERT_TRUE(*box);
        EXPECT_FALSE(hasInk(box->get()));
    }
    EXPECT_EQ(a->w, 120);
    EXPECT_EQ(a->h, 30);
    EXPECT_NE(out.find("String #424242 is not in the text table"), std::string::npos) << out;
    EXPECT_NE(out.find("String #-1 is not in the text table"), std::string::npos) << out;
}

TEST_F(FontSystemTest, WordsTheLibraryCannotRenderAreSkipped)
{
    Surface s(CFontSystem::RenderString(300, 60, ALIGN_LEFT, 5));
    ASSERT_TRUE(s);
    expectOffsets(width(u"A ") + width(u"B"), 0, "a word starting with U+0000");
    expectWordAt(s.get(), u"B", 0, width(u"A "), 0);

    EXPECT_FALSE(Surface(CFontSystem::RenderString(300, 60, ALIGN_LEFT, 6)));

    // A U+FFFE would make the library byte-swap the rest of the word.
    s.reset(CFontSystem::RenderString(300, 60, ALIGN_LEFT, 7));
    expectOffsets(width(u"AB"), 0, "U+FFFE inside a word");
}

TEST_F(FontSystemTest, AFontThatCannotBeOpenedIsFatal)
{
    EXPECT_EXIT(CFontSystem::RenderLiteral(50, 20, ALIGN_LEFT, 0, "nope.ttf", SIZE, 0, 0, 0, "x"), testing::ExitedWithCode(1),
                "");
    std::string log = readFile(std::string(getProfileDirectory()) + "LOG.TXT");
    EXPECT_NE(log.find("FONTSYSTEM: Attempted to load font file '" + resourceDir() + "/nope.ttf'"), std::string::npos);
}
