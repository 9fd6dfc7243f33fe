// Pictures the level editor puts on its board and under its pointer: the
// teleports, power-ups, tubes, gates and the trampoline as the level shows
// them (made from the element pictures themselves, so they always match),
// and the eraser.
#include "../Compose.h"
#include "../Registry.h"

#include "../Style.h"

#include <cmath>
#include <string>

namespace {

// Placement of the element pictures relative to each other follows their
// sprite origins: a picture with origin (ox, oy) has its top-left corner at
// the element's location plus (29 - ox, 20 - oy).
double cornerX(int originX) { return 29 - originX; }
double cornerY(int originY) { return 20 - originY; }

// A teleport: the ring (origin 6, 47) sets the icon's corner; the idle portal
// (-1, 43) and the tunnel behind (-17, 45) are drawn in their places, in the
// level's layer order.
void drawTeleportIcon(cairo_t* cr, const std::string& colour)
{
    const double x0 = cornerX(6), y0 = cornerY(47);
    paintPicture(cr, "teleport_frame" + colour + "0.png", 0, 0);
    paintPicture(cr, "teleport_spiral" + colour + "0.png", cornerX(-1) - x0, cornerY(43) - y0);
    paintPicture(cr, "teleport_frameback.png", cornerX(-17) - x0, cornerY(45) - y0);
}

// A power-up: its halo (origin 20, 19) and the first frame of its item (14, 14).
void drawPowerupIcon(cairo_t* cr, const std::string& item)
{
    paintPicture(cr, "poweruphalo0.tga", 0, 0);
    paintPicture(cr, item, cornerX(14) - cornerX(20), cornerY(14) - cornerY(19));
}

// An element picture drawn into an editor picture so that both land on the
// same board cell: the editor picture's origin minus the element's.
void paintPlaced(cairo_t* cr, const std::string& name, int iconOriginX, int iconOriginY, int originX, int originY)
{
    paintPicture(cr, name, iconOriginX - originX, iconOriginY - originY);
}

// The tubes: the entrance stands three pixels higher than in the level so
// that the whole mouth shows above the cursor's two cells.
void drawTubeEntrance(cairo_t* cr) { paintPlaced(cr, "tubeentrance0.png", 16, 36, 16, 39); }

void drawTubeExit(cairo_t* cr)
{
    paintPlaced(cr, "tubeexit0.png", 16, 39, 16, 39);
    paintPlaced(cr, "tubeexitlights0.png", 16, 39, 12, -16);
}

// A closed gate: the frame behind, the bars in front and the colour plate.
void drawGate(cairo_t* cr, const std::string& plate)
{
    paintPlaced(cr, "gatebackclose7.tga", 19, 15, 15, 16);
    paintPlaced(cr, "gatefrontclose7.tga", 19, 15, 22, 12);
    if (!plate.empty())
        paintPlaced(cr, plate, 19, 15, 22, 12);
}

void drawTrampoline(cairo_t* cr)
{
    paintPlaced(cr, "trampolineback0.tga", 11, 17, -9, 17);
    paintPlaced(cr, "trampoline0.tga", 11, 17, 3, 15);
    paintPlaced(cr, "trampolinefront0.tga", 11, 17, 11, 17);
}

void drawEraser(cairo_t* cr)
{
    cairo_translate(cr, 12, 13);
    cairo_rotate(cr, -0.6);
    roundedRect(cr, -10, -5.5, 20, 11, 2.5);
    fillAndOutline(cr, palette::rubber, -5.5, 5.5, 1.6);
    roundedRect(cr, -2, -5.5, 12, 11, 2.5);
    fillAndOutline(cr, palette::blue, -5.5, 5.5, 1.6);
    drawHighlight(cr, 2, -3, 6, 1.2, 0.5);
    cairo_identity_matrix(cr);
    const double crumbs[][2] = {{4, 20}, {8, 22}, {3, 15}};
    for (const auto& c : crumbs) {
        ellipsePath(cr, c[0], c[1], 1.2, 1.2);
        setColor(cr, darker(palette::rubber, 0.2));
        cairo_fill(cr);
    }
}

void registerEditorIcons(Registry& registry, const char* family)
{
    for (const char* colour : {"blue", "yellow", "red"}) {
        std::string name = colour;
        addPicture(registry, family, "editorteleport" + name + ".png", 40, 70,
                   [name](cairo_t* cr) { drawTeleportIcon(cr, name); });
    }
    const struct {
        const char* icon;
        const char* item;
    } powerups[] = {{"editorpowerupteleport.png", "powerupteleport0.png"},
                    {"editorpowerupwhistle.tga", "powerupwhistle0.tga"},
                    {"editorpowerupbridge.png", "powerupbridge0.png"},
                    {"editorpowerupheatgun.png", "powerupheatgun0.png"},
                    {"editorpowerupfrostgun.tga", "powerupfrostgun0.tga"},
                    {"editorpowerupemp.tga", "powerupemp0.tga"},
                    {"editorpowerupcrate.tga", "powerupcrate0.tga"},
                    {"editorpowerupbarrel.tga", "powerupbarrel0.tga"},
                    {"editorpowerupmagnet.tga", "powerupmagnet0.tga"}};
    for (const auto& p : powerups) {
        std::string item = p.item;
        addPicture(registry, family, p.icon, 40, 42, [item](cairo_t* cr) { drawPowerupIcon(cr, item); });
    }
    addPicture(registry, family, "editorerase.png", 24, 24, drawEraser);
    addPicture(registry, family, "editortubeentrance.tga", 28, 57, drawTubeEntrance);
    addPicture(registry, family, "editortubeexit.tga", 28, 60, drawTubeExit);
    const struct {
        const char* name;
        const char* plate;
    } gates[] = {{"editorgateblue.tga", ""},
                 {"editorgateyellow.tga", "gatefrontcloseyellow0.tga"},
                 {"editorgatered.tga", "gatefrontclosered0.tga"}};
    for (const auto& g : gates) {
        std::string plate = g.plate;
        addPicture(registry, family, g.name, 40, 36, [plate](cairo_t* cr) { drawGate(cr, plate); });
    }
    addPicture(registry, family, "editortrampoline.tga", 34, 40, drawTrampoline);
}

FamilyRegistration editorIcons("editor_icons", registerEditorIcons);

} // namespace
