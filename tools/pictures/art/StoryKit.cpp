#include "StoryKit.h"

#include "../Compose.h"
#include "Lettering.h"
#include "ArtKit.h"
#include "Scenery.h"

#include <cmath>
#include <cstdio>
#include <sstream>
#include <vector>

namespace story {

namespace {

constexpr Color ink{0.24, 0.15, 0.08};
constexpr Color paper{1.0, 0.96, 0.84};
constexpr Color paperEdge{0.86, 0.70, 0.46};
constexpr Color frame{0.34, 0.21, 0.10};

std::vector<std::string> wordsOf(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

// Greedy lines no wider than w at the current font; an over-long word gets a
// line of its own (and then reports not fitting).
std::vector<std::string> wrapLines(cairo_t* cr, const std::vector<std::string>& words, double w, bool& fits)
{
    std::vector<std::string> lines;
    std::string line;
    fits = true;
    for (const std::string& word : words) {
        std::string tryLine = line.empty() ? word : line + " " + word;
        if (!line.empty() && textWidth(cr, tryLine) > w) {
            lines.push_back(line);
            line = word;
        } else {
            line = tryLine;
        }
        if (textWidth(cr, line) > w)
            fits = false;
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

void paperFill(cairo_t* cr, double x, double y, double w, double h)
{
    cairo_pattern_t* fill =
        cairo_pattern_create_radial(x + w / 2, y + h / 2, std::min(w, h) * 0.2, x + w / 2, y + h / 2, std::hypot(w, h) * 0.6);
    cairo_pattern_add_color_stop_rgb(fill, 0, paper.r, paper.g, paper.b);
    Color edge = lighter(paperEdge, 0.3);
    cairo_pattern_add_color_stop_rgb(fill, 1, edge.r, edge.g, edge.b);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
}


void drawPin(cairo_t* cr, double x, double y, Color head)
{
    ellipsePath(cr, x + 1.5, y + 2.5, 5, 5);
    setColor(cr, withAlpha(palette::black, 0.3));
    cairo_fill(cr);
    ellipsePath(cr, x, y, 5, 5);
    fillAndOutline(cr, head, y - 5, y + 5, 1.2);
    drawHighlight(cr, x - 1.5, y - 2, 1.8, 1.2, 0.7);
}

} // namespace

bool drawWrapped(cairo_t* cr, const std::string& text, double x, double y, double w, double h, double size,
                 Color colour, bool bold, bool centred)
{
    std::vector<std::string> words = wordsOf(text);
    FontWeight weight = bold ? FontWeight::Bold : FontWeight::Medium;
    cairo_save(cr);
    bool fits = false;
    std::vector<std::string> lines;
    double lineHeight = 0;
    for (; size >= 8; size -= 0.5) {
        selectLettering(cr, size, weight);
        lines = wrapLines(cr, words, w, fits);
        lineHeight = size * 1.22;
        if (fits && lines.size() * lineHeight <= h)
            break;
    }
    if (size < 8) {
        std::fprintf(stderr, "story: words do not fit their box: '%s'\n", text.c_str());
        fits = false;
    }
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    double top = y + (h - lines.size() * lineHeight) / 2;
    setColor(cr, colour);
    for (size_t i = 0; i < lines.size(); ++i) {
        double lineWidth = textWidth(cr, lines[i]);
        double left = centred ? x + (w - lineWidth) / 2 : x;
        cairo_move_to(cr, std::round(left), std::round(top + i * lineHeight + font.ascent * 0.86));
        cairo_text_path(cr, lines[i].c_str());
    }
    cairo_fill(cr);
    cairo_restore(cr);
    return fits;
}

void drawPanel(cairo_t* cr, double w, double h, const Scene& scene, const std::string& words)
{
    double strip = words.empty() ? 0 : std::min(64.0, h * 0.3);
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, w, h - strip);
    cairo_clip(cr);
    scene(cr, w, h - strip);
    cairo_restore(cr);
    if (!words.empty()) {
        cairo_rectangle(cr, 0, h - strip, w, strip);
        paperFill(cr, 0, h - strip, w, strip);
        cairo_new_path(cr);
        cairo_move_to(cr, 0, h - strip);
        cairo_line_to(cr, w, h - strip);
        setColor(cr, frame);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        drawWrapped(cr, words, 10, h - strip + 4, w - 20, strip - 8, 16, ink);
    }
    cairo_rectangle(cr, 1.5, 1.5, w - 3, h - 3);
    setColor(cr, frame);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

void drawCard(cairo_t* cr, double w, double h, double tilt, const std::string& heading, const Scene& scene,
              const std::string& words)
{
    const double margin = 9;
    double cw = w - 2 * margin, ch = h - 2 * margin;
    cairo_save(cr);
    cairo_translate(cr, w / 2, h / 2);
    cairo_rotate(cr, tilt);
    cairo_translate(cr, -cw / 2, -ch / 2);
    // Shadow, then the white card.
    cairo_rectangle(cr, 3, 4, cw, ch);
    setColor(cr, withAlpha(palette::black, 0.3));
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 0, cw, ch);
    setColor(cr, Color{0.99, 0.98, 0.94});
    cairo_fill_preserve(cr);
    setColor(cr, withAlpha(frame, 0.7));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    const double border = 7;
    double headingHeight = heading.empty() ? 0 : 22;
    double windowHeight = std::round(ch * 0.56);
    double windowTop = border + headingHeight;
    if (!heading.empty())
        drawWrapped(cr, heading, border, border - 1, cw - 2 * border, headingHeight, 16, Color{0.62, 0.22, 0.10}, true);
    cairo_save(cr);
    cairo_translate(cr, border, windowTop);
    cairo_rectangle(cr, 0, 0, cw - 2 * border, windowHeight);
    cairo_clip(cr);
    scene(cr, cw - 2 * border, windowHeight);
    cairo_restore(cr);
    cairo_rectangle(cr, border, windowTop, cw - 2 * border, windowHeight);
    setColor(cr, frame);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    double textTop = windowTop + windowHeight + 3;
    drawWrapped(cr, words, border + 1, textTop, cw - 2 * border - 2, ch - textTop - border + 2, 15, ink);
    drawPin(cr, cw / 2, 2, palette::red);
    cairo_restore(cr);
}

void drawPage(cairo_t* cr, double w, double h, uint32_t seed, const std::string& heading)
{
    const double margin = 6;
    for (int i = 3; i >= 1; --i) {
        roundedRect(cr, margin + 2 + i, margin + 3 + i, w - 2 * margin, h - 2 * margin, 14);
        setColor(cr, Color{0.1, 0.05, 0, 0.14});
        cairo_fill(cr);
    }
    raggedRectPath(cr, margin, margin, w - 2 * margin, h - 2 * margin, seed, {12, 10, 2.4});
    paperFill(cr, margin, margin, w - 2 * margin, h - 2 * margin);
    strokeOutline(cr, 2.2);
    roundedRect(cr, margin + 12, margin + 12, w - 2 * margin - 24, h - 2 * margin - 24, 8);
    setColor(cr, withAlpha(Color{0.55, 0.36, 0.18}, 0.5));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    if (!heading.empty())
        drawWrapped(cr, heading, margin + 24, margin + 14, w * 0.36, 30, 19, Color{0.50, 0.28, 0.12}, true, false);
}

void drawRibbon(cairo_t* cr, double w, double h, const std::string& title)
{
    const double notch = h * 0.35;
    cairo_move_to(cr, 2, 4);
    cairo_line_to(cr, w - 2, 4);
    cairo_line_to(cr, w - 2 - notch, h / 2);
    cairo_line_to(cr, w - 2, h - 4);
    cairo_line_to(cr, 2, h - 4);
    cairo_line_to(cr, 2 + notch, h / 2);
    cairo_close_path(cr);
    fillAndOutline(cr, Color{0.78, 0.22, 0.16}, 4, h - 4, 2);
    Lettering style = captionLettering(h * 0.5);
    style.outlineWidth = 3;
    drawCenteredText(cr, title, notch + 6, 4, w - 2 * notch - 12, h - 8, style);
}

void drawNote(cairo_t* cr, double w, double h, double tilt, const std::string& words)
{
    const double margin = 6;
    cairo_save(cr);
    cairo_translate(cr, w / 2, h / 2);
    cairo_rotate(cr, tilt);
    double nw = w - 2 * margin - 6, nh = h - 2 * margin - 6;
    cairo_translate(cr, -nw / 2, -nh / 2);
    cairo_rectangle(cr, 3, 3, nw, nh);
    setColor(cr, withAlpha(palette::black, 0.25));
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 0, nw, nh);
    setColor(cr, Color{1.0, 0.95, 0.60});
    cairo_fill_preserve(cr);
    setColor(cr, withAlpha(frame, 0.6));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Tape across the top.
    cairo_rectangle(cr, nw / 2 - 22, -6, 44, 13);
    setColor(cr, Color{0.95, 0.95, 0.90, 0.6});
    cairo_fill(cr);
    drawWrapped(cr, words, 8, 8, nw - 16, nh - 14, 17, Color{0.16, 0.22, 0.48}, true);
    cairo_restore(cr);
}

// ---- scene parts ----------------------------------------------------------

void fillSky(cairo_t* cr, double w, double h, Color top, Color bottom)
{
    cairo_rectangle(cr, 0, 0, w, h);
    fillLinear(cr, 0, 0, 0, h, top, bottom);
    cairo_new_path(cr);
}

void drawSea(cairo_t* cr, double w, double h, double horizon)
{
    cairo_rectangle(cr, 0, horizon, w, h - horizon);
    fillLinear(cr, 0, horizon, 0, h, Color{0.30, 0.58, 0.78}, Color{0.20, 0.44, 0.66});
    cairo_new_path(cr);
    Rng rng(static_cast<uint32_t>(w * 7 + horizon));
    for (int i = 0; i < int(w / 14); ++i)
        drawWaveLine(cr, rng.range(0, w), rng.range(horizon + 4, h), rng.range(8, 18), 1.5, withAlpha(palette::white, 0.5),
                     1.2);
}

void drawGround(cairo_t* cr, double w, double h, double top, Color body, Color rim)
{
    cairo_move_to(cr, -5, top + 3);
    for (double x = 0; x <= w + 10; x += 20)
        cairo_line_to(cr, x, top + 2 * std::sin(x * 0.05));
    cairo_line_to(cr, w + 5, h + 5);
    cairo_line_to(cr, -5, h + 5);
    cairo_close_path(cr);
    fillLinear(cr, 0, top, 0, h, body, darker(body, 0.25));
    setColor(cr, rim);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
}

void drawBackdrop(cairo_t* cr, double w, double h, const std::string& picture, double zoom, double fx, double fy)
{
    cairo_save(cr);
    cairo_translate(cr, w / 2, h / 2);
    cairo_scale(cr, zoom, zoom);
    cairo_translate(cr, -fx, -fy);
    paintPicture(cr, picture, 0, 0);
    cairo_restore(cr);
}

void drawProf(cairo_t* cr, double x, double floor, double scale, const professor::Pose& pose, int facing)
{
    cairo_save(cr);
    cairo_translate(cr, x, floor);
    cairo_scale(cr, scale, scale);
    professor::drawProfessor(cr, pose, facing);
    cairo_restore(cr);
}

void drawBotAt(cairo_t* cr, double x, double floor, double scale, const bot::Pose& pose, int facing)
{
    cairo_save(cr);
    cairo_translate(cr, x, floor);
    cairo_scale(cr, scale, scale);
    bot::drawBot(cr, pose, facing);
    cairo_restore(cr);
}

void drawProp(cairo_t* cr, const std::string& picture, double cx, double bottom, double height, bool mirror)
{
    VisiblePart part = renderVisiblePart(picture, 24, "story");
    if (!part.image)
        return;
    cairo_surface_t* image = part.image;
    const int x0 = part.x0, y0 = part.y0, x1 = part.x1, y1 = part.y1;
    if (x1 >= 0) {
        double scale = height / (y1 - y0 + 1);
        cairo_save(cr);
        cairo_translate(cr, cx, bottom);
        cairo_scale(cr, mirror ? -scale : scale, scale);
        cairo_translate(cr, -(x0 + x1 + 1) / 2.0, -(y1 + 1));
        cairo_set_source_surface(cr, image, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    cairo_surface_destroy(image);
}

void drawBoat(cairo_t* cr, double cx, double waterY, double scale)
{
    cairo_save(cr);
    cairo_translate(cr, cx, waterY);
    cairo_scale(cr, scale, scale);
    // Mast and sail.
    cairo_move_to(cr, 0, -4);
    cairo_line_to(cr, 0, -58);
    setColor(cr, palette::woodDark);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_move_to(cr, 2, -56);
    cairo_curve_to(cr, 26, -40, 30, -20, 30, -10);
    cairo_line_to(cr, 2, -10);
    cairo_close_path(cr);
    fillAndOutline(cr, Color{0.98, 0.94, 0.84}, -56, -10, 1.4);
    cairo_move_to(cr, -40, -8);
    cairo_line_to(cr, 38, -8);
    cairo_curve_to(cr, 34, 4, 24, 8, 14, 8);
    cairo_line_to(cr, -26, 8);
    cairo_curve_to(cr, -34, 6, -38, 0, -40, -8);
    cairo_close_path(cr);
    fillAndOutline(cr, Color{0.78, 0.32, 0.20}, -8, 8, 1.6);
    cairo_move_to(cr, -36, -2);
    cairo_line_to(cr, 34, -2);
    setColor(cr, withAlpha(palette::white, 0.6));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawHut(cairo_t* cr, double cx, double groundY, double scale)
{
    cairo_save(cr);
    cairo_translate(cr, cx, groundY);
    cairo_scale(cr, scale, scale);
    cairo_rectangle(cr, -34, -40, 68, 40);
    fillAndOutline(cr, palette::wood, -40, 0, 1.6);
    drawPlanks(cr, -34, -40, 68, 40, 5, palette::wood);
    cairo_rectangle(cr, -8, -26, 16, 26);
    fillAndOutline(cr, palette::woodDark, -26, 0, 1.4);
    cairo_rectangle(cr, 14, -30, 12, 10);
    fillAndOutline(cr, Color{0.95, 0.88, 0.50}, -30, -20, 1.2);
    cairo_move_to(cr, -44, -38);
    cairo_line_to(cr, 0, -66);
    cairo_line_to(cr, 44, -38);
    cairo_close_path(cr);
    fillAndOutline(cr, Color{0.86, 0.74, 0.40}, -66, -38, 1.6);
    // A chimney pipe with a little steam: it is a laboratory after all.
    cairo_rectangle(cr, 18, -64, 7, 16);
    fillAndOutline(cr, palette::metal, -64, -48, 1.2);
    art::drawPuff(cr, 24, -72, 6, Color{1, 1, 1, 0.7});
    art::drawPuff(cr, 30, -82, 8, Color{1, 1, 1, 0.5});
    cairo_restore(cr);
}

void drawCaveMouth(cairo_t* cr, double w, double h)
{
    fillSky(cr, w, h, Color{0.30, 0.26, 0.24}, Color{0.18, 0.15, 0.14});
    Rng rng(static_cast<uint32_t>(w + h));
    for (int i = 0; i < 14; ++i) {
        double x = rng.range(0, w), y = rng.range(0, h * 0.7), r = rng.range(10, 30);
        ellipsePath(cr, x, y, r, r * 0.7);
        setColor(cr, withAlpha(Color{0.42, 0.36, 0.32}, 0.5));
        cairo_fill(cr);
    }
    // Stalactites along the top.
    for (double x = 6; x < w; x += rng.range(16, 30)) {
        double len = rng.range(10, 30);
        cairo_move_to(cr, x - 6, -2);
        cairo_line_to(cr, x, len);
        cairo_line_to(cr, x + 6, -2);
        cairo_close_path(cr);
        fillAndOutline(cr, Color{0.46, 0.40, 0.36}, 0, len, 1.1);
    }
}

void drawStars(cairo_t* cr, double w, double h, uint32_t seed)
{
    Rng rng(seed);
    for (int i = 0; i < int(w * h / 900); ++i) {
        double r = rng.range(0.6, 1.6);
        ellipsePath(cr, rng.range(0, w), rng.range(0, h), r, r);
        setColor(cr, withAlpha(palette::white, rng.range(0.5, 1)));
        cairo_fill(cr);
    }
}

void drawFootprints(cairo_t* cr, double x0, double y0, double x1, double y1, int count)
{
    for (int i = 0; i < count; ++i) {
        double t = (i + 0.5) / count;
        double x = x0 + (x1 - x0) * t + (i % 2 ? 4 : -4), y = y0 + (y1 - y0) * t;
        // Three little toes of a bot's metal foot.
        for (int k = -1; k <= 1; ++k) {
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x + k * 4, y - 6);
        }
        setColor(cr, withAlpha(darker(palette::sand, 0.45), 0.8));
        cairo_set_line_width(cr, 2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
}

void drawSpeech(cairo_t* cr, double x, double y, double w, double h, double tailX, double tailY,
                const std::string& words)
{
    roundedRect(cr, x, y, w, h, std::min(w, h) / 2.5);
    cairo_move_to(cr, x + w * 0.4, y + h - 1);
    cairo_line_to(cr, tailX, tailY);
    cairo_line_to(cr, x + w * 0.6, y + h - 1);
    setColor(cr, palette::white);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.5);
    roundedRect(cr, x + 1, y + 1, w - 2, h - 3, std::min(w, h) / 2.5);
    setColor(cr, palette::white);
    cairo_fill(cr);
    drawWrapped(cr, words, x + 6, y + 3, w - 12, h - 6, 15, ink, true);
}

} // namespace story
