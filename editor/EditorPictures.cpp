#include "editor/EditorPictures.h"

#include "engine/Draw.h"

#include <cstdio>

namespace {

constexpr EditorPicture none{};

// The pictures the editor draws for tile-layer elements; a terrain run's
// name holds the run width.
const EditorElementPicture ELEMENTS[] = {
    {EC_TUTORIAL, {"qmarkrotate23.tga", 15, 17}, none, none, KIND_EDITOR_ELEMENT},
    {EC_DEVICE_TUBE_START, {"editortubeentrance.tga", 16, 36}, none, none, KIND_EDITOR_ELEMENT},
    {EC_POWERUP_FROSTGUN, {"editorpowerupfrostgun.tga", 20, 19}, none, none, KIND_EDITOR_ELEMENT},
    {EC_POWERUP_HEATGUN, {"editorpowerupheatgun.png", 20, 19}, none, none, KIND_EDITOR_ELEMENT},
    {EC_POWERUP_WHISTLE, {"editorpowerupwhistle.tga", 20, 19}, none, none, KIND_EDITOR_ELEMENT},
    {EC_DEVICE_TUBE_END, {"editortubeexit.tga", 16, 39}, none, none, KIND_EDITOR_ELEMENT},
    {EC_POWERUP_TELEPORT, {"editorpowerupteleport.png", 20, 19}, none, none, KIND_EDITOR_ELEMENT},
    {EC_POWERUP_BRIDGE, {"editorpowerupbridge.png", 20, 19}, none, none, KIND_EDITOR_ELEMENT},
    {EC_POWERUP_EMP, {"editorpowerupemp.tga", 20, 19}, none, none, KIND_EDITOR_ELEMENT},
    {EC_POWERUP_CRATE, {"editorpowerupcrate.tga", 20, 19}, none, none, KIND_EDITOR_ELEMENT},
    {EC_POWERUP_BARREL, {"editorpowerupbarrel.tga", 20, 19}, none, none, KIND_EDITOR_ELEMENT},
    {EC_POWERUP_MAGNET, {"editorpowerupmagnet.tga", 20, 19}, none, none, KIND_EDITOR_ELEMENT},
    {EC_TERRAIN_GRASS, {"grass%i.png", 24, 25}, none, none, KIND_EDITOR_TERRAIN},
    {EC_OBJECT_WCRATE, {"cratestill0.tga", 23, 13}, {"cratestillfrozen0.tga", 19, 14}, none, KIND_EDITOR_ELEMENT},
    {EC_OBJECT_WBARREL, {"barrel0.tga", 19, 15}, {"barrelfrozen0.tga", 21, 17}, none, KIND_EDITOR_ELEMENT},
    {EC_OBJECT_LMAGNET,
     {"magnetleftstill0.tga", 16, 12},
     {"magnetleftstillfrozen0.tga", 20, 14},
     {"magnetleftheatednormal.png", 16, 12},
     KIND_EDITOR_ELEMENT},
    {EC_TERRAIN_SAND, {"sand%i.png", 24, 23}, none, none, KIND_EDITOR_TERRAIN},
    {EC_OBJECT_MCRATE,
     {"metalcratestill0.tga", 23, 13},
     {"metalcratestillfrozen0.tga", 19, 14},
     {"metalcrateheated.png", 23, 13},
     KIND_EDITOR_ELEMENT},
    {EC_OBJECT_MBARREL,
     {"metalbarrel0.png", 19, 15},
     {"metalbarrelfrozen0.png", 21, 17},
     {"metalbarrelheated0.png", 19, 15},
     KIND_EDITOR_ELEMENT},
    {EC_OBJECT_RMAGNET,
     {"magnetrightstill0.tga", 18, 12},
     {"magnetrightstillfrozen0.tga", 20, 13},
     {"magnetrightheatednormal.png", 18, 12},
     KIND_EDITOR_ELEMENT},
    {EC_TERRAIN_ICE, {"ice1.png", 17, 13}, none, none, KIND_EDITOR_TERRAIN},
    {EC_DEVICE_GATE_B, {"editorgateblue.tga", 19, 15}, none, none, KIND_EDITOR_ELEMENT},
    {EC_DEVICE_GATE_Y, {"editorgateyellow.tga", 19, 15}, none, none, KIND_EDITOR_ELEMENT},
    {EC_DEVICE_GATE_R, {"editorgatered.tga", 19, 15}, none, none, KIND_EDITOR_ELEMENT},
    {EC_TERRAIN_BRIDGE, {"bridgeA0_trimmed.png", 19, 15}, {"bridgefrozen.png", 19, 15}, none, KIND_EDITOR_TERRAIN},
    {EC_DEVICE_BUTTON_B, {"buttonblue1.tga", 11, -9}, none, none, KIND_EDITOR_ELEMENT},
    {EC_DEVICE_BUTTON_Y, {"buttonyellow1.tga", 11, -9}, none, none, KIND_EDITOR_ELEMENT},
    {EC_DEVICE_BUTTON_R, {"buttonred1.tga", 11, -9}, none, none, KIND_EDITOR_ELEMENT},
    {EC_DEVICE_TRAMPOLINE, {"editortrampoline.tga", 11, 17}, none, none, KIND_EDITOR_ELEMENT},
    {EC_BOT_HANG, {"bothang.png", 25, 27}, {"botfrozen.png", 22, 16}, none, KIND_EDITOR_ELEMENT},
    {EC_BOT_LEFT, {"botstandleft.png", 14, 20}, {"botfrozen.png", 22, 16}, none, KIND_EDITOR_ELEMENT},
    {EC_BOT_RIGHT, {"botstandright.png", 18, 19}, {"botfrozen.png", 22, 16}, none, KIND_EDITOR_ELEMENT},
};

const EditorCursorPicture CURSORS[CURSOR_COUNT] = {
    {"Editor - Cursor (NONE)", {"cursornone.tga", 15, 7}},
    {"Editor - Cursor (GRASS)", {"cursorgrass.png", 24, 25}},
    {"Editor - Cursor (SAND)", {"cursorsand.png", 24, 23}},
    {"Editor - Cursor (ICE)", {"cursorice.png", 17, 13}},
    {"Editor - Cursor (BRIDGE)", {"cursorbridge.png", 19, 15}},
    {"Editor - Cursor (LADDER)", {"cursorladder.tga", 7, 18}},
    {"Editor - Cursor (GATE_B)", {"cursorgateblue.tga", 19, 15}},
    {"Editor - Cursor (GATE_Y)", {"cursorgateyellow.tga", 19, 15}},
    {"Editor - Cursor (GATE_R)", {"cursorgatered.tga", 19, 15}},
    {"Editor - Cursor (BUTTON_B)", {"cursorbuttonblue.tga", 11, -9}},
    {"Editor - Cursor (BUTTON_Y)", {"cursorbuttonyellow.tga", 11, -9}},
    {"Editor - Cursor (BUTTON_R)", {"cursorbuttonred.tga", 11, -9}},
    {"Editor - Cursor (RTELEPORT_B)", {"cursorteleportblue.png", 6, 47}},
    {"Editor - Cursor (RTELEPORT_Y)", {"cursorteleportyellow.png", 6, 47}},
    {"Editor - Cursor (RTELEPORT_R)", {"cursorteleportred.png", 6, 47}},
    {"Editor - Cursor (TRAMPOLINE)", {"cursortrampoline.tga", 11, 17}},
    {"Editor - Cursor (TUBE_START)", {"cursortubeentrance.tga", 16, 36}},
    {"Editor - Cursor (TUBE_END)", {"cursortubeexit.tga", 16, 39}},
    {"Editor - Cursor (POWERUP_FROSTGUN)", {"cursorpowerupfrostgun.tga", 20, 19}},
    {"Editor - Cursor (POWERUP_HEATGUN)", {"cursorpowerupheatgun.png", 20, 19}},
    {"Editor - Cursor (POWERUP_EMP)", {"cursorpowerupemp.tga", 20, 19}},
    {"Editor - Cursor (POWERUP_WHISTLE)", {"cursorpowerupwhistle.tga", 20, 19}},
    {"Editor - Cursor (POWERUP_MAGNET)", {"cursorpowerupmagnet.tga", 20, 19}},
    {"Editor - Cursor (POWERUP_CRATE)", {"cursorpowerupcrate.tga", 20, 19}},
    {"Editor - Cursor (POWERUP_BARREL)", {"cursorpowerupbarrel.tga", 20, 19}},
    {"Editor - Cursor (POWERUP_TELEPORT)", {"cursorpowerupteleport.png", 20, 19}},
    {"Editor - Cursor (POWERUP_BRIDGE)", {"cursorpowerupbridge.png", 20, 19}},
    {"Editor - Cursor (WBARREL)", {"cursorwbarrel.tga", 19, 15}},
    {"Editor - Cursor (MBARREL)", {"cursormbarrel.png", 19, 15}},
    {"Editor - Cursor (WCRATE)", {"cursorwcrate.tga", 23, 13}},
    {"Editor - Cursor (MCRATE)", {"cursormcrate.tga", 23, 13}},
    {"Editor - Cursor (LMAGNET)", {"cursorlmagnet.tga", 16, 12}},
    {"Editor - Cursor (RMAGNET)", {"cursorrmagnet.tga", 18, 12}},
    {"Editor - Cursor (BOT)", {"cursorbot.png", 25, 27}},
    {"Editor - Cursor (HANGING BOT)", {"cursorbothang.png", 25, 27}},
    {"Editor - Cursor (LEFT BOT)", {"cursorbotleft.png", 14, 20}},
    {"Editor - Cursor (RIGHT BOT)", {"cursorbotright.png", 18, 19}},
    {"Editor - Cursor (TUTORIAL)", {"cursortutorial.tga", 15, 17}},
    {"Editor - Cursor (FREEZE)", {"cursorfreeze.tga", 10, 2}},
    {"Editor - Cursor (HEAT)", {"cursorheat.png", 10, 2}},
    {"Editor - Cursor (ERASE)", {"editorerase.png", 15, 7}},
    {"Editor - Cursor (1x1)", {"editorcursor_1x1.png", 15, 7}},
    {"Editor - Cursor (0x2)", {"editorcursor_0x2.png", -5, 31}},
    {"Editor - Cursor (1x2)", {"editorcursor_1x2.png", 15, 31}},
};

bool isRunSeries(const EditorElementPicture& element)
{
    return element.code == EC_TERRAIN_GRASS || element.code == EC_TERRAIN_SAND;
}

} // namespace

const EditorElementPicture* editorElementPicture(ElementCode code)
{
    for (const EditorElementPicture& element : ELEMENTS)
        if (element.code == code)
            return &element;
    return nullptr;
}

EditorPicture editorPictureFor(const EditorElementPicture& element, int modifier, int runWidth,
                               std::string& nameStore)
{
    EditorPicture picture = element.normal;
    if (modifier == MODIFIER_FROZEN && element.frozen.image)
        picture = element.frozen;
    else if (modifier == MODIFIER_HEATED && element.heated.image)
        picture = element.heated;
    if (isRunSeries(element)) {
        char name[32];
        snprintf(name, sizeof name, element.normal.image, runWidth);
        nameStore = name;
        picture.image = nameStore.c_str();
    }
    return picture;
}

EditorPicture editorLadderPiece(int index, int height)
{
    if (height == 1)
        return {"ladderiso.tga", 7, 13};
    if (index == 0)
        return {"laddertop.tga", 7, 15};
    if (index == height - 1)
        return {"ladderbottom.tga", 7, 18};
    return {"laddermiddle.tga", 7, 18};
}

EditorPicture editorPlatformPicture() { return {"ladderplatform.tga", 18, 11}; }

EditorPicture editorTeleportPicture(int colour)
{
    static const char* const names[] = {"editorteleportblue.png", "editorteleportyellow.png",
                                        "editorteleportred.png"};
    return {names[colour], 6, 47};
}

const EditorCursorPicture& editorCursorPicture(int cursor) { return CURSORS[cursor]; }

std::vector<std::string> editorBoardPictureNames()
{
    std::vector<std::string> names;
    for (const EditorElementPicture& element : ELEMENTS) {
        if (isRunSeries(element)) {
            for (int width = 1; width <= 32; ++width)
                names.push_back(imageSeriesName(element.code == EC_TERRAIN_GRASS ? "grass" : "sand", width, ".png"));
            continue;
        }
        for (const EditorPicture* p : {&element.normal, &element.frozen, &element.heated})
            if (p->image)
                names.push_back(p->image);
    }
    for (int height = 1; height <= 3; ++height)
        for (int index = 0; index < height; ++index)
            names.push_back(editorLadderPiece(index, height).image);
    names.push_back(editorPlatformPicture().image);
    for (int colour = 0; colour < 3; ++colour)
        names.push_back(editorTeleportPicture(colour).image);
    for (const EditorCursorPicture& cursor : CURSORS)
        names.push_back(cursor.picture.image);
    names.push_back("grid.png");
    for (int n = 0; n < 8; ++n)
        names.push_back(imageSeriesName("background", n, ".jpg"));
    return names;
}
