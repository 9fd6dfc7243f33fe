// The main menu's buttons: a wooden sign lashed with rope in three states
// (resting, lifted under the pointer, pressed), the captions painted onto
// them, and the small button that changes the player.
#include "../Registry.h"
#include "Lettering.h"

#include <cmath>

namespace {

// The picture is larger than the sign: at rest the sign sits at (10, 7) and
// the lifted sign at (0, 0), which is why the menu moves the caption by
// (-10, -7) under the pointer and by (-4, -3) while pressed.
constexpr int pictureWidth = 214, pictureHeight = 50;
constexpr double signWidth = 198, signHeight = 40;
constexpr int captionWidth = 170, captionHeight = 28;

constexpr Color plank{0.80, 0.58, 0.33};
constexpr Color rope{0.90, 0.80, 0.58};

void drawRopeWrap(cairo_t* cr, double x, double y, double h)
{
    for (int i = 0; i < 3; ++i) {
        roundedRect(cr, x + i * 3.2, y - 2, 3.6, h + 4, 1.6);
        fillAndOutline(cr, rope, y - 2, y + h + 2, 1.1);
    }
}

void drawSign(cairo_t* cr, double x, double y, Color wood, double shadow, double glow)
{
    if (glow > 0) {
        roundedRect(cr, x - 3, y - 3, signWidth + 6, signHeight + 6, 15);
        setColor(cr, Color{1.0, 0.88, 0.35, glow});
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
    }
    if (shadow > 0) {
        roundedRect(cr, x + shadow, y + shadow, signWidth, signHeight, 12);
        setColor(cr, Color{0.15, 0.08, 0.02, 0.35});
        cairo_fill(cr);
    }
    roundedRect(cr, x, y, signWidth, signHeight, 12);
    fillShaded(cr, wood, y, y + signHeight);
    cairo_save(cr);
    cairo_clip(cr);
    // Grain.
    const double grain[][3] = {{9, 20, 120}, {16, 60, 190}, {25, 14, 90}, {31, 110, 185}, {21, 130, 170}};
    for (const auto& g : grain) {
        cairo_move_to(cr, x + g[1], y + g[0]);
        cairo_curve_to(cr, x + g[1] + 20, y + g[0] - 1.5, x + g[2] - 20, y + g[0] + 1.5, x + g[2], y + g[0]);
    }
    setColor(cr, withAlpha(darker(wood, 0.35), 0.45));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Bevel: light along the top, dark along the bottom.
    roundedRect(cr, x + 2.5, y + 2.5, signWidth - 5, signHeight - 5, 10);
    setColor(cr, withAlpha(palette::white, 0.35));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_restore(cr);
    roundedRect(cr, x, y, signWidth, signHeight, 12);
    strokeOutline(cr, 2.4);
    drawRopeWrap(cr, x + 3, y, signHeight);
    drawRopeWrap(cr, x + signWidth - 13, y, signHeight);
}

void drawBase(cairo_t* cr) { drawSign(cr, 10, 7, plank, 3, 0); }
void drawRollover(cairo_t* cr)
{
    // Lifted towards the player: a longer shadow where the sign rested.
    roundedRect(cr, 12, 10, signWidth, signHeight, 12);
    setColor(cr, Color{0.15, 0.08, 0.02, 0.25});
    cairo_fill(cr);
    drawSign(cr, 0, 0, lighter(Color{0.90, 0.64, 0.34}, 0.08), 0, 0.75);
}
void drawActive(cairo_t* cr) { drawSign(cr, 6, 4, darker(plank, 0.14), 1.5, 0.5); }

Lettering captionStyle()
{
    Lettering style = captionLettering(22);
    style.shadowOffset = 1.5;
    return style;
}

// The change-player button sits on the welcome plate; it has no caption of
// its own, so its word is part of the picture.
constexpr int changeWidth = 150, changeHeight = 28;

void drawChangeButton(cairo_t* cr, Color fill, double glow)
{
    if (glow > 0) {
        roundedRect(cr, 1, 1, changeWidth - 4, changeHeight - 4, 12);
        setColor(cr, Color{1.0, 0.9, 0.4, glow});
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    roundedRect(cr, 2, 2, changeWidth - 6, changeHeight - 6, 11);
    fillAndOutline(cr, fill, 2, changeHeight - 4, 2);
    drawHighlight(cr, changeWidth / 2.0 - 3, 7, changeWidth * 0.38, 2.5, 0.35);
    Lettering style;
    style.size = 15;
    style.fill = palette::white;
    style.outline = darker(fill, 0.55);
    style.outlineWidth = 3;
    drawCenteredText(cr, "Change Player", 8, 2, changeWidth - 18, changeHeight - 6, style);
}

void drawChangeShadow(cairo_t* cr)
{
    roundedRect(cr, 4, 4, changeWidth - 6, changeHeight - 6, 11);
    setColor(cr, Color{0.1, 0.05, 0.0, 0.35});
    cairo_fill(cr);
}

void registerMenuButtons(Registry& registry, const char* family)
{
    addPicture(registry, family, "mainmenu_buttonbase.png", pictureWidth, pictureHeight, drawBase);
    addPicture(registry, family, "mainmenu_buttonrollover.png", pictureWidth, pictureHeight, drawRollover);
    addPicture(registry, family, "mainmenu_buttonactive.png", pictureWidth, pictureHeight, drawActive);
    struct Caption { const char* name; const char* words; };
    const Caption captions[] = {{"mainmenu_text_playnow.png", "Play"},
                                {"mainmenu_text_levelmanager.png", "Level Manager"},
                                {"mainmenu_text_leveleditor.png", "Level Editor"},
                                {"mainmenu_text_highscores.png", "High Scores"},
                                {"mainmenu_text_instructions.png", "Instructions"},
                                {"mainmenu_text_settings.png", "Settings"},
                                {"mainmenu_text_credits.png", "Credits"},
                                {"mainmenu_text_moregames.png", "More Games"},
                                {"mainmenu_text_exit.png", "Exit"}};
    for (const Caption& caption : captions) {
        std::string words = caption.words;
        addPicture(registry, family, caption.name, captionWidth, captionHeight, [words](cairo_t* cr) {
            drawCenteredText(cr, words, 0, 0, captionWidth, captionHeight, captionStyle());
        });
    }
    const Color teal{0.16, 0.62, 0.60};
    addPicture(registry, family, "profile_button_changebase.png", changeWidth, changeHeight,
               [teal](cairo_t* cr) { drawChangeButton(cr, teal, 0); });
    addPicture(registry, family, "profile_button_changerollover.png", changeWidth, changeHeight,
               [teal](cairo_t* cr) { drawChangeButton(cr, lighter(teal, 0.15), 0.8); });
    addPicture(registry, family, "profile_button_changeshadow.png", changeWidth, changeHeight, drawChangeShadow);
}

FamilyRegistration menuButtons("mainmenu_buttons", registerMenuButtons);

} // namespace
