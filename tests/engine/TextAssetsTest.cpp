// The built text table and font: the entries the engine draws at start-up
// are there and each fits the box it is drawn into on one line.
#include "engine/FontSystem.h"
#include "platform/Folders.h"
#include "support/BuiltTextTable.h"
#include "support/TestEnvironment.h"

#include "engine/DisplayFixture.h"

#include <SDL_ttf.h>

#include <gtest/gtest.h>

using namespace corvelle_test;

namespace {

struct Box {
    int first, last;
    int width, height;
};

// Button and topic captions, the plain text entry and the fading warnings.
const Box BOXES[] = {
    {3600, 3618, 186, 29}, {3620, 3622, 186, 29}, {20010, 20027, 186, 29}, {3004, 3005, 300, 30},
    {2706, 2706, 136, 30}, {300, 300, 350, 50},
};

using TextAssetsTest = BuiltTextTableTest;

} // namespace

TEST_F(TextAssetsTest, TableFileHasAMarkAndNoFinalLineBreak)
{
    std::string bytes = readFile(resourceDir() + "/resource5.dat");
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE", 2));
    EXPECT_EQ(bytes.size() % 2, 0u);
    uint16_t last = static_cast<uint16_t>(static_cast<unsigned char>(bytes[bytes.size() - 2]) |
                                          static_cast<unsigned char>(bytes[bytes.size() - 1]) << 8);
    EXPECT_NE(last, '\n');
    EXPECT_NE(last, '\r');
}

TEST_F(TextAssetsTest, StartUpEntriesFitTheirBoxesOnOneLine)
{
    for (const Box& box : BOXES) {
        for (int number = box.first; number <= box.last; ++number) {
            if (number == 3619) // no button uses it
                continue;
            const TextEntry* entry = CFontSystem::GetEntry(number);
            ASSERT_NE(entry, nullptr) << number;
            EXPECT_EQ(entry->fontFile, "resource6.dat") << number;
            EXPECT_FALSE(entry->text.empty()) << number;

            TTF_Font* font = TTF_OpenFont((resourceDir() + "/resource6.dat").c_str(), entry->size);
            ASSERT_NE(font, nullptr) << number;
            int width = 0;
            TTF_SizeUNICODE(font, entry->text.unicode(), &width, nullptr);
            EXPECT_LT(width, box.width) << number << " " << entry->text.narrow();
            const int fontHeight = TTF_FontHeight(font);
            EXPECT_LE(fontHeight, box.height) << number;
            TTF_CloseFont(font);

            SDL_Surface* drawn = CFontSystem::RenderStringWrapped(box.width, box.height, ALIGN_CENTRE_MIDDLE,
                                                                  number, "Sample");
            ASSERT_NE(drawn, nullptr) << number;
            EXPECT_EQ(drawn->w, box.width);
            EXPECT_EQ(CFontSystem::GetLastTextOffsetX(), (box.height - fontHeight) / 2) << number << ": one line";
            SDL_FreeSurface(drawn);
        }
    }
}

namespace {

using StartUpTextImagesTest = DisplayTest;

bool hasInk(int imageId)
{
    SDL_Surface* surface = CDraw::getImageSurface(imageId);
    if (!surface)
        return false;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x)
            if (pixelAt(surface, x, y).a != 0)
                return true;
    return false;
}

} // namespace

TEST_F(StartUpTextImagesTest, CaptionsAndWarningsAreDrawnFromTheTable)
{
    CFontSystem::Init((resourceDir() + "/").c_str(), (resourceDir() + "/resource5.dat").c_str());
    preload({});
    for (const char* name : {"krvl_button_maintext.png", "krvl_button_undotextB.png", "krvl_button_class0text.png",
                             "krvl_button_class17text.png", "scoreboard_user_invalid.png", "password_invalid5.png",
                             "options_password_invalid.png"}) {
        int id = CDraw::findImageId(name);
        ASSERT_NE(id, -1) << name;
        EXPECT_TRUE(hasInk(id)) << name;
    }
    CFontSystem::Shutdown();
}
