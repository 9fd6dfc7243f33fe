// The result and high-score boards and the small text-entry dialogs: the
// pictures on the result parchments (victory, caught,
// singed, tutorial done), the high-score headings, row highlighters and
// arrows, the set, download and submit buttons, and the name-entry panels
// with their text field, cursor and OK / Cancel buttons.
#include "../Registry.h"
#include "ArtKit.h"
#include "Lettering.h"
#include "MenuProfessor.h"
#include "Scenery.h"

#include <cmath>
#include <string>

namespace {

using art::Paint;

constexpr Color ink{0.29, 0.18, 0.09};
constexpr Color gold{0.98, 0.78, 0.22};
constexpr Color teal{0.16, 0.62, 0.60};
constexpr Color leaf{0.30, 0.62, 0.24};
constexpr Color plum{0.62, 0.32, 0.62};
constexpr Color shadowInk{0.10, 0.05, 0.0, 0.35};

// ---- Buttons with their own words (OK, Cancel, set names, download and
// submit): a rounded plate, its shadow and a lit rollover.
struct Plate {
    int width, height;
    Color fill;
    std::string words;
    double textSize;
};

void drawPlate(cairo_t* cr, const Plate& p, bool lit, const Paint& icon = nullptr)
{
    Color fill = lit ? lighter(p.fill, 0.18) : p.fill;
    if (lit) {
        roundedRect(cr, 1, 1, p.width - 4, p.height - 4, p.height / 2.6);
        setColor(cr, withAlpha(gold, 0.85));
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    roundedRect(cr, 2, 2, p.width - 6, p.height - 6, p.height / 2.8);
    fillAndOutline(cr, fill, 2, p.height - 4, 2);
    drawHighlight(cr, p.width / 2.0 - 3, 7, p.width * 0.36, 2.5, 0.35);
    double textX = 6, textW = p.width - 15;
    if (icon) {
        cairo_save(cr);
        icon(cr);
        cairo_restore(cr);
        textX = p.height - 2;
        textW = p.width - textX - 10;
    }
    Lettering style;
    style.size = p.textSize;
    style.fill = palette::white;
    style.outline = darker(fill, 0.55);
    style.outlineWidth = 3;
    drawCenteredText(cr, p.words, textX, 2, textW, p.height - 6, style);
}

void drawPlateShadow(cairo_t* cr, int width, int height)
{
    roundedRect(cr, 5, 5, width - 6, height - 6, height / 2.8);
    setColor(cr, shadowInk);
    cairo_fill(cr);
}

void addPlateButton(Registry& registry, const char* family, const std::string& prefix, const std::string& rollover,
                    const Plate& plate, const Paint& icon = nullptr)
{
    addPicture(registry, family, prefix + "base.png", plate.width, plate.height,
               [plate, icon](cairo_t* cr) { drawPlate(cr, plate, false, icon); });
    addPicture(registry, family, prefix + rollover + ".png", plate.width, plate.height,
               [plate, icon](cairo_t* cr) { drawPlate(cr, plate, true, icon); });
    addPicture(registry, family, prefix + "shadow.png", plate.width, plate.height,
               [plate](cairo_t* cr) { drawPlateShadow(cr, plate.width, plate.height); });
}

// A cloud with an arrow through it, down (fetch) or up (send), in a circle
// at the left end of a plate of the given height.
void drawCloudArrow(cairo_t* cr, double height, bool up)
{
    double cx = height / 2 + 2, cy = height / 2 - 1, r = height / 2 - 8;
    ellipsePath(cr, cx, cy, r, r);
    fillAndOutline(cr, palette::white, cy - r, cy + r, 1.6);
    drawCloud(cr, cx - r * 0.8, cy - r * 0.75, r * 1.6, r * 0.9, up ? 5 : 3);
    double top = cy - r * 0.15, bottom = cy + r * 0.75;
    double tip = up ? top - 2 : bottom, tail = up ? bottom : top;
    double dir = up ? -1 : 1;
    cairo_move_to(cr, cx - 3, tail);
    cairo_line_to(cr, cx + 3, tail);
    cairo_line_to(cr, cx + 3, tip - dir * 7);
    cairo_line_to(cr, cx + 7, tip - dir * 7);
    cairo_line_to(cr, cx, tip);
    cairo_line_to(cr, cx - 7, tip - dir * 7);
    cairo_line_to(cr, cx - 3, tip - dir * 7);
    cairo_close_path(cr);
    fillAndOutline(cr, up ? palette::grass : palette::blue, top, bottom, 1.4);
}

// ---- Result pictures.

void drawConfetti(cairo_t* cr, double w, double h, uint32_t seed)
{
    Rng rng(seed);
    const Color colours[] = {palette::red, palette::blue, palette::yellow, palette::grass, plum};
    for (int i = 0; i < 34; ++i) {
        double x = rng.range(4, w - 4), y = rng.range(4, h * 0.55);
        double a = rng.range(0, M_PI);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a);
        cairo_rectangle(cr, -3, -1.5, 6, 3);
        setColor(cr, colours[i % 5]);
        cairo_fill(cr);
        cairo_restore(cr);
    }
}

// The professor beaming, a gold medal round his neck, under confetti.
void drawVictory(cairo_t* cr, int w, int h)
{
    drawSoftGlow(cr, w / 2.0, h * 0.45, w * 0.55, withAlpha(gold, 0.5));
    // Confetti behind him, so none of it lands on his face.
    drawConfetti(cr, w, h, 17);
    double scale = (h - 18) / bustHeight;
    drawProfessorBust(cr, w / 2.0 - bustWidth * scale / 2, 6, scale, true);
    double mx = w / 2.0, my = h - 26;
    cairo_move_to(cr, mx - 18, my - 34);
    cairo_line_to(cr, mx - 4, my - 6);
    cairo_move_to(cr, mx + 18, my - 34);
    cairo_line_to(cr, mx + 4, my - 6);
    setColor(cr, palette::red);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    ellipsePath(cr, mx, my + 4, 13, 13);
    fillAndOutline(cr, gold, my - 9, my + 17, 1.8);
    drawSparkle(cr, mx - 4, my, 5, palette::white, 1.4);
}

// A bot's grabber has the professor by the collar.
// Any lost level (caught, fallen, the exit tube broken): the professor
// reels, dizzy stars circling over his head.
void drawCaught(cairo_t* cr, int w, int h)
{
    double scale = (h - 30) / bustHeight;
    double bx = w * 0.5 - bustWidth * scale / 2, by = 26;
    cairo_save(cr);
    cairo_translate(cr, bx + bustWidth * scale / 2, by + h * 0.4);
    cairo_rotate(cr, 0.12);
    cairo_translate(cr, -(bx + bustWidth * scale / 2), -(by + h * 0.4));
    drawProfessorBust(cr, bx, by, scale, true);
    cairo_restore(cr);
    // The ring the stars run on, then the stars, the front ones larger.
    const double cx = w * 0.52, cy = 24, rx = w * 0.3, ry = 9;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    setColor(cr, withAlpha(palette::outline, 0.35));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (int i = 0; i < 4; ++i) {
        const double a = 0.5 + i * M_PI / 2;
        const double x = cx + std::cos(a) * rx, y = cy + std::sin(a) * ry;
        const double r = 7 + 3 * std::sin(a);
        cairo_new_path(cr);
        for (int k = 0; k < 10; ++k) {
            const double b = -M_PI / 2 + k * M_PI / 5;
            const double rr = k % 2 ? r * 0.45 : r;
            cairo_line_to(cr, x + std::cos(b) * rr, y + std::sin(b) * rr);
        }
        cairo_close_path(cr);
        fillAndOutline(cr, palette::yellow, y - r, y + r, 1.4);
    }
}

// Soot-blackened, hair smoking.
void drawSinged(cairo_t* cr, int w, int h)
{
    double scale = (h - 34) / bustHeight;
    double bx = w / 2.0 - bustWidth * scale / 2;
    art::drawWashed(cr, [&](cairo_t* c) { drawProfessorBust(c, bx, 30, scale, true); }, Color{0.16, 0.12, 0.10},
                    0.55);
    for (int i = 0; i < 5; ++i)
        art::drawPuff(cr, w / 2.0 - 24 + i * 12, 26 - (i % 2) * 8, 9 + (i % 3) * 2, Color{0.42, 0.40, 0.40, 0.7});
    for (int i = 0; i < 3; ++i)
        art::drawPuff(cr, w / 2.0 - 10 + i * 10, 10, 6, Color{0.55, 0.53, 0.52, 0.5});
    // A few glowing embers.
    Rng rng(23);
    for (int i = 0; i < 6; ++i) {
        double x = rng.range(w * 0.3, w * 0.7), y = rng.range(34, 60);
        drawSoftGlow(cr, x, y, 5, withAlpha(palette::heat, 0.8));
    }
}

// A rolled certificate with a ribbon and a big tick: a lesson done.
void drawTutorialDone(cairo_t* cr, int w, int h)
{
    double x = 14, y = 16, sw = w - 28, sh = h - 46;
    roundedRect(cr, x, y, sw, sh, 6);
    fillAndOutline(cr, Color{1.0, 0.97, 0.86}, y, y + sh, 2);
    for (double ry : {y, y + sh}) {
        roundedRect(cr, x - 8, ry - 6, sw + 16, 12, 6);
        fillAndOutline(cr, palette::parchment, ry - 6, ry + 6, 1.6);
    }
    for (int i = 0; i < 4; ++i) {
        cairo_move_to(cr, x + 16, y + 22 + i * 14);
        cairo_line_to(cr, x + sw - 16 - (i == 3 ? 40 : 0), y + 22 + i * 14);
    }
    setColor(cr, withAlpha(ink, 0.35));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_move_to(cr, w * 0.33, h * 0.42);
    cairo_line_to(cr, w * 0.46, h * 0.56);
    cairo_line_to(cr, w * 0.72, h * 0.20);
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 11);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    setColor(cr, palette::grass);
    cairo_set_line_width(cr, 7);
    cairo_stroke(cr);
    // Seal with two ribbon tails.
    double sx = w * 0.78, sy = h - 34;
    for (double dx : {-7.0, 7.0}) {
        cairo_move_to(cr, sx + dx * 0.4, sy);
        cairo_line_to(cr, sx + dx * 1.4, sy + 26);
        cairo_line_to(cr, sx + dx * 0.6, sy + 21);
        cairo_line_to(cr, sx, sy + 27);
        cairo_close_path(cr);
        fillAndOutline(cr, palette::red, sy, sy + 27, 1.4);
    }
    ellipsePath(cr, sx, sy, 13, 13);
    fillAndOutline(cr, gold, sy - 13, sy + 13, 1.8);
    drawSparkle(cr, sx, sy, 6, palette::white, 1.4);
}

// ---- High-score table furniture.

void drawTitleBanner(cairo_t* cr, int w, int h)
{
    // A ribbon with folded ends.
    for (int side : {0, 1}) {
        double x = side ? w - 30 : 0;
        cairo_move_to(cr, side ? x + 30 : x, 8);
        cairo_line_to(cr, side ? x + 4 : x + 26, 8);
        cairo_line_to(cr, side ? x + 4 : x + 26, h - 2);
        cairo_line_to(cr, side ? x + 30 : x, h - 2);
        cairo_line_to(cr, side ? x + 22 : x + 8, (h + 6) / 2.0);
        cairo_close_path(cr);
        fillAndOutline(cr, darker(palette::red, 0.25), 8, h - 2, 1.6);
    }
    roundedRect(cr, 18, 2, w - 36, h - 10, 4);
    fillAndOutline(cr, palette::red, 2, h - 8, 1.8);
    Lettering style = captionLettering(22);
    style.fill = Color{1.0, 0.94, 0.70};
    style.outline = darker(palette::red, 0.6);
    drawCenteredText(cr, "High Scores", 24, 1, w - 48, h - 10, style);
}

void drawHeadings(cairo_t* cr, int w, int h)
{
    Lettering style;
    style.size = 14;
    style.fill = ink;
    style.outlineWidth = 0;
    selectLettering(cr, style.size, style.weight);
    drawTextAt(cr, "Player", 2, h / 2.0, style);
    drawTextAt(cr, "Steps", w - 2 - textWidth(cr, "Steps"), h / 2.0, style);
}

void drawTableBar(cairo_t* cr, int w, int h)
{
    cairo_move_to(cr, 2, h / 2.0);
    cairo_curve_to(cr, w * 0.3, h / 2.0 - 1, w * 0.7, h / 2.0 + 1, w - 2, h / 2.0);
    setColor(cr, ink);
    cairo_set_line_width(cr, 2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void drawHighlighter(cairo_t* cr, int w, int h)
{
    // A stroke of yellow marker across the row.
    Rng rng(static_cast<uint32_t>(h));
    cairo_new_path(cr);
    cairo_move_to(cr, 3, 2 + rng.range(0, 2));
    cairo_line_to(cr, w - 2, 1 + rng.range(0, 2));
    cairo_line_to(cr, w - 4, h - 1 - rng.range(0, 2));
    cairo_line_to(cr, 1, h - 2 - rng.range(0, 2));
    cairo_close_path(cr);
    setColor(cr, Color{1.0, 0.90, 0.25, 0.45});
    cairo_fill(cr);
}

// A fat pointing hand-drawn arrow, pointing right (or left when mirrored).
void drawPointer(cairo_t* cr, int w, int h, bool left)
{
    if (left) {
        cairo_translate(cr, w, 0);
        cairo_scale(cr, -1, 1);
    }
    double cy = h / 2.0;
    cairo_move_to(cr, 3, cy - 5);
    cairo_line_to(cr, w * 0.55, cy - 5);
    cairo_line_to(cr, w * 0.55, cy - 13);
    cairo_line_to(cr, w - 3, cy);
    cairo_line_to(cr, w * 0.55, cy + 13);
    cairo_line_to(cr, w * 0.55, cy + 5);
    cairo_line_to(cr, 3, cy + 5);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::red, cy - 13, cy + 13, 2);
    drawHighlight(cr, w * 0.4, cy - 2, w * 0.22, 1.5, 0.4);
}

// A small paper tag pinned beside the set buttons.
void drawShowLabel(cairo_t* cr, int w, int h)
{
    roundedRect(cr, 1.5, 1.5, w - 3, h - 3, 5);
    fillAndOutline(cr, Color{1.0, 0.97, 0.86}, 1.5, h - 1.5, 1.4);
    ellipsePath(cr, 6, h / 2.0, 2, 2);
    setColor(cr, palette::red);
    cairo_fill(cr);
    Lettering style;
    style.size = 14;
    style.fill = ink;
    style.outlineWidth = 0;
    drawCenteredText(cr, "Show:", 9, 0, w - 11, h, style);
}

// ---- Text entry.

// The panel behind a text field; the big one has a pencil lying in its
// corner, the small one has no room for it beside its buttons.
void drawEntryPanel(cairo_t* cr, int w, int h, bool pencil)
{
    for (int i = 3; i >= 1; --i) {
        roundedRect(cr, 4 + i, 5 + i, w - 10, h - 10, 14);
        setColor(cr, Color{0.1, 0.05, 0, 0.12});
        cairo_fill(cr);
    }
    roundedRect(cr, 3, 3, w - 10, h - 10, 14);
    fillLinear(cr, 0, 3, 0, h - 7, Color{1.0, 0.96, 0.84}, Color{0.93, 0.82, 0.60});
    strokeOutline(cr, 2.2);
    roundedRect(cr, 11, 11, w - 26, h - 26, 9);
    setColor(cr, withAlpha(Color{0.55, 0.36, 0.18}, 0.5));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    if (!pencil)
        return;
    double px = w - 70, py = h - 26;
    cairo_save(cr);
    cairo_translate(cr, px, py);
    cairo_rotate(cr, -0.35);
    cairo_rectangle(cr, 0, -4, 44, 8);
    fillAndOutline(cr, palette::yellow, -4, 4, 1.3);
    cairo_move_to(cr, 44, -4);
    cairo_line_to(cr, 55, 0);
    cairo_line_to(cr, 44, 4);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::skin, -4, 4, 1.3);
    cairo_rectangle(cr, -6, -4, 6, 8);
    fillAndOutline(cr, palette::rubber, -4, 4, 1.3);
    cairo_restore(cr);
}

void drawTextField(cairo_t* cr, int w, int h)
{
    roundedRect(cr, 1, 1, w - 2, h - 2, 5);
    fillLinear(cr, 0, 1, 0, h - 1, Color{0.93, 0.91, 0.86}, palette::white);
    strokeOutline(cr, 1.6);
    // An inner shadow along the top edge: the field is sunk into the panel.
    cairo_move_to(cr, 5, 3.5);
    cairo_line_to(cr, w - 5, 3.5);
    setColor(cr, Color{0, 0, 0, 0.12});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void drawTextCursor(cairo_t* cr, int w, int h)
{
    cairo_rectangle(cr, 0, 0, w, h);
    setColor(cr, Color{0.16, 0.15, 0.31});
    cairo_fill(cr);
}

void registerScoreboard(Registry& registry, const char* family)
{
    addPicture(registry, family, "parchment_victory.png", 136, 148, [](cairo_t* cr) { drawVictory(cr, 136, 148); });
    addPicture(registry, family, "parchment_caught.png", 206, 176, [](cairo_t* cr) { drawCaught(cr, 206, 176); });
    addPicture(registry, family, "parchment_singed.png", 132, 176, [](cairo_t* cr) { drawSinged(cr, 132, 176); });
    addPicture(registry, family, "parchment_tutorial.png", 176, 140,
               [](cairo_t* cr) { drawTutorialDone(cr, 176, 140); });

    addPicture(registry, family, "hiscores_title.png", 238, 34, [](cairo_t* cr) { drawTitleBanner(cr, 238, 34); });
    addPicture(registry, family, "hiscores_headings.png", 206, 17, [](cairo_t* cr) { drawHeadings(cr, 206, 17); });
    addPicture(registry, family, "hiscores_tablebar.png", 218, 4, [](cairo_t* cr) { drawTableBar(cr, 218, 4); });
    addPicture(registry, family, "hiscores_highlighter1.png", 228, 21,
               [](cairo_t* cr) { drawHighlighter(cr, 228, 21); });
    addPicture(registry, family, "hiscores_highlighter2.png", 228, 46,
               [](cairo_t* cr) { drawHighlighter(cr, 228, 46); });
    addPicture(registry, family, "hiscores_arrow1.png", 38, 36, [](cairo_t* cr) { drawPointer(cr, 38, 36, false); });
    addPicture(registry, family, "hiscores_arrow2.png", 38, 36, [](cairo_t* cr) { drawPointer(cr, 38, 36, true); });
    addPicture(registry, family, "hiscores_textshow.png", 56, 24, [](cairo_t* cr) { drawShowLabel(cr, 56, 24); });

    addPlateButton(registry, family, "hiscores_button_regular", "rollover", {90, 40, palette::blue, "Regular", 15});
    addPlateButton(registry, family, "hiscores_button_advanced", "rollover", {110, 40, palette::red, "Advanced", 15});
    addPlateButton(registry, family, "hiscores_button_kids", "rollover", {76, 40, leaf, "Kids", 15});
    addPlateButton(registry, family, "hiscores_button_download", "roll", {162, 48, teal, "Get Scores", 16},
                   [](cairo_t* cr) { drawCloudArrow(cr, 48, false); });
    addPlateButton(registry, family, "hiscores_button_submit", "rollover", {162, 48, plum, "Send Score", 16},
                   [](cairo_t* cr) { drawCloudArrow(cr, 48, true); });

    addPicture(registry, family, "profile_entername_mainbig.png", 376, 180,
               [](cairo_t* cr) { drawEntryPanel(cr, 376, 180, true); });
    addPicture(registry, family, "profile_entername_mainsmall.png", 234, 122,
               [](cairo_t* cr) { drawEntryPanel(cr, 234, 122, false); });
    addPicture(registry, family, "profile_entername_textbox.png", 180, 28,
               [](cairo_t* cr) { drawTextField(cr, 180, 28); });
    addPicture(registry, family, "profilenternamecursor.png", 2, 19, [](cairo_t* cr) { drawTextCursor(cr, 2, 19); });
    addPlateButton(registry, family, "profile_button_okay", "rollover", {76, 32, palette::grass, "OK", 16});
    addPlateButton(registry, family, "profile_button_cancel", "rollover", {76, 32, palette::red, "Cancel", 15});
}

FamilyRegistration scoreboard("scoreboard", registerScoreboard);

} // namespace
