#include "screens/InstructionPages.h"

#include <iterator>

namespace {

// Walking and climbing: from the entrance tube on the ledge, down the ladder
// and along the floor to the exit tube.
const InstructionPicture WALKING[] = {
    {"picture_basic_movement.tga", 53, 153}, {"grass19.png", 108, 413},    {"editortubeexit.tga", 502, 372},
    {"profrunright0.tga", 361, 383},         {"grass3b.png", 55, 190},     {"ladderbottom.tga", 147, 398},
    {"laddermiddle.tga", 147, 373},          {"laddermiddle.tga", 147, 348}, {"laddermiddle.tga", 147, 323},
    {"laddermiddle.tga", 147, 298},          {"laddermiddle.tga", 147, 273}, {"laddermiddle.tga", 147, 248},
    {"laddermiddle.tga", 147, 223},          {"laddermiddle.tga", 147, 198}, {"profclimbdown2.tga", 150, 298},
    {"laddertop.tga", 147, 176},             {"ladderplatform.tga", 132, 205}, {"grass2b.png", 157, 190},
    {"editortubeentrance.tga", 72, 152},
};

const InstructionPicture TERRAIN[] = {
    {"picture_terrain.tga", 47, 137}, {"grass5b.png", 470, 174}, {"profrunleft0.tga", 546, 137},
    {"sand5.png", 48, 280},           {"profstandmiddle0.tga", 88, 241}, {"ice1.png", 506, 395},
    {"ice2.png", 531, 395},           {"ice3.png", 556, 395},    {"profslideleft0.tga", 538, 358},
};

const InstructionPicture CRATES[] = {
    {"picture_crates.tga", 106, 158},
    {"grass3b.png", 106, 189},
    {"cratestill0.tga", 118, 174},
    {"profpushleft1.tga", 147, 159},
};

const InstructionPicture BARRELS[] = {
    {"picture_barrels.tga", 475, 134},
    {"grass4.png", 476, 194},
    {"barrel0.tga", 509, 178},
    {"profbarrelright5.tga", 515, 135},
};

const InstructionPicture MAGNETS[] = {
    {"picture_magnets.tga", 75, 129},      {"sand3b.png", 117, 195},          {"magnetrightstill0.tga", 75, 179},
    {"magnetrightstill0.tga", 100, 179},   {"metalcratestill0.tga", 118, 178}, {"profrunleft0.tga", 105, 132},
};

const InstructionPicture GATES[] = {
    {"picture_gates.tga", 242, 355},      {"sand7.png", 241, 394},          {"editorgatered.tga", 264, 375},
    {"buttonred1.tga", 319, 398},         {"gatebackbreak7.tga", 374, 376}, {"profstandleft0.tga", 382, 356},
    {"gatefrontbreak7.tga", 368, 380},    {"gatefrontbreakyellow11.tga", 368, 380},
};

const InstructionPicture TRAMPOLINES[] = {
    {"picture_trampolines.tga", 233, 298}, {"sand8.png", 230, 330},
    {"editortrampoline.tga", 263, 310},    {"profpushright5.tga", 347, 300},
    {"trampolineback0.tga", 406, 309},     {"barrel0.tga", 376, 310},
    {"trampolinestretchleftfull.tga", 390, 314}, {"trampolinefront0.tga", 386, 309},
};

const InstructionPicture BOTS[] = {
    {"parchment_caught.png", 430, 177},
};

const InstructionPicture BRIDGES[] = {
    {"instructions_shadowbridge.png", 230, 340}, {"bridgeA12.png", 228, 352}, {"bridgeA9.png", 251, 352},
    {"bridgeA7.png", 274, 352},                  {"bridgeA5.png", 297, 352},  {"bridgeA3.png", 320, 352},
    {"bridgeA0.png", 343, 352},                  {"bridgeA0.png", 366, 352},  {"bridgeA0.png", 389, 352},
    {"profrunright4.tga", 361, 338},
};

const InstructionPicture TELEPORTS[] = {
    {"instructions_shadowteleport.png", 63, 200}, {"grass7.png", 58, 247},
    {"profrunleft5.tga", 170, 215},               {"teleport_frameback.png", 124, 201},
    {"teleport_spiralblue_idle0.png", 108, 203},  {"teleport_frameblue0.png", 101, 199},
};

const InstructionPicture INFLATABLES[] = {
    {"picture_inflatable_crate.tga", 162, 387},
    {"picture_inflatable_magnet.tga", 312, 417},
    {"picture_inflatable_barrel.tga", 450, 387},
};

const InstructionPicture INFLATABLE_BRIDGES[] = {
    {"instructions_shadowinflbridge.png", 227, 372}, {"bridgeinflatable8.png", 208, 433},
    {"bridgeinflatable7.png", 224, 428},             {"bridgeinflatable6.png", 245, 421},
    {"bridgeinflatable4.png", 270, 415},             {"bridgeinflatable2.png", 296, 414},
    {"bridgeinflatable0.png", 318, 415},             {"bridgeinflatable0.png", 341, 415},
    {"bridgeinflatable0.png", 364, 415},             {"profrunright4.tga", 331, 370},
};

const InstructionPicture INFLATABLE_TELEPORTS[] = {
    {"instructions_shadowinflteleport.png", 415, 170}, {"grass7.png", 412, 217},
    {"profrunright5.tga", 457, 186},                   {"teleportinflatable_red3back.png", 540, 170},
    {"teleport_spiralred_idle0.png", 525, 173},        {"teleportinflatable_red3front.png", 520, 168},
};

const InstructionPicture GAME_MENU[] = {{"picture_root_menu4.tga", 73, 148}};
const InstructionPicture FROST_AND_HEAT[] = {{"instructions_heatgun.png", 480, 148}};
const InstructionPicture EMP[] = {{"picture_emp.tga", 501, 148}};
const InstructionPicture WHISTLE[] = {{"picture_whistle.tga", 103, 183}};

template <int N>
constexpr InstructionPage page(int bodyWidth, int bodyX, const InstructionPicture (&pictures)[N])
{
    return {bodyWidth, bodyX, pictures, N};
}

const InstructionPage PAGES[] = {
    page(355, 235, WALKING),            page(268, 208, TERRAIN),
    page(300, 248, CRATES),             page(310, 143, BARRELS),
    page(380, 243, MAGNETS),            page(380, 155, GATES),
    page(380, 155, TRAMPOLINES),        page(325, 110, BOTS),
    page(380, 155, BRIDGES),            page(330, 275, TELEPORTS),
    page(500, 103, INFLATABLES),        page(380, 155, INFLATABLE_BRIDGES),
    page(340, 73, INFLATABLE_TELEPORTS), page(390, 223, GAME_MENU),
    page(390, 73, FROST_AND_HEAT),      page(310, 141, EMP),
    page(300, 248, WHISTLE),
};

static_assert(std::size(PAGES) == LAST_INSTRUCTION_PAGE - FIRST_COMPOSED_INSTRUCTION_PAGE + 1);

} // namespace

InstructionPage instructionPage(int page)
{
    if (page < FIRST_COMPOSED_INSTRUCTION_PAGE || page > LAST_INSTRUCTION_PAGE)
        return {0, 0, nullptr, 0};
    return PAGES[page - FIRST_COMPOSED_INSTRUCTION_PAGE];
}
