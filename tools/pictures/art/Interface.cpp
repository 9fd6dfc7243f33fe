// Pictures the screens put their words on: the dimmer laid over a screen
// behind a dialog, the parchments of the dialogs and pages, the tutorial
// notes, and the digit strip of the step counter.
#include "../Registry.h"
#include "Lettering.h"
#include "MenuProfessor.h"
#include "Scenery.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

void drawDimmer(cairo_t* cr)
{
    // Darker towards the edges, so the dialog in the middle stands out.
    cairo_pattern_t* dim = cairo_pattern_create_radial(400, 300, 120, 400, 300, 520);
    cairo_pattern_add_color_stop_rgba(dim, 0, 0.06, 0.04, 0.02, 0.48);
    cairo_pattern_add_color_stop_rgba(dim, 1, 0.06, 0.04, 0.02, 0.68);
    cairo_set_source(cr, dim);
    cairo_paint(cr);
    cairo_pattern_destroy(dim);
}

struct Paper {
    Color middle;
    Color edge;
    Color trim;
};

constexpr Paper oldPaper{{1.0, 0.96, 0.84}, {0.86, 0.70, 0.46}, {0.55, 0.36, 0.18}};
constexpr Paper brightPaper{{1.0, 0.99, 0.92}, {0.98, 0.86, 0.62}, {0.90, 0.45, 0.20}};


void drawSheet(cairo_t* cr, double w, double h, uint32_t seed, const Paper& paper)
{
    const double margin = 6;
    double sw = w - 2 * margin, sh = h - 2 * margin;
    // A soft shadow below right.
    for (int i = 3; i >= 1; --i) {
        roundedRect(cr, margin + 2 + i, margin + 3 + i, sw, sh, 16);
        setColor(cr, Color{0.1, 0.05, 0, 0.12});
        cairo_fill(cr);
    }
    raggedRectPath(cr, margin, margin, sw, sh, seed, {14, 9, 2.2});
    cairo_pattern_t* fill = cairo_pattern_create_radial(w / 2, h / 2, std::min(sw, sh) * 0.25, w / 2, h / 2,
                                                        std::hypot(sw, sh) * 0.55);
    cairo_pattern_add_color_stop_rgb(fill, 0, paper.middle.r, paper.middle.g, paper.middle.b);
    cairo_pattern_add_color_stop_rgb(fill, 0.7, lighter(paper.edge, 0.45).r, lighter(paper.edge, 0.45).g,
                                     lighter(paper.edge, 0.45).b);
    cairo_pattern_add_color_stop_rgb(fill, 1, paper.edge.r, paper.edge.g, paper.edge.b);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    // Faint stains of a well-used sheet.
    Rng rng(seed + 7);
    for (int i = 0; i < 5; ++i) {
        double cx = rng.range(margin + 40, w - margin - 40), cy = rng.range(margin + 40, h - margin - 40);
        double r = rng.range(18, 50);
        ellipsePath(cr, cx, cy, r, r * rng.range(0.6, 1));
        setColor(cr, withAlpha(paper.edge, 0.07));
        cairo_fill(cr);
    }
    cairo_restore(cr);
    strokeOutline(cr, 2.2);
    // A double ruled border with a dot in each corner.
    const double inset = 18;
    roundedRect(cr, margin + inset, margin + inset, sw - 2 * inset, sh - 2 * inset, 8);
    setColor(cr, withAlpha(paper.trim, 0.55));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    roundedRect(cr, margin + inset + 5, margin + inset + 5, sw - 2 * inset - 10, sh - 2 * inset - 10, 6);
    setColor(cr, withAlpha(paper.trim, 0.35));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const double corners[][2] = {{margin + inset, margin + inset},
                                 {w - margin - inset, margin + inset},
                                 {margin + inset, h - margin - inset},
                                 {w - margin - inset, h - margin - inset}};
    for (const auto& c : corners) {
        ellipsePath(cr, c[0], c[1], 4, 4);
        setColor(cr, paper.trim);
        cairo_fill(cr);
    }
}

// The professor in an oval frame, as on the in-game menu and the score tables.
void drawPortrait(cairo_t* cr, double cx, double cy, double rx, double ry, bool facingPlayer)
{
    ellipsePath(cr, cx, cy, rx + 6, ry + 6);
    fillAndOutline(cr, palette::wood, cy - ry - 6, cy + ry + 6, 2);
    ellipsePath(cr, cx, cy, rx, ry);
    fillLinear(cr, 0, cy - ry, 0, cy + ry, Color{0.62, 0.82, 0.96}, Color{1.0, 0.88, 0.66});
    cairo_save(cr);
    cairo_clip_preserve(cr);
    double scale = ry * 2 / bustHeight * 1.05;
    drawProfessorBust(cr, cx - bustWidth * scale / 2, cy - ry + 2, scale, facingPlayer);
    cairo_restore(cr);
    strokeOutline(cr, 2);
}

void drawParchment(cairo_t* cr, int w, int h) { drawSheet(cr, w, h, 41, oldPaper); }

void drawProfessorParchment(cairo_t* cr, int w, int h)
{
    drawSheet(cr, w, h, 43, oldPaper);
    // The portrait ends left of x 160, where the high-score board puts its
    // "Show:" tag.
    drawPortrait(cr, 96, h - 116, 60, 74, true);
}

void drawKidsParchment(cairo_t* cr, int w, int h)
{
    drawSheet(cr, w, h, 47, brightPaper);
    // Bright stars in the corners.
    const Color colors[] = {palette::red, palette::blue, palette::yellow, palette::grass};
    const double corners[][2] = {{34, 34}, {w - 34.0, 34}, {34, h - 34.0}, {w - 34.0, h - 34.0}};
    for (int i = 0; i < 4; ++i) {
        cairo_new_path(cr);
        for (int k = 0; k < 10; ++k) {
            double a = -M_PI / 2 + k * M_PI / 5;
            double r = k % 2 ? 6.5 : 15;
            cairo_line_to(cr, corners[i][0] + std::cos(a) * r, corners[i][1] + std::sin(a) * r);
        }
        cairo_close_path(cr);
        fillAndOutline(cr, colors[i], corners[i][1] - 15, corners[i][1] + 15, 1.8);
    }
}

// A tutorial note: a small card with the professor's portrait in the
// margin left of the text.
void drawTutorialNote(cairo_t* cr, int w, int h, uint32_t seed)
{
    drawSheet(cr, w, h, seed, oldPaper);
    drawPortrait(cr, 46, 52, 26, 30, true);
}

// The step counter shows a 20-pixel window of this strip: 0 to 9 and then
// 0 and 1 again, so a digit can roll on from 9 to 0.
void drawCounterDigits(cairo_t* cr)
{
    Lettering style;
    style.size = 18;
    style.fill = Color{1.0, 0.97, 0.86};
    style.outline = Color{0.25, 0.14, 0.06};
    style.outlineWidth = 3;
    for (int row = 0; row < 12; ++row)
        drawCenteredText(cr, std::to_string(row % 10), 0, row * 20, 13, 20, style);
}

void registerInterface(Registry& registry, const char* family)
{
    addPicture(registry, family, "dimmer.png", 800, 600, drawDimmer);
    addPicture(registry, family, "parchment.png", 686, 554, [](cairo_t* cr) { drawParchment(cr, 686, 554); });
    addPicture(registry, family, "parchment_professor.png", 686, 554,
               [](cairo_t* cr) { drawProfessorParchment(cr, 686, 554); });
    addPicture(registry, family, "confirmation_parch.png", 500, 424,
               [](cairo_t* cr) { drawSheet(cr, 500, 424, 53, oldPaper); });
    addPicture(registry, family, "parchment_kids.png", 536, 496, [](cairo_t* cr) { drawKidsParchment(cr, 536, 496); });
    addPicture(registry, family, "tutorial_small.png", 360, 210, [](cairo_t* cr) { drawTutorialNote(cr, 360, 210, 59); });
    addPicture(registry, family, "tutorial_big.png", 440, 300, [](cairo_t* cr) { drawTutorialNote(cr, 440, 300, 61); });
    addPicture(registry, family, "counterdigitsA.png", 13, 240, drawCounterDigits);
}

FamilyRegistration interface("interface", registerInterface);

} // namespace
