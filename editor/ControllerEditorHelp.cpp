#include "editor/ControllerEditorHelp.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Sprite.h"
#include "levels/Profile.h"
#include "screens/GuiButton.h"
#include "text/TextIds.h"

#include <SDL.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int GRID_X = 114;
constexpr int GRID_Y = 118;
constexpr int CELL_W = 68;
constexpr int CELL_H = 51;
constexpr int ITEM_X = 340; // where the pointed element plays
constexpr int ITEM_Y = 415;
constexpr int BUTTON_OK = 0;
const char* const BASE_IMAGE = "baseEditorHelpController.png";

enum HelpSprite {
    PHALO, PCRATE, PBARREL, PMAGNET, PEMP, PFROSTGUN, PWHISTLE, PHEATGUN, PBRIDGE, PTELEPORT,
    BUTTONB, BUTTONY, BUTTONR, GATE_BACK, GATE_FRONT, GATER, GATEY,
    TELEPORT_BACK, TELEPORT_FRONTB, TELEPORT_FRONTY, TELEPORT_FRONTR,
    TELEPORT_PORTALB, TELEPORT_PORTALY, TELEPORT_PORTALR,
    TRAMP_BACK, TRAMP_FRONT, TRAMP_CANVAS, ENTER, EXIT, EXIT_LIGHTS,
    BOT, TUTORIAL, FREEZE, HEAT, WCRATE, MCRATE, WBARREL, MBARREL, LMAGNET, RMAGNET,
    BRIDGE, GRASS, SAND, ICE, LADDER, HELP_SPRITE_COUNT
};

// How one item sprite is made; frames are added by `frames`.
struct HelpSpriteSpec {
    const char* name;
    int originX, originY, kind, delay;
    bool shared;
    int tileW, tileH;
    std::function<void(CSprite&)> frames;
};

std::function<void(CSprite&)> one(const char* image)
{
    return [image](CSprite& s) { s.addFrame(image); };
}

std::function<void(CSprite&)> series(const char* prefix, int first, int last, const char* suffix)
{
    return [=](CSprite& s) { s.addFrames(prefix, first, last, suffix, 1); };
}

std::function<void(CSprite&)> button(const char* colour)
{
    std::string up = std::string("button") + colour + "0.tga", down = std::string("button") + colour + "1.tga";
    return [up, down](CSprite& s) {
        s.addFrameRepeated(up.c_str(), 8);
        s.addFrameRepeated(down.c_str(), 2);
    };
}

const std::vector<HelpSpriteSpec>& helpSprites()
{
    static const std::vector<HelpSpriteSpec> specs = {
        {"Editor Help Controller (EDITORHELP_ISPRITE_PHALO)", 20, 19, KIND_SCREEN_PANEL, 0, false, 1, 1,
         one("poweruphalo0.tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_PCRATE)", 14, 14, KIND_SCREEN_OVERLAY, 2, false, 1, 1,
         series("powerupcrate", 0, 27, ".tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_PBARREL)", 14, 14, KIND_SCREEN_OVERLAY, 2, false, 1, 1,
         series("powerupbarrel", 0, 23, ".tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_PMAGNET)", 14, 14, KIND_SCREEN_OVERLAY, 2, false, 1, 1,
         series("powerupmagnet", 0, 23, ".tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_PEMP)", 14, 14, KIND_SCREEN_OVERLAY, 2, false, 1, 1,
         series("powerupemp", 0, 17, ".tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_PFROSTGUN)", 14, 14, KIND_SCREEN_OVERLAY, 2, false, 1, 1,
         series("powerupfrostgun", 0, 17, ".tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_PWHISTLE)", 14, 14, KIND_SCREEN_OVERLAY, 2, false, 1, 1,
         series("powerupwhistle", 0, 17, ".tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_PHEATGUN)", 14, 14, KIND_SCREEN_OVERLAY, 2, false, 1, 1,
         series("powerupheatgun", 0, 17, ".png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_PBRIDGE)", 14, 14, KIND_SCREEN_OVERLAY, 2, false, 1, 1,
         series("powerupbridge", 0, 27, ".png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_PTELEPORT)", 14, 14, KIND_SCREEN_OVERLAY, 2, false, 1, 1,
         series("powerupteleport", 0, 27, ".png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_BUTTONB)", 11, -4, KIND_SCREEN_PANEL, 10, false, 1, 1,
         button("blue")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_BUTTONY)", 11, -4, KIND_SCREEN_PANEL, 10, false, 1, 1,
         button("yellow")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_BUTTONR)", 11, -4, KIND_SCREEN_PANEL, 10, false, 1, 1,
         button("red")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_GATE_BACK)", 15, 16, KIND_SCREEN_PANEL, 2, false, 1, 1,
         [](CSprite& s) {
             s.addFrameRepeated("gatebackclose7.tga", 10);
             s.addFrames("gatebackclose", 6, 1, ".tga", 1);
             s.addFrameRepeated("gatebackclose0.tga", 6);
             s.addFrames("gatebackclose", 1, 6, ".tga", 1);
         }},
        {"Editor Help Controller (EDITORHELP_ISPRITE_GATE_FRONT)", 22, 12, KIND_SCREEN_OVERLAY, 2, false, 1, 1,
         [](CSprite& s) {
             s.addFrameRepeated("gatefrontclose7.tga", 10);
             s.addFrame("gatefrontclose6.tga");
             s.addFrameRepeated("gatefrontclose0.tga", 16);
             s.addFrame("gatefrontclose6.tga");
         }},
        {"Editor Help Controller (EDITORHELP_ISPRITE_GATER)", 22, 12, KIND_SCREEN_FRONT, 0, false, 1, 1,
         one("gatefrontclosered0.tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_GATEY)", 22, 12, KIND_SCREEN_FRONT, 0, false, 1, 1,
         one("gatefrontcloseyellow0.tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_TELEPORT_BACK)", -12, 35, KIND_SCREEN_PANEL, 0, true, 0, 1,
         one("teleport_frameback.png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_TELEPORT_FRONTB)", 11, 37, KIND_SCREEN_FRONT, 2, true, 0, 1,
         one("teleport_frameblue0.png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_TELEPORT_FRONTY)", 11, 37, KIND_SCREEN_FRONT, 2, true, 0, 1,
         one("teleport_frameyellow0.png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_TELEPORT_FRONTR)", 11, 37, KIND_SCREEN_FRONT, 2, true, 0, 1,
         one("teleport_framered0.png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_TELEPORT_PORTALB)", 4, 33, KIND_SCREEN_OVERLAY, 2, true, 2, 1,
         series("teleport_spiralblue_idle", 0, 39, ".png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_TELEPORT_PORTALY)", 4, 33, KIND_SCREEN_OVERLAY, 2, true, 2, 1,
         series("teleport_spiralyellow_idle", 0, 39, ".png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_TELEPORT_PORTALR)", 4, 33, KIND_SCREEN_OVERLAY, 2, true, 2, 1,
         series("teleport_spiralred_idle", 0, 39, ".png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_TRAMP_BACK)", -9, 17, KIND_SCREEN_PANEL, 0, false, 1, 1,
         one("trampolineback0.tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_TRAMP_FRONT)", 11, 17, KIND_SCREEN_FRONT, 0, false, 1, 1,
         one("trampolinefront0.tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_TRAMP_CANVAS)", 3, 15, KIND_SCREEN_OVERLAY, 3, false, 1, 1,
         [](CSprite& s) {
             s.addFrameRepeated("trampoline0.tga", 12);
             s.addFrame("trampolinestretchleft0.tga");
             s.addFrame("trampolinestretchleft1.tga");
             s.addFrameRepeated("trampolinestretchleftfull.tga", 12);
             s.addFrame("trampolinestretchleft1.tga");
             s.addFrame("trampolinestretchleft0.tga");
             s.addFrame("trampoline0.tga");
             s.addFrames("trampolineunstretchleft", 0, 7, ".tga", 1);
         }},
        {"Editor Help Controller (EDITORHELP_ISPRITE_ENTER)", 16, 39, KIND_SCREEN_PANEL, 2, false, 1, 1,
         [](CSprite& s) {
             s.addFrameRepeated("tubeentrance0.png", 4);
             s.addFrames("tube", 21, 0, ".tga", 1);
         }},
        {"Editor Help Controller (EDITORHELP_ISPRITE_EXIT)", 16, 39, KIND_SCREEN_PANEL, 2, false, 1, 1,
         [](CSprite& s) {
             s.addFrameRepeated("tube0.tga", 4);
             s.addFrames("tube", 0, 21, ".tga", 1);
             s.addFrame("tubeexit0.png");
         }},
        {"Editor Help Controller (EDITORHELP_ISPRITE_EXIT_LIGHTS)", 12, -16, KIND_SCREEN_OVERLAY, 0, false, 1, 1,
         one("tubeexitlights0.png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_BOT)", 25, 25, KIND_SCREEN_PANEL, 2, false, 1, 1,
         series("botfall", 9, 11, ".png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_TUTORIAL)", 15, 17, KIND_SCREEN_PANEL, 2, false, 1, 1,
         series("qmarkrotate", 0, 23, ".tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_FREEZE)", 10, 9, KIND_SCREEN_PANEL, 1, false, 1, 1,
         series("frostballleft", 0, 11, ".tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_HEAT)", 10, 9, KIND_SCREEN_PANEL, 1, false, 1, 1,
         series("fireballleft", 0, 11, ".png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_WCRATE)", 23, 13, KIND_SCREEN_PANEL, 0, false, 1, 1,
         one("cratestill0.tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_MCRATE)", 23, 13, KIND_SCREEN_PANEL, 0, false, 1, 1,
         one("metalcratestill0.tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_WBARREL)", 19, 15, KIND_SCREEN_PANEL, 2, false, 1, 1,
         series("barrel", 0, 7, ".tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_MBARREL)", 19, 15, KIND_SCREEN_PANEL, 2, false, 1, 1,
         series("metalbarrel", 0, 7, ".png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_LMAGNET)", 16, 12, KIND_SCREEN_PANEL, 0, false, 1, 1,
         one("magnetleftstill0.tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_RMAGNET)", 18, 12, KIND_SCREEN_PANEL, 0, false, 1, 1,
         one("magnetrightstill0.tga")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_BRIDGE)", 19, 10, KIND_SCREEN_PANEL, 0, false, 1, 1,
         one("bridgeA0_trimmed.png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_GRASS)", 24, 25, KIND_SCREEN_PANEL, 0, false, 1, 1,
         one("grass1.png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_SAND)", 24, 23, KIND_SCREEN_PANEL, 0, false, 1, 1,
         one("sand1.png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_ICE)", 17, 13, KIND_SCREEN_PANEL, 0, false, 1, 1, one("ice1.png")},
        {"Editor Help Controller (EDITORHELP_ISPRITE_LADDER)", 7, 13, KIND_SCREEN_PANEL, 0, false, 1, 1,
         one("ladderiso.tga")},
    };
    return specs;
}

// The sprites each item plays; the commands (items 36-44) have none.
const std::vector<int>& itemSprites(int item)
{
    static const std::vector<int> table[CControllerEditorHelp::ITEM_COUNT] = {
        {PHALO, PFROSTGUN}, {PHALO, PHEATGUN}, {PHALO, PWHISTLE}, {GATE_BACK, GATE_FRONT},
        {GATE_BACK, GATE_FRONT, GATEY}, {GATE_BACK, GATE_FRONT, GATER}, {GRASS}, {LADDER},
        {PHALO, PTELEPORT}, {PHALO, PBRIDGE}, {PHALO, PEMP}, {BUTTONB}, {BUTTONY}, {BUTTONR}, {SAND}, {TUTORIAL},
        {PHALO, PCRATE}, {PHALO, PBARREL}, {PHALO, PMAGNET},
        {TELEPORT_BACK, TELEPORT_FRONTB, TELEPORT_PORTALB}, {TELEPORT_BACK, TELEPORT_FRONTY, TELEPORT_PORTALY},
        {TELEPORT_BACK, TELEPORT_FRONTR, TELEPORT_PORTALR}, {ICE}, {FREEZE},
        {WCRATE}, {WBARREL}, {LMAGNET}, {TRAMP_BACK, TRAMP_FRONT, TRAMP_CANVAS}, {ENTER}, {EXIT, EXIT_LIGHTS},
        {BRIDGE}, {HEAT}, {MCRATE}, {MBARREL}, {RMAGNET}, {BOT},
        {}, {}, {}, {}, {}, {}, {}, {}, {}};
    return table[item];
}

std::unique_ptr<CSprite> plainSprite(const char* name, int kind, int x, int y)
{
    auto sprite = std::make_unique<CSprite>(kind, 0, false);
    sprite->setName(name);
    sprite->setLocation(x, y, false);
    return sprite;
}

} // namespace

CControllerEditorHelp::CControllerEditorHelp() : CController(CONTROLLER_EDITOR_HELP)
{
    logMessage(LOG_CONSTRUCT, "CControllerEditorHelp:  Preloading sprites...\n");
    loadHelpSprites();
}

CControllerEditorHelp::~CControllerEditorHelp()
{
    logMessage(LOG_DESTRUCT, "CControllerEditorHelp:  Destroying CControllerEditorHelp...\n");
    unloadHelpSprites();
}

int CControllerEditorHelp::ItemAt(int x, int y)
{
    if (x <= GRID_X || y <= GRID_Y)
        return -1;
    int column = (x - GRID_X) / CELL_W, row = (y - GRID_Y) / CELL_H;
    if (row < 4)
        return column < 8 ? row * 8 + column : -1;
    if (row == 4)
        return column < 4 ? 32 + column : -1;
    if (row < 8)
        return column < 3 ? 36 + (row - 5) * 3 + column : -1;
    return -1;
}

void CControllerEditorHelp::loadHelpSprites()
{
    if (loaded_)
        return;
    dimmer_ = plainSprite("Editor Help Controller (EDITORHELP_LSPRITE_DIMMER)", KIND_SCREEN_DIMMER, 0, 0);
    dimmer_->addFrame("dimmer.png");
    dimmer_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    selector_ = plainSprite("Editor Help Controller (EDITORHELP_LSPRITE_SELECTOR)", KIND_SCREEN_PANEL, GRID_X, GRID_Y);
    selector_->addFrame("toolboxselector.png");
    selector_->hide();
    name_ = plainSprite("Editor Help Controller (EDITORHELP_LSPRITE_NAME)", KIND_SCREEN_PANEL, 407, 405);
    info_ = plainSprite("Editor Help Controller (EDITORHELP_LSPRITE_INFO)", KIND_SCREEN_PANEL, 407, 435);
    name_->hide();
    info_->hide();

    int base = CDraw::CopyImage("parchment.png", BASE_IMAGE, 0);
    CDraw::drawImageOnto("help_powerups.jpg", base, 57, 95);
    CDraw::drawImageOnto("help_objects.jpg", base, 57, 248);
    CDraw::drawImageOnto("help_control.jpg", base, 57, 350);
    CDraw::drawImageOnto("help_devices2.jpg", base, 262, 95);
    CDraw::drawImageOnto("help_bots.jpg", base, 262, 299);
    CDraw::drawImageOnto("help_terrain2.jpg", base, 466, 95);
    CFontSystem::DrawString(TEXT_EDITOR_HELP_TITLE, base, ALIGN_CENTRE, 700, 40, 0, 35);
    CFontSystem::DrawString(TEXT_EDITOR_HELP_HINT, base, ALIGN_LEFT, 300, 40, 350, 345);
    background_ = plainSprite("Editor Help Controller (EDITORHELP_LSPRITE_BACKGROUND)", KIND_SCREEN_BACKGROUND, 57, 23);
    background_->addFrame(BASE_IMAGE);
    background_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);

    items_.clear();
    for (const HelpSpriteSpec& spec : helpSprites()) {
        auto sprite = std::make_unique<CSprite>(spec.originX, spec.originY, spec.kind, spec.delay, spec.shared,
                                                spec.tileW, spec.tileH);
        sprite->setName(spec.name);
        spec.frames(*sprite);
        sprite->setLocation(ITEM_X, ITEM_Y, false);
        // The tubes take the professor in or let him out once; the rest loop.
        sprite->setLooping(spec.name != helpSprites()[ENTER].name && spec.name != helpSprites()[EXIT].name);
        sprite->hide();
        items_.push_back(std::move(sprite));
    }

    okButton_ = std::make_unique<CGuiButton>(OK.x, OK.y, BUTTON_OK, this, "confirmation_buttonokaybase.png",
                                             "confirmation_buttonokayshadow.png", "confirmation_buttonokayroll.png",
                                             nullptr, true, 0, 0);
    updateSelection();
    CMousePointer::HideFor(-1);
    loaded_ = true;
}

void CControllerEditorHelp::unloadHelpSprites()
{
    CMousePointer::ShowHourglass(true);
    if (!loaded_)
        return;
    dimmer_.reset();
    background_.reset();
    selector_.reset();
    name_.reset();
    info_.reset();
    items_.clear();
    okButton_.reset();
    CDraw::releaseImage(BASE_IMAGE);
    loaded_ = false;
}

void CControllerEditorHelp::showItem(int item, bool show)
{
    if (item < 0)
        return;
    for (int index : itemSprites(item)) {
        CSprite& sprite = *items_[index];
        if (!show) {
            sprite.hide();
            continue;
        }
        sprite.show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
        sprite.resetAnimation();
        sprite.play(true);
    }
}

void CControllerEditorHelp::updateSelection()
{
    int item = ItemAt(pointerX_, pointerY_);
    if (item == shownItem_)
        return;
    showItem(shownItem_, false);
    showItem(item, true);
    if (item < 0) {
        name_->hide();
        info_->hide();
        selector_->hide();
    } else {
        name_->addTextFrameWrapped(TEXT_ELEMENT_NAMES + item, 300, 100, ALIGN_LEFT, "editorHelpName.png", true);
        info_->addTextFrameWrapped(TEXT_ELEMENT_INFOS + item, 300, 100, ALIGN_LEFT, "editorHelpInfo.png", true);
        name_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
        info_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
        name_->invalidate();
        info_->invalidate();
        int column = (pointerX_ - GRID_X) / CELL_W, row = (pointerY_ - GRID_Y) / CELL_H;
        selector_->setLocation(column * CELL_W + GRID_X, row * CELL_H + GRID_Y, false);
        selector_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    }
    shownItem_ = item;
    logMessage(LOG_EDITOR, "DBG sel hidden=%i at %i,%i w=%i type=%i\n", selector_->isHidden(), selector_->getX(false), selector_->getY(false), selector_->getWidth(true), selector_->getType());
}

void CControllerEditorHelp::GUICallback(int index, int, bool)
{
    if (index == BUTTON_OK)
        SetExitCode(1);
}

void CControllerEditorHelp::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    if (key == SDLK_ESCAPE && !released && GetProfile())
        GetProfile()->SaveProfile();
    InputGuiKey(this, released, key, true, true);
    InputScreenCapture(released, key);
}

void CControllerEditorHelp::InputMouseMotion(int x, int y)
{
    CMousePointer::Tick();
    pointerX_ = x;
    pointerY_ = y;
}

void CControllerEditorHelp::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    if (!released && left && CGuiButtonBase::GetHotId() == -1 && ItemAt(pointerX_, pointerY_) < 0)
        PlaySound(InterfaceSound::EmptyClick);
}

void CControllerEditorHelp::Pump()
{
    ProcessInput();
    if (!IsActive())
        return;
    updateSelection();
    CGuiButtonBase::UpdateAll();
}
