// The how-to-play pages as the game puts them together: each text fits the
// box its page gives it, every picture a page names is in the built image
// archive, and none lies over the page's texts; measured with the game's
// own font code on the built text table.
#include "engine/FontSystem.h"
#include "engine/ResourceArchive.h"
#include "engine/TextLayout.h"
#include "screens/InstructionPages.h"
#include "support/BuiltTextTable.h"

#include <SDL_image.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace corvelle_test;

namespace {

using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

Surface noSurface() { return Surface(nullptr, SDL_FreeSurface); }

Uint8 alphaAt(SDL_Surface* surface, int x, int y)
{
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    Uint32 pixel = reinterpret_cast<const Uint32*>(row)[x];
    Uint8 r, g, b, a;
    SDL_GetRGBA(pixel, surface->format, &r, &g, &b, &a);
    return a;
}

// Clearly drawn: no faint edge of a soft shadow or of a letter.
constexpr Uint8 INK = 32;

struct PlacedText {
    int stringNumber;
    int x, y, width, height;
};

struct Page {
    int number;
    std::vector<PlacedText> texts;
    std::vector<InstructionPicture> pictures;
};

std::vector<Page> pages()
{
    constexpr int firstTopic = 20100, heading = 40, body = 380, parchmentWidth = 686;
    std::vector<Page> all = {{1,
                              {{firstTopic, 0, 37, parchmentWidth, heading}, {firstTopic + 1, 250, 117, 315, body}},
                              {{"parchment_tutorial.png", 40, 150}}}};
    for (int page = FIRST_COMPOSED_INSTRUCTION_PAGE; page <= LAST_INSTRUCTION_PAGE; ++page) {
        InstructionPage layout = instructionPage(page);
        int title = firstTopic + 10 * (page - 1);
        all.push_back({page,
                       {{title, 48, 37, parchmentWidth, heading},
                        {title + 1, 48, 73, parchmentWidth, heading},
                        {title + 2, layout.bodyX, 117, layout.bodyWidth, body}},
                       std::vector<InstructionPicture>(layout.pictures, layout.pictures + layout.pictureCount)});
    }
    return all;
}

class InstructionPagesTest : public BuiltTextTableTest
{
protected:
    void SetUp() override
    {
        BuiltTextTableTest::SetUp();
        ASSERT_TRUE(archive_.open(resourceDir() + "/resource2.dat")) << archive_.error();
        for (uint32_t i = 0; i < archive_.count(); ++i) {
            ArchiveEntry entry;
            if (archive_.entry(i, entry))
                entries_[entry.name] = i;
        }
    }

    // The picture decoded from the archive; the dimmed teleport spirals the
    // game makes at start-up are measured by the spirals they are made from.
    Surface picture(std::string name)
    {
        size_t idle = name.find("_idle");
        if (idle != std::string::npos)
            name.erase(idle, 5);
        auto found = entries_.find(name);
        if (found == entries_.end())
            return noSurface();
        ArchiveEntry entry;
        archive_.entry(found->second, entry);
        std::string type = name.substr(name.rfind('.') + 1);
        for (char& c : type)
            c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        SDL_RWops* bytes = SDL_RWFromConstMem(entry.data.data(), static_cast<int>(entry.data.size()));
        Surface decoded(IMG_LoadTyped_RW(bytes, 1, const_cast<char*>(type.c_str())), SDL_FreeSurface);
        if (!decoded)
            return noSurface();
        SDL_PixelFormat argb = *decoded->format;
        argb.BitsPerPixel = 32;
        argb.BytesPerPixel = 4;
        argb.Amask = 0xFF000000;
        argb.Rmask = 0xFF0000;
        argb.Gmask = 0xFF00;
        argb.Bmask = 0xFF;
        argb.Ashift = 24;
        argb.Rshift = 16;
        argb.Gshift = 8;
        argb.Bshift = 0;
        argb.Aloss = argb.Rloss = argb.Gloss = argb.Bloss = 0;
        argb.palette = nullptr;
        return Surface(SDL_ConvertSurface(decoded.get(), &argb, SDL_SWSURFACE), SDL_FreeSurface);
    }

    ResourceArchive archive_;
    std::map<std::string, uint32_t> entries_;
};

// The lowest row of a text's ink, from the top of its box; -1 for none.
int inkBottom(SDL_Surface* ink)
{
    for (int y = ink ? ink->h - 1 : -1; y >= 0; --y)
        for (int x = 0; x < ink->w; ++x)
            if (alphaAt(ink, x, y) > INK)
                return y;
    return -1;
}

} // namespace

TEST_F(InstructionPagesTest, EveryTextFitsItsBoxEveryPictureIsThereAndNoneLiesOverTheTexts)
{
    // Laid out as the page does, in a box tall enough to show what the
    // page's box would cut off.
    constexpr int TALL = 1000;
    for (const Page& page : pages()) {
        std::vector<Surface> inks;
        for (const PlacedText& text : page.texts) {
            inks.push_back(Surface(CFontSystem::RenderStringWrapped(text.width, TALL, ALIGN_LEFT, text.stringNumber),
                                   SDL_FreeSurface));
            EXPECT_LT(inkBottom(inks.back().get()), text.height)
                << "page " << page.number << ": text #" << text.stringNumber << " is longer than its box";
        }
        for (const InstructionPicture& placed : page.pictures) {
            Surface image = picture(placed.name);
            ASSERT_TRUE(image) << "page " << page.number << ": no picture " << placed.name;
            for (size_t t = 0; t < page.texts.size(); ++t) {
                const PlacedText& text = page.texts[t];
                SDL_Surface* ink = inks[t].get();
                if (!ink)
                    continue;
                int covered = 0, firstX = 0, firstY = 0;
                for (int y = 0; y < image->h; ++y)
                    for (int x = 0; x < image->w; ++x) {
                        int tx = placed.x + x - text.x, ty = placed.y + y - text.y;
                        if (tx < 0 || ty < 0 || tx >= ink->w || ty >= text.height)
                            continue;
                        if (alphaAt(image.get(), x, y) > INK && alphaAt(ink, tx, ty) > INK && covered++ == 0) {
                            firstX = placed.x + x;
                            firstY = placed.y + y;
                        }
                    }
                EXPECT_EQ(covered, 0) << "page " << page.number << ": " << placed.name << " lies over text #"
                                      << text.stringNumber << " from (" << firstX << ", " << firstY
                                      << ") of the parchment on";
            }
        }
    }
}
