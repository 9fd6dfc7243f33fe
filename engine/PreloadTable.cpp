// The start-up lists as data. Everything named here is decoded (or made) at
// start-up and held until exit; element sprites later find their frames by
// name without decoding anything. Each group's bar steps are spread so that
// the loading bar moves evenly: 141 steps of 100 in all.
#include "engine/PreloadTable.h"

#include "engine/Draw.h"
#include "engine/Log.h"
#include "text/TextIds.h"

#include <functional>
#include <initializer_list>

namespace preload {

namespace {

using Actions = std::vector<Action>;
using Words = std::initializer_list<const char*>;

Actions one(const std::string& name) { return {Acquire{name}}; }

Actions series(const std::string& prefix, int first, int last, const std::string& suffix)
{
    return {AcquireSeries{prefix, first, last, suffix}};
}

// prefix + word + suffix for every word, in order.
Actions each(const std::string& prefix, Words words, const std::string& suffix)
{
    Actions out;
    for (const char* word : words)
        out.push_back(Acquire{prefix + word + suffix});
    return out;
}

Actions step() { return {BarStep{}}; }

Actions copy(const std::string& source, const std::string& made, int dA) { return {Copy{source, made, dA}}; }

Actions copySeries(const std::string& sourcePrefix, const std::string& madePrefix, int first, int last,
                   const std::string& suffix, int dA)
{
    return {CopySeries{sourcePrefix, madePrefix, first, last, suffix, dA}};
}

// One image copied into the members first, first + 1, ... of a series, each
// with its own alpha shift.
Actions copyFades(const std::string& source, const std::string& prefix, int first, const std::string& suffix,
                  std::initializer_list<int> deltas)
{
    Actions out;
    int number = first;
    for (int dA : deltas)
        out.push_back(Copy{source, imageSeriesName(prefix, number++, suffix), dA});
    return out;
}

// A broken device fades away: the last frame of its break series is copied
// into six more frames, each fainter.
Actions breakFades(const std::string& prefix, int last, const std::string& suffix)
{
    return copyFades(imageSeriesName(prefix, last, suffix), prefix, last + 1, suffix,
                     {-35, -70, -110, -150, -190, -230});
}

Actions text(const std::string& name, int stringNumber, int width, int height)
{
    return {TextImage{name, stringNumber, width, height}};
}

Actions fade(const std::string& name, int count, int stepDelta) { return {FadeSeries{name, count, stepDelta}}; }

Actions forEach(Words words, const std::function<Actions(const std::string&)>& make)
{
    Actions out;
    for (const char* word : words)
        for (Action& action : make(word))
            out.push_back(std::move(action));
    return out;
}

Actions join(std::initializer_list<Actions> parts)
{
    Actions out;
    for (const Actions& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

Group group(const std::string& name, std::initializer_list<Actions> parts) { return {name, join(parts)}; }

const Words kColours = {"blue", "yellow", "red"};
const char* const kForGame = "Caching images for game";

// The pages of the stories between chapters and their buttons.
Actions storyPictures()
{
    Actions out = join({each("story_A1_", {"a.tga", "b.jpg", "c.jpg", "d.png", "e.jpg", "f.jpg"}, ""),
                        each("story_A2_", {"a.tga", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.png", "g.jpg"}, ""),
                        each("story_C1_", {"a.tga", "b.jpg", "c.jpg", "d.jpg", "e.png", "f.png", "g.jpg"}, ""),
                        each("story_C2_", {"a.tga", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg", "g.jpg"}, ""),
                        each("story_B", {"1_a.tga", "1_b.jpg", "2_a.tga", "2_b.jpg"}, "")});
    for (const char* design : {"story_B1_text_", "story_B2_text_"})
        for (const char* card : {"a", "b", "c"})
            for (Action& action : series(std::string(design) + card, 1, 5, ".png"))
                out.push_back(std::move(action));
    for (const char* button : {"prev", "next", "done"})
        for (Action& action : each(std::string("story_button") + button, {"base", "shadow", "rollover"}, ".png"))
            out.push_back(std::move(action));
    return out;
}

// The profile chooser, the settings and how to play, opened from the menus.
Group playerScreens()
{
    return group("Player Screens",
                 {each("profile_select_", {"main", "listbox", "selector"}, ".png"),
                  forEach({"up", "down", "select", "delete", "rename", "add"},
                          [](const std::string& word) {
                              return each("profile_button_" + word, {"base", "shadow", "rollover"}, ".png");
                          }),
                  each("slider_", {"shadow", "frame", "value", "greyout"}, ".png"),
                  each("slider_button_", {"minusbase", "minusshadow", "minusrollover", "plusbase", "plusshadow",
                                          "plusrollover"},
                       ".png"),
                  each("checkbox_", {"base", "rollover", "basecheck", "rollovercheck"}, ".png"),
                  each("optionscontrols", {"inputbase", "inputshadow", "inputrollover", "cursor"}, ".png"),
                  one("password_entry.png"),
                  each("picture_", {"basic_movement.tga", "terrain.tga", "crates.tga", "barrels.tga", "magnets.tga",
                                    "gates.tga", "trampolines.tga", "inflatable_crate.tga", "inflatable_magnet.tga",
                                    "inflatable_barrel.tga", "root_menu4.tga", "emp.tga", "whistle.tga"},
                       ""),
                  each("instructions_", {"shadowbridge.png", "shadowteleport.png", "shadowinflbridge.png",
                                         "shadowinflteleport.png", "heatgun.png"},
                       ""),
                  each("story_button", {"prevfade", "nextfade"}, ".png"),
                  each("levelmanager_", {"main.png", "listbox.jpg", "selector.png"}, ""),
                  forEach({"name", "date", "arrow1", "arrow2", "play", "remove", "morelevels", "reset", "map",
                           "mainmenu"},
                          [](const std::string& word) {
                              return each("levelmanager_button_" + word, {"base", "rollover"}, ".png");
                          }),
                  each("levelmanager_button_", {"dateshadow", "arrowshadow", "playshadow", "resetshadow"}, ".png")});
}

List mainMenu()
{
    return {
        "cacheMain",
        "Caching images for main menu",
        {group("Background", {one("dimmer.png"), one("mainmenu_background.jpg"), step()}),
         group("Clouds", {each("mainmenu_cloud",
                               {"bigA", "bigB", "bigC", "bigD", "mediumA", "mediumB", "mediumC", "smallA", "smallB",
                                "smallC", "smallD", "smallE"},
                               ".png"),
                          step()}),
         group("Volcano", {one("mainmenu_volcanofront.png"), series("mainmenu_glow", 1, 9, ".png"), step(),
                           series("mainmenu_smoke", 1, 54, ".png"), step()}),
         group("Professor", {series("mainmenu_profleftarm", 1, 5, ".png"),
                             series("mainmenu_profrightarm", 1, 5, ".png"), series("mainmenu_profhead", 0, 26, ".png"),
                             one("mainmenu_profbody.png"), one("mainmenu_leavescoconuts.png"), step()}),
         group("Buttons", {each("mainmenu_button", {"active", "rollover", "base"}, ".png"),
                           each("mainmenu_text_",
                                {"playnow", "levelmanager", "leveleditor", "highscores", "instructions", "settings",
                                 "credits", "moregames", "exit"},
                                ".png"),
                           each("profile_button_change", {"base", "shadow", "rollover"}, ".png"),
                           one("profile_main.png"), one("logovg-eyes.png"), step()}),
         playerScreens(), group("Story", {storyPictures()})}};
}

List map()
{
    // Every kind of level dot in each of its states, with the frames it
    // shrinks through.
    return {"cacheMap",
            "Caching images for map",
            {group("Background", {one("map_background.jpg"),
                                  each("map_buttonlevelset_text", {"regular", "advanced", "kids"}, ".png"),
                                  each("mapdotregularcompleted", {"base.png", "rollover.png"}, ""),
                                  series("mapdotregularcompletedshrink", 1, 3, ".png"),
                                  each("mapdotregularincomplete", {"base.png", "rollover.png"}, ""),
                                  series("mapdotregularincompleteshrink", 1, 3, ".png"),
                                  each("mapdotregularlocked", {"base.png", "ghosted.png"}, ""),
                                  series("mapdotregularlockedghostedshrink", 1, 3, ".png"),
                                  series("mapdotregularlockedshrink", 1, 3, ".png"),
                                  series("mapdotregularselectedpulse", 0, 5, ".png"),
                                  series("mapdotregularselectedshrink", 1, 3, ".png"),
                                  each("mapdotstar", {"base.png", "ghosted.png"}, ""),
                                  series("mapdotstarghostedshrink", 1, 3, ".png"),
                                  series("mapdotstarpulse", 1, 5, ".png"),
                                  series("mapdotstarshrink", 1, 3, ".png"),
                                  step(),
                                  series("star_base", 0, 59, ".png"),
                                  step(),
                                  series("star_pulse", 0, 59, ".png"),
                                  step(),
                                  series("star_appear", 0, 13, ".png"),
                                  one("mapstar_explain.png"),
                                  step()})}};
}

List game()
{
    Actions glows;
    for (int n : {3, 4, 5, 6, 7, 8, 9, 8, 7, 6, 5, 4})
        glows.push_back(Acquire{imageSeriesName("heatedobjectglow", n, ".png")});
    return {
        "cacheGame",
        kForGame,
        {group("Faded Counter", {copy("counterdigitsA.png", "counterdigitsA_faded.png", -50), step()}),
         group("Tutorial Bubbles", {each("",
                                         {"confirmation_parch", "parchment_professor", "parchment", "parchment_kids",
                                          "tutorial_small", "tutorial_big"},
                                         ".png"),
                                    step()}),
         group("Game Screen", {one("grid.png"), one("show_solution.tga"), each("ingame_menubutton", {"", "_selected"}, ".tga"),
                               one("Step Counter 03.png")}),
         group("Game Overlays", {one("flash.jpg"), glows, series("heatgunimpact", 0, 25, ".png"),
                                 series("icemeltingsteam", 0, 18, ".png"), series("magnetemp", 0, 14, ".tga"), step()}),
         group("Game Backgrounds",
               {series("background", 0, 1, ".jpg"), step(), series("background", 2, 3, ".jpg"), step(),
                series("background", 4, 5, ".jpg"), step(), series("background", 6, 7, ".jpg"), step()})}};
}

List bots()
{
    return {"cacheGameBot",
            kForGame,
            {group("Bots",
                   {each("batstunned", {"lefttiltleft", "lefttiltright", "righttiltleft", "righttiltright"}, ".png"),
                    series("botcatchprofleft", 0, 26, ".png"),
                    series("botcatchprofright", 0, 26, ".png"),
                    series("botclimb", 0, 2, ".png"),
                    step(),
                    series("botcooledleftsquash", 0, 2, ".png"),
                    each("botcooledleft", {"tiltleft", "tiltright"}, ".png"),
                    series("botcooledrightsquash", 0, 2, ".png"),
                    each("botcooledright", {"tiltleft", "tiltright"}, ".png"),
                    series("botcoolingleft", 0, 6, ".png"),
                    series("botcoolinglefttiltedleft", 0, 6, ".png"),
                    series("botcoolinglefttiltedright", 0, 6, ".png"),
                    series("botcoolingright", 0, 6, ".png"),
                    series("botcoolingrighttiltedleft", 0, 6, ".png"),
                    series("botcoolingrighttiltedright", 0, 6, ".png"),
                    step(),
                    series("botcrawlleft", 0, 5, ".png"),
                    series("botcrawlright", 0, 5, ".png"),
                    series("botcrushedleft", 0, 2, ".png"),
                    series("botcrushedright", 0, 2, ".png"),
                    series("botfall", 0, 18, ".png"),
                    each("bot", {"frozen", "frozenmelted", "hang"}, ".png"),
                    step(),
                    series("botheatedleftsquash", 0, 2, ".png"),
                    each("botheatedleft", {"tiltleft", "tiltright"}, ".png"),
                    series("botheatedrightsquash", 0, 2, ".png"),
                    each("botheatedright", {"tiltleft", "tiltright"}, ".png"),
                    series("botmagnetleft", 0, 1, ".png"),
                    series("botmagnetright", 0, 1, ".png"),
                    series("botmeltingleft", 0, 4, ".png"),
                    series("botmeltingright", 0, 4, ".png"),
                    step(),
                    series("botpushleft", 0, 11, ".png"),
                    series("botpushright", 0, 11, ".png"),
                    series("botrunleft", 0, 11, ".png"),
                    series("botrunright", 0, 11, ".png"),
                    step(),
                    series("botslidingleft", 0, 5, ".png"),
                    series("botslidingright", 0, 5, ".png"),
                    each("botstand", {"left", "right"}, ".png"),
                    series("botstunnedleft", 0, 2, ".png"),
                    series("botstunnedright", 0, 2, ".png"),
                    step()})}};
}

List buttons()
{
    return {"cacheGameButton",
            kForGame,
            {group("Buttons", {series("buttonblue", 0, 1, ".tga"), series("buttonred", 0, 1, ".tga"),
                               series("buttonyellow", 0, 1, ".tga"), step()})}};
}

List gunshots()
{
    return {
        "cacheGameGunshot",
        kForGame,
        {group("Gunshots", {series("frostballleft", 0, 11, ".tga"), series("frostballright", 0, 11, ".tga"),
                            series("frostexplode", 0, 8, ".tga"), series("fireballleft", 0, 11, ".png"),
                            series("fireballright", 0, 11, ".png"), series("heatgunimpact", 0, 25, ".png"), step()})}};
}

List gates()
{
    return {"cacheGameGate",
            kForGame,
            {group("Gates", {series("gatebackbreak", 0, 7, ".tga"), series("gatebackclose", 0, 7, ".tga"),
                             series("gatebackmagnet", 0, 3, ".tga"), series("gatefrontbreak", 0, 11, ".tga"),
                             series("gatefrontbreakred", 0, 11, ".tga"), series("gatefrontbreakyellow", 0, 11, ".tga"),
                             each("gatefront", {"close0", "close6", "close7", "closered0", "closeyellow0"}, ".tga"),
                             series("gatefrontmagnet", 0, 3, ".tga"), series("gatefrontmagnetred", 0, 3, ".tga"),
                             series("gatefrontmagnetyellow", 0, 3, ".tga"), step()})}};
}

List powerups()
{
    return {
        "cacheGamePowerup",
        kForGame,
        {group("Powerups", {series("powerupbarrel", 0, 23, ".tga"), series("powerupbridge", 0, 27, ".png"),
                            series("powerupcrate", 0, 27, ".tga"), series("powerupemp", 0, 17, ".tga"),
                            series("powerupfrostgun", 0, 17, ".tga"), one("poweruphalo0.tga"),
                            series("powerupmagnet", 0, 23, ".tga"), series("powerupteleport", 0, 27, ".png"),
                            series("powerupteleportred", 0, 27, ".png"), series("powerupteleportyellow", 0, 27, ".png"),
                            step(), series("powerupwhistle", 0, 17, ".tga"), series("poweruptextemp", 0, 7, ".tga"),
                            series("poweruptextfrostgun", 0, 7, ".tga"), series("poweruptextinflatable", 0, 7, ".tga"),
                            series("poweruptextwhistle", 0, 7, ".tga"), series("powerupheatgun", 0, 17, ".png"),
                            series("poweruptextheatgun", 0, 7, ".tga"), step()})}};
}

List trampolines()
{
    return {"cacheGameTramp",
            kForGame,
            {group("Trampolines",
                   {each("trampoline", {"0", "back0", "front0"}, ".tga"), series("trampolinefrontright", 0, 2, ".tga"),
                    series("trampolinestretchleft", 0, 1, ".tga"), one("trampolinestretchleftfull.tga"),
                    series("trampolinestretchright", 0, 2, ".tga"), one("trampolinestretchrightfull.tga"),
                    series("trampolineunstretchleft", 0, 7, ".tga"), series("trampolineunstretchright", 0, 8, ".tga"),
                    step()})}};
}

List terrain()
{
    // Grass and sand have a tile for every way a run of them can join, and a
    // few plain variants ("b").
    return {"cacheGameTerrain",
            kForGame,
            {group("Grass", {series("grass", 1, 32, ".png"), series("grass", 1, 5, "b.png"), step()}),
             group("Sand", {series("sand", 1, 32, ".png"), series("sand", 1, 5, "b.png"), step()}),
             group("Ice", {series("ice", 1, 10, ".png"), series("ice", 1, 2, "b.png"), step()}),
             group("Bridges",
                   {one("bridgeinflatable0_trimmed.png"), series("bridgeinflatable", 0, 10, ".png"),
                    each("bridgeinflate", {"left0", "right0", "1", "2", "4"}, ".png"), one("bridgeA0_trimmed.png"),
                    series("bridgeA", 0, 13, ".png"), one("bridgefrozen.png"), step()}),
             group("Ladders",
                   {each("ladder", {"iso", "top", "middle", "bottom", "bottomhang", "platform"}, ".tga"), step()})}};
}

// Eight frames of a rolling barrel for every look: plain, frozen and heated,
// standing and falling.
Actions barrelRolls(const std::string& prefix, const std::string& suffix)
{
    return forEach({"", "frozen", "heated", "fall", "fallfrozen", "fallheated"},
                   [&](const std::string& look) { return series(prefix + look, 0, 7, suffix); });
}

List barrels()
{
    return {"cacheGameBarrels",
            kForGame,
            {group("Wooden Barrels", {barrelRolls("barrel", ".tga"), step()}),
             group("Inflatable Barrels", {barrelRolls("barrelinflatable", ".tga"),
                                          each("barrelinflate", {"left0", "right0", "1", "2", "4"}, ".tga"), step()}),
             group("Metal Barrels",
                   {barrelRolls("metalbarrel", ".png"), series("metalbarrelcooling", 0, 6, ".png"), step()}),
             group("Cooling Metal Barrels", {forEach({"0", "1", "2", "3", "4", "5", "6", "7"},
                                                     [](const std::string& roll) {
                                                         return series("metalbarrelcooling" + roll + "-", 0, 6, ".png");
                                                     }),
                                             step()})}};
}

// An inflatable magnet facing `side`: standing, moving either way, each
// plain, frozen and heated; squashed; inflating.
Actions inflatableMagnet(const std::string& side)
{
    std::string body = "magnetinflatable" + side;
    return join({each(body,
                      {"still0", "stillfrozen0", "stillheated0", "left0", "leftfrozen0", "leftheated0", "right0",
                       "rightfrozen0", "rightheated0", "squash0", "squash1", "squash4"},
                      ".tga"),
                 series("magnetinflate" + side, 0, 2, ".tga"), one("magnetinflate" + side + "4.tga")});
}

// A normal magnet facing `side`: the heated looks are pictures of their own,
// and a heated magnet cools through seven frames.
Actions normalMagnet(const std::string& side)
{
    std::string body = "magnet" + side;
    return join({one(body + "still0.tga"), one(body + "stillfrozen0.tga"), one(body + "heatednormal.png"),
                 one(body + "left0.tga"), one(body + "leftfrozen0.tga"), one(body + "heatedleft.png"),
                 one(body + "right0.tga"), one(body + "rightfrozen0.tga"), one(body + "heatedright.png"),
                 each(body + "squash", {"0", "1", "4"}, ".tga"), each(body + "heatedsquash", {"0", "1", "4"}, ".png"),
                 series(body + "cooling", 0, 6, ".png")});
}

List magnets()
{
    return {"cacheGameMagnets",
            kForGame,
            {group("Left Magnet, Inflatable", {inflatableMagnet("left"), step()}),
             group("Right Magnet, Inflatable", {inflatableMagnet("right"), step()}),
             group("Left Magnet, Normal", {normalMagnet("left"), step()}),
             group("Right Magnet, Normal", {normalMagnet("right"), step()})}};
}

List crates()
{
    return {
        "cacheGameCrates",
        kForGame,
        {group("Wooden Crate",
               {each("crate",
                     {"still0", "still0b", "stillfrozen0", "left0", "left0b", "leftfrozen0", "right0", "right0b",
                      "rightfrozen0", "squash0", "squash1", "squash4", "squash0b", "squash1b", "squash4b"},
                     ".tga"),
                step()}),
         group("Inflatable Crate",
               {each("crateinflatable",
                     {"still0", "stillfrozen0", "left0", "leftfrozen0", "right0", "rightfrozen0", "squash0", "squash1",
                      "squash4"},
                     ".tga"),
                each("crateinflate", {"left0", "right0"}, ".tga"), series("crateinflate", 1, 4, ".tga"), step()}),
         group("Metal Crate", {each("metalcrate", {"still0", "stillfrozen0"}, ".tga"), one("metalcrateheated.png"),
                               each("metalcrate", {"left0", "leftfrozen0"}, ".tga"), one("metalcrateheatedleft.png"),
                               each("metalcrate", {"right0", "rightfrozen0"}, ".tga"), one("metalcrateheatedright.png"),
                               each("metalcratesquash", {"0", "1", "4"}, ".tga"),
                               each("metalcrateheatedsquash", {"0", "1", "4"}, ".png"),
                               series("metalcratecooling", 0, 6, ".png"), step()})}};
}

List tubes()
{
    return {"cacheGameTubes",
            kForGame,
            {group("Tube Images",
                   {each("tube", {"entrance0", "exit0", "exitlights0", "arrow0"}, ".png"), step(),
                    copyFades("tubearrow0.png", "tubearrowfade", 0, ".png", {-25, -50, -80, -110, -150, -190, -230}),
                    step(), series("transporttube_break", 0, 5, ".png"), series("transporttubeB_break", 0, 5, ".png"),
                    step(), breakFades("transporttube_break", 5, ".png"), breakFades("transporttubeB_break", 5, ".png"),
                    step()})}};
}

List professor()
{
    return {
        "cacheGameProf",
        kForGame,
        {group("Professor", {series("profstandmiddle", 0, 10, ".tga"),
                             series("profstandleft", 0, 10, ".tga"),
                             series("profstandright", 0, 10, ".tga"),
                             step(),
                             series("profrunleft", 0, 9, ".tga"),
                             series("profrunright", 0, 9, ".tga"),
                             series("profclimbdown", 0, 2, ".tga"),
                             series("profclimbup", 0, 2, ".tga"),
                             series("profladderleft", 0, 3, ".tga"),
                             series("profladderright", 0, 3, ".tga"),
                             step(),
                             series("proffall", 0, 5, ".tga"),
                             series("profpushleft", 0, 7, ".tga"),
                             series("profpushright", 0, 7, ".tga"),
                             step(),
                             series("profslideleft", 0, 3, ".tga"),
                             series("profslideleftuncool", 0, 5, ".tga"),
                             series("profslideright", 0, 3, ".tga"),
                             series("profsliderightuncool", 0, 5, ".tga"),
                             step(),
                             series("profinflateleft", 0, 9, ".tga"),
                             series("profinflateright", 0, 9, ".tga"),
                             step(),
                             series("profemp", 0, 10, ".tga"),
                             series("profwhistle", 0, 8, ".tga"),
                             step(),
                             series("profgunleft", 0, 10, ".tga"),
                             series("profgunright", 0, 10, ".tga"),
                             step(),
                             series("proffireheatgunleft", 0, 10, ".png"),
                             series("proffireheatgunright", 0, 10, ".png"),
                             step(),
                             series("proftrampleft", 0, 6, ".tga"),
                             series("proftrampright", 0, 6, ".tga"),
                             series("proftrampflingleft", 0, 2, ".tga"),
                             series("proftrampflingright", 0, 8, ".tga"),
                             series("proftramprecover", 0, 7, ".tga"),
                             series("profland", 0, 5, ".tga"),
                             step(),
                             series("tube", 0, 21, ".tga"),
                             step(),
                             series("profbarrelleft", 0, 9, ".tga"),
                             series("profbarrelright", 0, 9, ".tga"),
                             series("profcrawlleft", 0, 5, ".tga"),
                             series("profcrawlright", 0, 5, ".tga"),
                             series("profstunleft", 0, 2, ".tga"),
                             series("profstunright", 0, 2, ".tga"),
                             series("profturnleft", 0, 1, ".tga"),
                             series("profturnright", 0, 1, ".tga"),
                             step(),
                             one("proffrozen0.tga"),
                             series("profsinged", 0, 7, ".png"),
                             series("profthawing", 0, 4, ".png"),
                             step(),
                             series("profcaughtleft", 0, 30, ".png"),
                             series("profcaughtright", 0, 30, ".png"),
                             step(),
                             series("profhotstepleft", 0, 48, ".png"),
                             series("profhotstepright", 0, 48, ".png"),
                             step(),
                             series("profpushhotleft", 0, 32, ".png"),
                             series("profpushhotright", 0, 32, ".png"),
                             step(),
                             series("profidleA", 0, 6, ".tga"),
                             series("profidleB", 0, 10, ".tga"),
                             series("profidleC", 0, 4, ".tga"),
                             series("profidleC", 9, 12, ".tga"),
                             series("profidleD", 0, 5, ".tga"),
                             series("profidleD", 11, 17, ".tga"),
                             series("profidleE", 0, 22, ".tga"),
                             series("profidleF", 0, 60, ".tga"),
                             series("profidleG", 0, 6, ".tga"),
                             series("profidleH", 0, 16, ".png"),
                             series("profidleI", 0, 11, ".png"),
                             series("profidleJ", 0, 13, ".png"),
                             step()}),
         group("Powerup Icons",
               {forEach({"one", "two", "three", "four", "five", "six", "seven", "eight", "nine"},
                        [](const std::string& count) { return series("icon" + count, 0, 1, ".tga"); }),
                forEach({"crate", "barrel", "magnet", "emp", "whistle", "frostgun"},
                        [](const std::string& item) { return series("icon" + item, 0, 4, ".tga"); }),
                step(), series("iconheatgun", 0, 4, ".png"), series("iconbridge", 0, 4, ".png"),
                forEach({"blue", "yellow", "red"},
                        [](const std::string& colour) {
                            std::string icon = "iconteleport" + colour;
                            return join({series(icon, 0, 4, ".png"), each(icon + "3", {"b", "c", "d", "e"}, ".png")});
                        }),
                step()})}};
}

List teleports()
{
    return {"cacheGameTeleports",
            kForGame,
            {group("Inflatables",
                   {forEach({"blue", "red", "yellow"},
                            [](const std::string& colour) {
                                std::string body = "teleportinflatable_" + colour;
                                return join({series(body, 0, 4, ".png"), each(body + "3", {"back", "front"}, ".png")});
                            }),
                    step()}),
             group("Frames",
                   {one("teleport_frameback.png"), series("teleport_frameblue", 0, 4, ".png"),
                    series("teleport_framered", 0, 4, ".png"), series("teleport_frameyellow", 0, 4, ".png"), step()}),
             group("Spirals",
                   {each("teleport_glow", {"blue", "red", "yellow"}, ".png"), step(),
                    series("teleport_spiralblueturnon", 0, 6, ".png"), series("teleport_spiralredturnon", 0, 6, ".png"),
                    series("teleport_spiralyellowturnon", 0, 6, ".png"), step(),
                    series("teleport_spiralblue", 0, 39, ".png"), step(), series("teleport_spiralred", 0, 39, ".png"),
                    step(), series("teleport_spiralyellow", 0, 39, ".png"), step()})}};
}

// Captions of the parchment buttons and of the element classes, rendered
// from the text table once, centred in the button's box.
List captions()
{
    constexpr int kWidth = 186;
    constexpr int kHeight = 29;
    const std::pair<const char*, int> buttons[] = {{"krvl_button_maintext.png", TEXT_CAPTION_MAIN_MENU},
                                                   {"krvl_button_maptext.png", TEXT_CAPTION_MAP},
                                                   {"krvl_button_managertext.png", TEXT_CAPTION_LEVEL_MANAGER},
                                                   {"krvl_button_continuetext.png", TEXT_CAPTION_CONTINUE},
                                                   {"krvl_button_scorestext.png", TEXT_CAPTION_HIGH_SCORES},
                                                   {"krvl_button_selecttext.png", TEXT_CAPTION_CHOOSE_LEVEL},
                                                   {"krvl_button_settingstext.png", TEXT_CAPTION_SETTINGS},
                                                   {"krvl_button_resumetext.png", TEXT_CAPTION_RETURN_TO_GAME},
                                                   {"krvl_button_restarttext.png", TEXT_CAPTION_START_OVER},
                                                   {"krvl_button_retrytext.png", TEXT_CAPTION_TRY_AGAIN},
                                                   {"krvl_button_solutiontext.png", TEXT_CAPTION_SHOW_SOLUTION},
                                                   {"krvl_button_instructionstext.png", TEXT_CAPTION_HOW_TO_PLAY},
                                                   {"krvl_button_quittext.png", TEXT_CAPTION_QUIT},
                                                   {"krvl_button_overalltext.png", TEXT_CAPTION_OVERALL_SCORES},
                                                   {"krvl_button_backmenutext.png", TEXT_CAPTION_BACK},
                                                   {"krvl_button_passwordtext.png", TEXT_CAPTION_PASSWORD},
                                                   {"krvl_button_controlstext.png", TEXT_CAPTION_CONTROLS},
                                                   {"krvl_button_defaulttext.png", TEXT_CAPTION_DEFAULTS},
                                                   {"krvl_button_savetext.png", TEXT_CAPTION_SAVE},
                                                   {"krvl_button_canceltext.png", TEXT_CAPTION_CANCEL},
                                                   {"krvl_button_undotext.png", TEXT_CAPTION_UNDO_STEP},
                                                   {"krvl_button_undotextB.png", TEXT_CAPTION_UNDO_LAST_STEP}};
    Group parchment{"Parchment Buttons",
                    join({each("krvl_button_", {"base", "select"}, ".png"), one("parchment_confirmation.png"),
                          each("confirmation_button",
                               {"okaybase", "okayshadow", "okayroll", "cancelbase", "cancelshadow", "cancelroll"},
                               ".png")})};
    for (const auto& [name, stringNumber] : buttons)
        parchment.actions.push_back(TextImage{name, stringNumber, kWidth, kHeight});
    parchment.actions.push_back(BarStep{});
    for (int n = 0; n <= 17; ++n)
        parchment.actions.push_back(TextImage{imageSeriesName("krvl_button_class", n, "text.png"),
                                              TEXT_HOWTO_TOPIC_CAPTIONS + n, kWidth, kHeight});
    parchment.actions.push_back(BarStep{});
    Group boards = group(
        "Score Boards and Text Entry",
        {each("parchment_", {"victory", "caught", "singed", "tutorial"}, ".png"),
         each("hiscores_", {"title", "headings", "tablebar", "highlighter1", "highlighter2", "arrow1", "arrow2",
                            "textshow"},
              ".png"),
         forEach({"regular", "advanced", "kids"},
                 [](const std::string& set) {
                     return each("hiscores_button_" + set, {"base", "shadow", "rollover"}, ".png");
                 }),
         each("hiscores_button_download", {"base", "shadow", "roll"}, ".png"),
         each("hiscores_button_submit", {"base", "shadow", "rollover"}, ".png"),
         each("profile_entername_", {"mainbig", "mainsmall", "textbox"}, ".png"), one("profilenternamecursor.png"),
         each("profile_button_okay", {"base", "shadow", "rollover"}, ".png"),
         each("profile_button_cancel", {"base", "shadow", "rollover"}, ".png")});
    return {"cacheButtons", "Caching images for buttons", {parchment, boards}};
}

// Pointer pictures for the editor: the things it places, see-through.
Group cursorIcons()
{
    auto cursor = [](const char* source, const char* made) { return copy(source, made, -100); };
    return group("Faded Cursor Icons", {cursor("grass1.png", "cursorgrass.png"),
                                        cursor("sand1.png", "cursorsand.png"),
                                        cursor("ice1.png", "cursorice.png"),
                                        cursor("bridgeA0_trimmed.png", "cursorbridge.png"),
                                        step(),
                                        cursor("editorteleportblue.png", "cursorteleportblue.png"),
                                        cursor("editorteleportyellow.png", "cursorteleportyellow.png"),
                                        cursor("editorteleportred.png", "cursorteleportred.png"),
                                        cursor("editorpowerupteleport.png", "cursorpowerupteleport.png"),
                                        step(),
                                        cursor("editorpowerupwhistle.tga", "cursorpowerupwhistle.tga"),
                                        cursor("editorpowerupbridge.png", "cursorpowerupbridge.png"),
                                        cursor("editorpowerupheatgun.png", "cursorpowerupheatgun.png"),
                                        cursor("editorpowerupfrostgun.tga", "cursorpowerupfrostgun.tga"),
                                        step(),
                                        cursor("frostballleft2.tga", "cursorfreeze.tga"),
                                        cursor("fireballleft2.png", "cursorheat.png"),
                                        cursor("editorerase.png", "cursorerase.png"),
                                        cursor("metalbarrel0.png", "cursormbarrel.png"),
                                        cursor("barrel0.tga", "cursorwbarrel.tga"),
                                        step(),
                                        cursor("bothang.png", "cursorbot.png"),
                                        cursor("bothang.png", "cursorbothang.png"),
                                        cursor("botstandleft.png", "cursorbotleft.png"),
                                        cursor("botstandright.png", "cursorbotright.png"),
                                        cursor("qmarkrotate23.tga", "cursortutorial.tga"),
                                        cursor("laddermiddle.tga", "cursorladder.tga"),
                                        cursor("editorgateblue.tga", "cursorgateblue.tga"),
                                        cursor("editorgateyellow.tga", "cursorgateyellow.tga"),
                                        cursor("editorgatered.tga", "cursorgatered.tga"),
                                        cursor("buttonblue1.tga", "cursorbuttonblue.tga"),
                                        cursor("buttonyellow1.tga", "cursorbuttonyellow.tga"),
                                        cursor("buttonred1.tga", "cursorbuttonred.tga"),
                                        cursor("editortrampoline.tga", "cursortrampoline.tga"),
                                        cursor("editortubeentrance.tga", "cursortubeentrance.tga"),
                                        cursor("editortubeexit.tga", "cursortubeexit.tga"),
                                        cursor("editorpowerupemp.tga", "cursorpowerupemp.tga"),
                                        cursor("editorpowerupmagnet.tga", "cursorpowerupmagnet.tga"),
                                        cursor("editorpowerupcrate.tga", "cursorpowerupcrate.tga"),
                                        cursor("editorpowerupbarrel.tga", "cursorpowerupbarrel.tga"),
                                        cursor("cratestill0.tga", "cursorwcrate.tga"),
                                        cursor("metalcratestill0.tga", "cursormcrate.tga"),
                                        cursor("magnetleftstill0.tga", "cursorlmagnet.tga"),
                                        cursor("magnetrightstill0.tga", "cursorrmagnet.tga"),
                                        step()});
}

// A portal switching on fades in from almost nothing; its spiral also comes
// in four fainter strengths.
Group teleportPortals()
{
    return group("Faded Teleport Portals",
                 {forEach(kColours,
                          [](const std::string& colour) {
                              std::string source = "teleport_spiral" + colour + "0.png";
                              std::string enable = "teleport_spiral" + colour + "_enable";
                              return join({copyFades(source, enable, 0, ".png", {-235, -215, -195, -175}), step(),
                                           copyFades(source, enable, 4, ".png", {-155, -135, -115, -95}), step()});
                          }),
                  forEach(kColours,
                          [](const std::string& colour) {
                              std::string spiral = "teleport_spiral" + colour;
                              return join({copySeries(spiral, spiral + "_idle", 0, 39, ".png", -85), step(),
                                           copySeries(spiral, spiral + "_70", 0, 39, ".png", -70), step(),
                                           copySeries(spiral, spiral + "_50", 0, 39, ".png", -40), step(),
                                           copySeries(spiral, spiral + "_10", 0, 39, ".png", -10), step()});
                          }),
                  forEach(kColours, [](const std::string& colour) {
                      std::string turnOn = "teleport_spiral" + colour + "turnon";
                      return join({copy(turnOn + "5.png", turnOn + "5_faded.png", -45), step(),
                                   copy(turnOn + "6.png", turnOn + "6_faded.png", -65), step()});
                  })});
}

Group teleportGlows()
{
    return group("Faded Teleport Glows", {forEach(kColours, [](const std::string& colour) {
                     std::string glow = "teleport_glow" + colour;
                     return join({copyFades(glow + ".png", glow, 0, ".png", {-20, -6, -1, -2}), step(),
                                  copyFades(glow + ".png", glow, 4, ".png", {-4, -13, -21, -31}), step(),
                                  copyFades(glow + ".png", glow, 8, ".png", {-43, -56, -70, -85, -99}), step()});
                 })});
}

List fadedImages()
{
    // A message under a text field that fades out after a wrong entry.
    auto fadingText = [](const std::string& name, int stringNumber, int width) {
        return join({text(name, stringNumber, width, 30), fade(name, 6, -45)});
    };
    auto breakingSeries = [](const std::string& prefix, int last, const std::string& suffix) {
        return join({series(prefix, 0, last, suffix), breakFades(prefix, last, suffix), step()});
    };
    return {
        "cacheFadedImages",
        "Caching Faded images",
        {group("Text Entry Fading Text",
               {fadingText("scoreboard_user_invalid.png", TEXT_NAME_REFUSED_SHORT, 300),
                fadingText("password_invalid.png", TEXT_PASSWORD_WRONG, 300),
                fadingText("options_password_invalid.png", TEXT_PASSWORD_WRONG_SHORT, 136), step()}),
         cursorIcons(),
         group("Faded Question Marks", {series("qmarkrotate", 0, 23, ".tga"),
                                        copySeries("qmarkrotate", "qmarkrotate_fading1", 0, 23, ".tga", -50), step(),
                                        copySeries("qmarkrotate", "qmarkrotate_fading2", 0, 23, ".tga", -90), step(),
                                        copySeries("qmarkrotate", "qmarkrotate_fading3", 0, 23, ".tga", -130), step()}),
         group("Faded Breaking Buttons", {forEach(kColours,
                                                  [&](const std::string& colour) {
                                                      return breakingSeries("button" + colour + "_break", 4, ".png");
                                                  })}),
         group("Faded Breaking Trampolines", {forEach({"front", "back", "rubber"},
                                                      [&](const std::string& part) {
                                                          return breakingSeries("trampoline" + part + "break", 3,
                                                                                ".png");
                                                      })}),
         group("Faded Breaking Teleports",
               {forEach({"back", "blue", "yellow", "red"},
                        [](const std::string& part) {
                            std::string prefix = "teleport_frame" + part + "break";
                            return join({series(prefix, 0, 6, ".png"), step(), breakFades(prefix, 6, ".png"), step()});
                        })}),
         group("Faded Breaking Inflatable Teleports",
               {forEach(kColours,
                        [](const std::string& colour) {
                            std::string back = "inflatableteleport_" + colour + "backbreak";
                            std::string front = "inflatableteleport_" + colour + "frontbreak";
                            return join({series(back, 0, 6, ".png"), series(front, 0, 6, ".png"), step(),
                                         breakFades(back, 6, ".png"), step(), breakFades(front, 6, ".png"), step()});
                        })}),
         teleportPortals(), teleportGlows()}};
}

std::vector<List> buildLists()
{
    return {mainMenu(), map(),     game(),    bots(),   buttons(), gunshots(),  gates(),     powerups(), trampolines(),
            terrain(),  barrels(), magnets(), crates(), tubes(),   professor(), teleports(), captions(), fadedImages()};
}

} // namespace

const std::vector<List>& lists()
{
    static const std::vector<List> table = buildLists();
    return table;
}

namespace {

// Collects the names of the actions in the order they run: a name read
// before any action made it comes from the archive.
class NameCollector
{
public:
    Names names;

    void operator()(const Acquire& a) { hold(a.name); }
    void operator()(const AcquireSeries& a)
    {
        for (int n = a.first; n <= a.last; ++n)
            hold(imageSeriesName(a.prefix, n, a.suffix));
    }
    void operator()(const Copy& c)
    {
        read(c.source);
        make(c.made);
    }
    void operator()(const CopySeries& c)
    {
        for (int n = c.first; n <= c.last; ++n) {
            read(imageSeriesName(c.sourcePrefix, n, c.suffix));
            make(imageSeriesName(c.madePrefix, n, c.suffix));
        }
    }
    void operator()(const TextImage& t) { make(t.name); }
    void operator()(const FadeSeries& f)
    {
        read(f.name);
        for (int k = f.count - 1; k >= 0; --k)
            make(fadeSeriesName(f.name, k));
    }
    void operator()(const BarStep&) {}

private:
    std::set<std::string> seen_;

    void read(const std::string& name)
    {
        if (seen_.insert(name).second)
            names.archived.push_back(name);
    }
    void hold(const std::string& name)
    {
        read(name);
        names.held.insert(name);
    }
    void make(const std::string& name)
    {
        seen_.insert(name);
        names.made.push_back(name);
    }
};

} // namespace

Names startUpNames()
{
    NameCollector collector;
    for (const List& l : lists())
        for (const Group& g : l.groups)
            for (const Action& action : g.actions)
                std::visit(collector, action);
    return collector.names;
}

const List& list(const std::string& function)
{
    for (const List& l : lists())
        if (l.function == function)
            return l;
    logError(true, "No start-up list %s\n", function.c_str());
    return lists().front();
}

} // namespace preload
