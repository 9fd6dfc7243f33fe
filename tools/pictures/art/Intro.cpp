// The intro's pictures: the maker's logo (an owl whose eyes blink: the lids
// are a picture of their own laid over the logo), the game's title card and
// a second card with the game's promise; and the main menu's welcome plate.
#include "../Compose.h"
#include "../Registry.h"
#include "Lettering.h"
#include "Scenery.h"
#include "StoryKit.h"

#include <cmath>

namespace {

// The logo's eyes: centres in the logo, and the corner of the lids picture
// (the intro places it at 264, 197).
constexpr double eyesX = 264, eyesY = 197;
constexpr int lidsWidth = 272, lidsHeight = 90;
constexpr double eyeRadius = 40;
constexpr double eyeCentres[2][2] = {{340, 242}, {460, 242}};
constexpr Color feather{0.55, 0.38, 0.24};
constexpr Color featherLight{0.82, 0.66, 0.46};

void drawOwl(cairo_t* cr)
{
    // Body and head in one round shape with ear tufts.
    cairo_move_to(cr, 290, 180);
    cairo_line_to(cr, 300, 130);
    cairo_line_to(cr, 340, 170);
    cairo_curve_to(cr, 380, 160, 420, 160, 460, 170);
    cairo_line_to(cr, 500, 130);
    cairo_line_to(cr, 510, 180);
    cairo_curve_to(cr, 560, 260, 560, 380, 500, 420);
    cairo_curve_to(cr, 450, 450, 350, 450, 300, 420);
    cairo_curve_to(cr, 240, 380, 240, 260, 290, 180);
    cairo_close_path(cr);
    fillAndOutline(cr, feather, 130, 450, 4);
    // Belly with little feather marks.
    ellipsePath(cr, 400, 360, 80, 70);
    fillAndOutline(cr, featherLight, 290, 430, 2.5);
    for (int row = 0; row < 3; ++row)
        for (int i = -2; i <= 2; ++i) {
            double x = 400 + i * 24 + (row % 2) * 12, y = 330 + row * 22;
            cairo_move_to(cr, x - 7, y);
            cairo_curve_to(cr, x - 3, y + 6, x + 3, y + 6, x + 7, y);
        }
    setColor(cr, darker(featherLight, 0.3));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // A cog on the chest: the maker builds things.
    cairo_save(cr);
    cairo_translate(cr, 400, 300);
    for (int t = 0; t < 8; ++t) {
        cairo_save(cr);
        cairo_rotate(cr, t * M_PI / 4);
        cairo_rectangle(cr, -5, -22, 10, 8);
        cairo_restore(cr);
    }
    ellipsePath(cr, 0, 0, 16, 16);
    fillAndOutline(cr, palette::metal, -22, 22, 2);
    ellipsePath(cr, 0, 0, 6, 6);
    setColor(cr, feather);
    cairo_fill(cr);
    cairo_restore(cr);
    // Eye discs, open eyes, beak.
    for (const auto& c : eyeCentres) {
        ellipsePath(cr, c[0], c[1], eyeRadius + 8, eyeRadius + 8);
        fillAndOutline(cr, Color{0.97, 0.93, 0.84}, c[1] - 48, c[1] + 48, 2.5);
        ellipsePath(cr, c[0], c[1], eyeRadius - 6, eyeRadius - 6);
        fillAndOutline(cr, Color{1.0, 0.78, 0.20}, c[1] - 34, c[1] + 34, 2);
        ellipsePath(cr, c[0] + 3, c[1] + 2, 16, 16);
        setColor(cr, palette::outline);
        cairo_fill(cr);
        ellipsePath(cr, c[0] - 3, c[1] - 6, 5, 5);
        setColor(cr, palette::white);
        cairo_fill(cr);
    }
    cairo_move_to(cr, 388, 270);
    cairo_line_to(cr, 412, 270);
    cairo_line_to(cr, 400, 296);
    cairo_close_path(cr);
    fillAndOutline(cr, Color{0.95, 0.60, 0.18}, 270, 296, 2);
    // Feet on a branch.
    cairo_rectangle(cr, 200, 440, 400, 18);
    fillAndOutline(cr, palette::woodDark, 440, 458, 3);
    for (double x : {360.0, 440.0})
        for (int k = -1; k <= 1; ++k) {
            ellipsePath(cr, x + k * 10, 440, 6, 9);
            fillAndOutline(cr, Color{0.95, 0.60, 0.18}, 431, 449, 1.5);
        }
}

void drawLogo(cairo_t* cr)
{
    story::fillSky(cr, 800, 600, Color{0.07, 0.10, 0.22}, Color{0.14, 0.20, 0.38});
    story::drawStars(cr, 800, 600, 77);
    ellipsePath(cr, 640, 110, 46, 46);
    setColor(cr, Color{0.98, 0.95, 0.82});
    cairo_fill(cr);
    drawOwl(cr);
    Lettering title = captionLettering(54);
    title.shadowOffset = 3;
    drawCenteredText(cr, "Hoot & Cog Games", 100, 478, 600, 70, title);
    Lettering small;
    small.size = 20;
    small.fill = Color{0.80, 0.86, 1.0};
    small.outlineWidth = 0;
    small.weight = FontWeight::Medium;
    drawCenteredText(cr, "presents", 100, 545, 600, 30, small);
}

// The closed lids, exactly over the logo's eyes.
void drawLids(cairo_t* cr)
{
    cairo_translate(cr, -eyesX, -eyesY);
    for (const auto& c : eyeCentres) {
        ellipsePath(cr, c[0], c[1], eyeRadius - 4, eyeRadius - 4);
        fillAndOutline(cr, feather, c[1] - 36, c[1] + 36, 2);
        cairo_move_to(cr, c[0] - 26, c[1] + 4);
        cairo_curve_to(cr, c[0] - 10, c[1] + 16, c[0] + 10, c[1] + 16, c[0] + 26, c[1] + 4);
        setColor(cr, palette::outline);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
}

void drawTitleCard(cairo_t* cr)
{
    paintPicture(cr, "mainmenu_background.jpg", 0, 0);
    cairo_rectangle(cr, 0, 0, 800, 600);
    setColor(cr, Color{0.05, 0.03, 0.0, 0.25});
    cairo_fill(cr);
    Lettering title = captionLettering(120);
    title.outlineWidth = 8;
    title.shadowOffset = 5;
    drawCenteredText(cr, "Corvelle", 80, 60, 640, 150, title);
    Lettering sub = captionLettering(30);
    drawCenteredText(cr, "The Professor and the Island of Bots", 80, 200, 640, 50, sub);
    story::drawProf(cr, 300, 560, 7.0, professor::standing(0.4), 1);
    bot::Pose bot = bot::standing();
    bot.eye = bot::Eye::Wide;
    story::drawBotAt(cr, 560, 560, 6.0, bot, -1);
}

void drawPromiseCard(cairo_t* cr)
{
    paintPicture(cr, "background7.jpg", 0, 0);
    cairo_rectangle(cr, 0, 0, 800, 600);
    setColor(cr, Color{0.05, 0.03, 0.0, 0.2});
    cairo_fill(cr);
    Lettering line = captionLettering(44);
    line.shadowOffset = 3;
    drawCenteredText(cr, "Push, pull, freeze and bounce.", 40, 70, 720, 70, line);
    drawCenteredText(cr, "Outwit the bots.", 40, 140, 720, 70, line);
    drawCenteredText(cr, "Reach the exit tube!", 40, 210, 720, 70, line);
    story::drawProp(cr, "cratestill0.tga", 250, 540, 110);
    story::drawProp(cr, "tubeexit0.png", 640, 540, 200);
    {
        professor::Pose p = professor::walking(0.2, 1);
        p.lean = 0.25;
        p.mouth = professor::Mouth::Grin;
        story::drawProf(cr, 450, 540, 5.0, p, 1);
    }
}

// The welcome plate: a board for the greeting, the change-player button
// sitting on its lower half.
void drawProfilePlate(cairo_t* cr)
{
    roundedRect(cr, 3, 4, 234, 64, 14);
    setColor(cr, Color{0.1, 0.05, 0.0, 0.35});
    cairo_fill(cr);
    roundedRect(cr, 1, 1, 234, 64, 14);
    fillAndOutline(cr, Color{0.96, 0.88, 0.68}, 1, 65, 2.4);
    roundedRect(cr, 6, 6, 224, 54, 10);
    setColor(cr, withAlpha(Color{0.55, 0.36, 0.18}, 0.5));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void registerIntro(Registry& registry, const char* family)
{
    addStandalonePicture(registry, family, "splash0.jpg", 800, 600, drawLogo);
    addStandalonePicture(registry, family, "splash1.jpg", 800, 600, drawTitleCard);
    addStandalonePicture(registry, family, "splash2.jpg", 800, 600, drawPromiseCard);
    addPicture(registry, family, "logovg-eyes.png", lidsWidth, lidsHeight, drawLids);
    addPicture(registry, family, "profile_main.png", 240, 70, drawProfilePlate);
}

FamilyRegistration intro("intro", registerIntro);

} // namespace
