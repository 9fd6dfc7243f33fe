#include "engine/DisplayFixture.h"
#include "engine/ImagesCached.h"
#include "engine/Log.h"

using namespace corvelle_test;

namespace {

using PreloadListsTest = DisplayTest;

constexpr int kStartUpBarSteps = 141;

std::string captureLog(int channel, const std::function<void()>& run)
{
    initLogChannels(false);
    enableLogChannel(channel);
    testing::internal::CaptureStdout();
    run();
    std::string out = testing::internal::GetCapturedStdout();
    initLogChannels(false);
    return out;
}

// The references a dump line shows for a name ("DEBUG:   name  (ID=5   R=2
// S=...)"); 0 when the dump leaves it out.
int dumpedReferences(const std::string& dump, const std::string& name)
{
    size_t at = dump.find(" " + name + "  (ID=");
    if (at == std::string::npos)
        return 0;
    size_t r = dump.find("R=", at);
    return std::stoi(dump.substr(r + 2));
}

std::string countLine(size_t count) { return "COUNT:  " + std::to_string(count) + "\n"; }

int64_t progressOf(void (*list)())
{
    int64_t before = CDraw::getLoadProgress();
    list();
    return CDraw::getLoadProgress() - before;
}

} // namespace

TEST_F(PreloadListsTest, StartUpHoldsEveryListedImageAndMarksTheClassesCached)
{
    for (int c = 0; c < static_cast<int>(ImageClass::Count); ++c)
        EXPECT_FALSE(imagesCached(static_cast<ImageClass>(c)));
    CDraw::setLoadAllowance(preloadListProgress()); // as start-up does, less the sounds and levels
    preload({});

    preload::Names names = preload::startUpNames();
    EXPECT_EQ(CDraw::getLoadProgress(), static_cast<int64_t>(names.archived.size()) + kStartUpBarSteps * 100);
    for (int c = 0; c < static_cast<int>(ImageClass::Count); ++c)
        EXPECT_TRUE(imagesCached(static_cast<ImageClass>(c))) << c;
    for (const std::string& name : names.held)
        EXPECT_NE(CDraw::findImageId(name.c_str()), -1) << name;
    for (const std::string& name : names.made)
        EXPECT_NE(CDraw::findImageId(name.c_str()), -1) << name;
    // A copy's source that no list holds is decoded for the copy only.
    EXPECT_EQ(CDraw::findImageId("editorerase.png"), -1);
    EXPECT_EQ(CDraw::findImageId("made-by-no-list.png"), -1);

    // Held images are dumped by default; made images with their one
    // reference only with all.
    std::string held = captureLog(LOG_DEBUG, [] { CDraw::dumpImageBuffers(false); });
    EXPECT_NE(held.find(countLine(names.held.size())), std::string::npos) << held.substr(held.size() - 200);
    std::string all = captureLog(LOG_DEBUG, [] { CDraw::dumpImageBuffers(true); });
    EXPECT_NE(all.find(countLine(names.held.size() + names.made.size())), std::string::npos);
    // Names listed twice hold two references.
    struct Refs {
        const char* name;
        int references;
    } refs[] = {{"heatedobjectglow5.png", 2}, {"heatgunimpact0.png", 2}, {"heatedobjectglow3.png", 1},
                {"bothang.png", 1},           {"grass1.png", 1},         {"cursorbot.png", 0}};
    for (const Refs& r : refs)
        EXPECT_EQ(dumpedReferences(held, r.name), r.references) << r.name;
}

TEST_F(PreloadListsTest, EachListLogsItsGroupsAndAdvancesTheBar)
{
    preload({});
    // Room on the bar to run every list a second time.
    CDraw::loadProgressBar(1000000);
    enableLogChannel(LOG_TICKS);

    const std::vector<std::string> mainGroups = {"Background", "Clouds", "Volcano", "Professor", "Buttons"};
    const std::vector<std::string> gameGroups = {
        "Faded Counter", "Tutorial Bubbles", "Game Overlays", "Game Backgrounds",
        // The element groups follow, each under its own heading.
        "cacheGameBot()", "Bots", "cacheGameButton()", "Buttons", "cacheGameGunshot()", "Gunshots", "cacheGameGate()",
        "Gates", "cacheGamePowerup()", "Powerups", "cacheGameTramp()", "Trampolines", "cacheGameTerrain()", "Grass",
        "Sand", "Ice", "Bridges", "Ladders", "cacheGameBarrels()", "Wooden Barrels", "Inflatable Barrels",
        "Metal Barrels", "Cooling Metal Barrels", "cacheGameMagnets()", "Left Magnet, Inflatable",
        "Right Magnet, Inflatable", "Left Magnet, Normal", "Right Magnet, Normal", "cacheGameCrates()", "Wooden Crate",
        "Inflatable Crate", "Metal Crate", "cacheGameTubes()", "Tube Images", "cacheGameProf()", "Professor",
        "Powerup Icons", "cacheGameTeleports()", "Inflatables", "Frames", "Spirals"};
    const std::vector<std::string> fadedGroups = {"Text Entry Fading Text",
                                                  "Faded Cursor Icons",
                                                  "Faded Question Marks",
                                                  "Faded Breaking Buttons",
                                                  "Faded Breaking Trampolines",
                                                  "Faded Breaking Teleports",
                                                  "Faded Breaking Inflatable Teleports",
                                                  "Faded Teleport Portals",
                                                  "Faded Teleport Glows"};
    struct Case {
        void (*list)();
        const char* title;
        const char* heading;
        int steps;
        std::vector<std::string> groups;
    } cases[] = {
        {cacheMain, "cacheMain()", "Caching images for main menu", 6, mainGroups},
        {cacheMap, "cacheMap()", "Caching images for map", 4, {"Background"}},
        {cacheGame, "cacheGame()", "Caching images for game", 64, gameGroups},
        {cacheButtons, "cacheButtons()", "Caching images for buttons", 2, {"Parchment Buttons"}},
        {cacheFadedImages, "cacheFadedImages()", "Caching Faded images", 65, fadedGroups},
    };
    int total = 0;
    for (const Case& c : cases) {
        int64_t steps = 0;
        std::string log = captureLog(LOG_TICKS, [&] { steps = progressOf(c.list); });
        EXPECT_EQ(steps, c.steps * 100) << c.title;
        total += c.steps;

        char heading[80];
        snprintf(heading, sizeof heading, "%-20s   %s\n", c.title, c.heading);
        size_t at = log.find(heading);
        ASSERT_NE(at, std::string::npos) << heading << log;
        std::string title = c.title;
        for (const std::string& group : c.groups) {
            char line[120];
            if (group.back() == ')') {
                snprintf(line, sizeof line, "%-20s   Caching images for game\n", group.c_str());
                title = group;
            } else {
                snprintf(line, sizeof line, "%-20s      Loaded:  %s\n", title.c_str(), group.c_str());
            }
            at = log.find(line, at);
            EXPECT_NE(at, std::string::npos) << line << log;
        }
        // The stamp of channel 30 leads every line.
        EXPECT_EQ(log.rfind("*** T=", 0), 0u);
    }
    EXPECT_EQ(total, kStartUpBarSteps);
    EXPECT_EQ(preloadListProgress(), kStartUpBarSteps * 100) << "what the loading bar is told to expect";
}

TEST_F(PreloadListsTest, TextImagesAreRenderedFromTheTextTable)
{
    struct Rendered {
        int width, height;
    };
    std::map<int, Rendered> rendered;
    setTextBoxRendererForTesting([&](int width, int height, int stringNumber) -> SDL_Surface* {
        rendered[stringNumber] = {width, height};
        // 3617 renders nothing: an empty box of the size stands in.
        if (stringNumber == 3617)
            return nullptr;
        SDL_Surface* text = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
        SDL_FillRect(text, nullptr, SDL_MapRGBA(text->format, 250, 240, 200, 255));
        return text;
    });
    preload({});
    setTextBoxRendererForTesting(nullptr);

    struct Case {
        const char* name;
        int stringNumber;
        int width, height;
        Uint8 alpha;
    } cases[] = {
        {"krvl_button_maintext.png", 3600, 186, 29, 255},
        {"krvl_button_overalltext.png", 3620, 186, 29, 255},
        {"krvl_button_backmenutext.png", 3613, 186, 29, 255},
        {"krvl_button_undotextB.png", 3622, 186, 29, 255},
        {"krvl_button_canceltext.png", 3617, 186, 29, 0},
        {"krvl_button_class0text.png", 20010, 186, 29, 255},
        {"krvl_button_class17text.png", 20027, 186, 29, 255},
        {"scoreboard_user_invalid.png", 3004, 300, 30, 255},
        {"password_invalid.png", 3005, 300, 30, 255},
        {"options_password_invalid.png", 2706, 136, 30, 255},
        // The fading messages fade out in six steps of 45.
        {"password_invalid5.png", 3005, 300, 30, 210},
        {"options_password_invalid0.png", 2706, 136, 30, 0},
    };
    for (const Case& c : cases) {
        int id = CDraw::findImageId(c.name);
        ASSERT_NE(id, -1) << c.name;
        EXPECT_EQ(CDraw::getImageWidth(id), c.width) << c.name;
        EXPECT_EQ(CDraw::getImageHeight(id), c.height) << c.name;
        EXPECT_EQ(pixelAt(CDraw::getImageSurface(id), c.width - 1, c.height - 1).a, c.alpha) << c.name;
        ASSERT_TRUE(rendered.count(c.stringNumber)) << c.stringNumber;
        EXPECT_EQ(rendered[c.stringNumber].width, c.width) << c.stringNumber;
        EXPECT_EQ(rendered[c.stringNumber].height, c.height) << c.stringNumber;
    }
    EXPECT_EQ(rendered.size(), 22u + 18u + 3u);
}

TEST_F(PreloadListsTest, DerivedImagesAreTheirSourcesWithAlphaShifted)
{
    const Rgba opaque{200, 100, 50, 255};
    struct Case {
        const char* source;
        const char* made;
        int alpha;
    } cases[] = {
        {"counterdigitsA.png", "counterdigitsA_faded.png", 205},
        {"grass1.png", "cursorgrass.png", 155},
        {"qmarkrotate4.tga", "qmarkrotate_fading14.tga", 205},
        {"qmarkrotate4.tga", "qmarkrotate_fading34.tga", 125},
        {"buttonred_break4.png", "buttonred_break5.png", 220},
        {"buttonred_break4.png", "buttonred_break10.png", 25},
        {"trampolinerubberbreak3.png", "trampolinerubberbreak9.png", 25},
        {"teleport_framebackbreak6.png", "teleport_framebackbreak8.png", 185},
        {"inflatableteleport_yellowfrontbreak6.png", "inflatableteleport_yellowfrontbreak11.png", 65},
        {"transporttube_break5.png", "transporttube_break6.png", 220},
        {"transporttubeB_break5.png", "transporttubeB_break11.png", 25},
        {"tubearrow0.png", "tubearrowfade0.png", 230},
        {"tubearrow0.png", "tubearrowfade6.png", 25},
        {"teleport_spiralblue0.png", "teleport_spiralblue_enable0.png", 20},
        {"teleport_spiralblue0.png", "teleport_spiralblue_enable7.png", 160},
        {"teleport_spiralyellow7.png", "teleport_spiralyellow_idle7.png", 170},
        {"teleport_spiralyellow7.png",
         "teleport_spiralyellow_70"
         "7.png",
         185},
        {"teleport_spiralyellow7.png",
         "teleport_spiralyellow_50"
         "7.png",
         215},
        {"teleport_spiralyellow7.png",
         "teleport_spiralyellow_10"
         "7.png",
         245},
        {"teleport_spiralredturnon6.png", "teleport_spiralredturnon6_faded.png", 190},
        {"teleport_glowred.png", "teleport_glowred0.png", 235},
        {"teleport_glowred.png", "teleport_glowred5.png", 242},
        {"teleport_glowred.png", "teleport_glowred12.png", 156},
    };
    std::vector<ArchiveEntry> sources;
    for (const Case& c : cases) {
        std::string name = c.source;
        bool tga = name.compare(name.size() - 4, 4, ".tga") == 0;
        sources.push_back({name, tga ? tgaBytes(2, 2, opaque) : pngBytes(2, 2, opaque)});
    }
    preload(sources);
    for (const Case& c : cases) {
        int id = CDraw::findImageId(c.made);
        ASSERT_NE(id, -1) << c.made;
        EXPECT_EQ(pixelAt(CDraw::getImageSurface(id), 1, 1), (Rgba{200, 100, 50, static_cast<Uint8>(c.alpha)}))
            << c.made;
    }
}
