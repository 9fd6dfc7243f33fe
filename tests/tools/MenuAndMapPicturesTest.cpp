// The pictures of the main menu, the map, the dialogs and the editor icons
// as the built image archive holds them.
#include "engine/ResourceArchive.h"
#include "support/TestEnvironment.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using corvelle_test::resourceDir;

std::map<std::string, std::vector<unsigned char>> archivePictures()
{
    ResourceArchive archive;
    EXPECT_TRUE(archive.open(resourceDir() + "/resource2.dat")) << archive.error();
    std::map<std::string, std::vector<unsigned char>> pictures;
    for (uint32_t i = 0; i < archive.count(); ++i) {
        ArchiveEntry entry;
        if (archive.entry(i, entry))
            pictures[entry.name] = entry.data;
    }
    return pictures;
}

struct Series {
    const char* prefix;
    int first, last;
    const char* suffix;
};

TEST(MenuAndMapPictures, EveryNameTheScreensLoadIsInTheArchive)
{
    const Series series[] = {
        {"mainmenu_glow", 1, 9, ".png"},       {"mainmenu_smoke", 1, 54, ".png"},
        {"mainmenu_profleftarm", 0, 5, ".png"}, {"mainmenu_profrightarm", 0, 5, ".png"},
        {"mainmenu_profhead", 0, 26, ".png"},   {"mapdotregularcompletedshrink", 1, 3, ".png"},
        {"mapdotregularincompleteshrink", 1, 3, ".png"}, {"mapdotregularlockedshrink", 1, 3, ".png"},
        {"mapdotregularlockedghostedshrink", 1, 3, ".png"}, {"mapdotregularselectedpulse", 0, 5, ".png"},
        {"mapdotstarghostedshrink", 1, 3, ".png"}, {"mapdotstarpulse", 1, 5, ".png"},
        {"mapdotstarshrink", 1, 3, ".png"},     {"star_base", 0, 59, ".png"},
        {"star_pulse", 0, 59, ".png"},          {"star_appear", 0, 13, ".png"}};
    std::vector<std::string> names = {
        "dimmer.png", "mainmenu_background.jpg", "mainmenu_volcanofront.png", "mainmenu_profbody.png",
        "mainmenu_leavescoconuts.png", "mainmenu_buttonactive.png", "mainmenu_buttonrollover.png",
        "mainmenu_buttonbase.png", "profile_button_changebase.png", "profile_button_changeshadow.png",
        "profile_button_changerollover.png", "map_background.jpg", "map_buttonlevelset_textregular.png",
        "map_buttonlevelset_textadvanced.png", "map_buttonlevelset_textkids.png",
        "mapdotregularcompletedbase.png", "mapdotregularcompletedrollover.png", "mapdotregularincompletebase.png",
        "mapdotregularincompleterollover.png", "mapdotregularlockedbase.png", "mapdotregularlockedghosted.png",
        "mapdotstarbase.png", "mapdotstarghosted.png", "counterdigitsA.png", "confirmation_parch.png",
        "parchment_professor.png", "parchment.png", "parchment_kids.png", "tutorial_small.png", "tutorial_big.png",
        "editorteleportblue.png", "editorteleportyellow.png", "editorteleportred.png", "editorpowerupteleport.png",
        "editorpowerupwhistle.tga", "editorpowerupbridge.png", "editorpowerupheatgun.png",
        "editorpowerupfrostgun.tga", "editorerase.png"};
    for (const char* prefix : {"map_buttonlevelset_", "map_buttonchangereset_", "map_buttonhighscores_",
                               "map_buttonlowerright_"})
        for (const char* look : {"base.png", "shadow.png", "rollover.png"})
            names.push_back(std::string(prefix) + look);
    for (const char* name : {"map_buttonchangereset_textreset.png", "map_buttonchangereset_textchange.png",
                             "map_buttonhighscores_text.png", "map_buttonhighscores_fade.png",
                             "map_buttonlowerright_textplay.png", "map_buttonlowerright_textlevelmanager.png",
                             "map_buttonlowerright_textmainmenu.png", "mapoverviewboxlockedmain.png",
                             "maphelptext.png", "maphelparrow.png", "maphelparrowshadow.png", "lvlset_prof.png",
                             "lvlset_heading.png"})
        names.push_back(name);
    for (const char* set : {"regular", "advanced", "kids"}) {
        names.push_back(std::string("lvlset_desc_") + set + ".png");
        for (const char* look : {"_base.png", "_shadow.png", "_roll.png"})
            names.push_back(std::string("lvlset_button") + set + look);
    }
    for (const char* size : {"big", "medium", "small"}) {
        int count = std::string(size) == "big" ? 4 : std::string(size) == "medium" ? 3 : 5;
        for (int i = 0; i < count; ++i)
            names.push_back(std::string("mainmenu_cloud") + size + char('A' + i) + ".png");
    }
    for (const char* word : {"playnow", "levelmanager", "leveleditor", "highscores", "instructions", "settings",
                             "credits", "moregames", "exit"})
        names.push_back(std::string("mainmenu_text_") + word + ".png");
    for (const Series& s : series)
        for (int n = s.first; n <= s.last; ++n)
            names.push_back(s.prefix + std::to_string(n) + s.suffix);

    auto pictures = archivePictures();
    for (const std::string& name : names)
        EXPECT_TRUE(pictures.count(name)) << name;
}

// Sizes the screens' layout depends on: full-screen backgrounds, menu buttons
// that fit right of x 580, map dots matching the dot's hover box, and the
// counter strip that a 20-pixel window rolls down through 0-9 and on to 0, 1.
TEST(MenuAndMapPictures, SizesTheScreensRelyOn)
{
    struct Size {
        const char* name;
        int width, height;
    };
    const Size sizes[] = {{"mainmenu_background.jpg", 800, 600}, {"map_background.jpg", 800, 600},
                          {"dimmer.png", 800, 600},              {"mainmenu_buttonbase.png", 214, 50},
                          {"mainmenu_buttonrollover.png", 214, 50}, {"mapdotregularincompletebase.png", 18, 18},
                          {"mapdotregularselectedpulse3.png", 18, 18}, {"counterdigitsA.png", 13, 240}};
    auto pictures = archivePictures();
    for (const Size& expected : sizes) {
        ASSERT_TRUE(pictures.count(expected.name)) << expected.name;
        const std::vector<unsigned char>& bytes = pictures[expected.name];
        SDL_Surface* surface = IMG_Load_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
        ASSERT_NE(surface, nullptr) << expected.name << ": " << IMG_GetError();
        EXPECT_EQ(surface->w, expected.width) << expected.name;
        EXPECT_EQ(surface->h, expected.height) << expected.name;
        SDL_FreeSurface(surface);
    }
}

} // namespace
