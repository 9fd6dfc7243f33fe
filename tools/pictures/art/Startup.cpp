// Pictures shown while the game starts: the loading picture (the title
// scene: the professor at the puzzle board in his laboratory), the loading
// bar that fills the slot drawn into it, and the window icon.
#include "../Fonts.h"
#include "../Registry.h"
#include "../Style.h"
#include "BotRig.h"

#include <cmath>
#include <cstdint>

namespace {

// Where the game draws the loading bar over the loading picture, and the
// bar's size; the slot in the picture is drawn around it.
constexpr double kBarX = 360;
constexpr double kBarY = 527;
constexpr int kBarWidth = 400;
constexpr int kBarHeight = 20;

constexpr Color kWallTop{0.99, 0.88, 0.66};
constexpr Color kWallBottom{0.93, 0.67, 0.42};
constexpr Color kFloor{0.70, 0.45, 0.25};
constexpr Color kBoardInside{0.17, 0.26, 0.31};
constexpr Color kTrousers{0.30, 0.30, 0.42};
constexpr Color kShoe{0.40, 0.24, 0.14};
constexpr Color kLens{0.80, 0.93, 1.00, 0.55};
constexpr Color kBarGreen{0.42, 0.80, 0.28};
constexpr Color kBrass{0.86, 0.66, 0.30};
constexpr Color kGlassGreen{0.45, 0.95, 0.55};

void fillRect(cairo_t* cr, double x, double y, double w, double h, Color c)
{
    cairo_rectangle(cr, x, y, w, h);
    setColor(cr, c);
    cairo_fill(cr);
}

void verticalGradient(cairo_t* cr, double y0, double y1, Color top, Color bottom)
{
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(gradient, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(gradient, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
}

// ---- The room.

void drawWall(cairo_t* cr)
{
    cairo_rectangle(cr, 0, 0, 800, 480);
    verticalGradient(cr, 0, 480, kWallTop, kWallBottom);
    for (int x = 0; x < 800; x += 40)
        fillRect(cr, x, 0, 20, 480, withAlpha(palette::white, 0.07));
    // Wainscot along the lower wall.
    cairo_rectangle(cr, 0, 430, 800, 50);
    fillShaded(cr, palette::woodDark, 430, 480);
    cairo_new_path(cr);
    fillRect(cr, 0, 428, 800, 4, darker(palette::woodDark, 0.3));
}

void drawFloor(cairo_t* cr)
{
    drawPlanks(cr, 0, 480, 800, 120, 5, kFloor);
    fillRect(cr, 0, 480, 800, 3, withAlpha(palette::outline, 0.45));
}

void drawLampGlow(cairo_t* cr, double x)
{
    drawSoftGlow(cr, x, 60, 170, withAlpha(palette::flame, 0.35));
    cairo_move_to(cr, x, 0);
    cairo_line_to(cr, x, 30);
    strokeOutline(cr, 2);
    cairo_move_to(cr, x - 26, 56);
    cairo_curve_to(cr, x - 22, 26, x + 22, 26, x + 26, 56);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::red, 30, 56, 2.5);
    ellipsePath(cr, x, 60, 9, 6);
    setColor(cr, lighter(palette::flame, 0.5));
    cairo_fill(cr);
}

void flaskPath(cairo_t* cr, double cx, double bodyY, double radius, double neck, double neckTop)
{
    double a = asin(neck / radius);
    cairo_move_to(cr, cx - neck, neckTop);
    cairo_arc_negative(cr, cx, bodyY, radius, -M_PI / 2 - a, -M_PI / 2 + a);
    cairo_line_to(cr, cx + neck, neckTop);
    cairo_close_path(cr);
}

void drawFlask(cairo_t* cr, double cx, double bottom, double radius, Color liquid)
{
    double neck = radius * 0.38, bodyY = bottom - radius, neckTop = bodyY - radius * 2.1;
    flaskPath(cr, cx, bodyY, radius, neck, neckTop);
    setColor(cr, withAlpha(palette::white, 0.5));
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    cairo_rectangle(cr, cx - radius, bodyY - radius * 0.25, radius * 2, radius * 1.3);
    fillShaded(cr, liquid, bodyY - radius * 0.25, bottom);
    cairo_new_path(cr);
    cairo_restore(cr);
    flaskPath(cr, cx, bodyY, radius, neck, neckTop);
    strokeOutline(cr, 2.5);
    roundedRect(cr, cx - neck - 3, neckTop - 4, neck * 2 + 6, 6, 2);
    fillAndOutline(cr, palette::labCoat, neckTop - 4, neckTop + 2, 2);
    drawHighlight(cr, cx - radius * 0.45, bodyY - radius * 0.1, radius * 0.16, radius * 0.3, 0.7);
    for (int i = 0; i < 3; ++i) {
        ellipsePath(cr, cx + (i - 1) * radius * 0.3, neckTop - 10 - i * 10, 2.5 + i, 2.5 + i);
        setColor(cr, withAlpha(lighter(liquid, 0.5), 0.85));
        cairo_fill(cr);
    }
}

void drawBench(cairo_t* cr, double x, double top, double w)
{
    for (double lx : {x + 10, x + w - 18}) {
        cairo_rectangle(cr, lx, top + 10, 8, 48);
        fillAndOutline(cr, palette::woodDark, top, top + 58, 2.5);
    }
    cairo_rectangle(cr, x + 14, top + 36, w - 28, 6);
    fillAndOutline(cr, palette::woodDark, top + 36, top + 42, 2);
    roundedRect(cr, x, top, w, 12, 3);
    fillAndOutline(cr, palette::wood, top, top + 12, 2.5);
}

// ---- The puzzle board on the wall: a small level in 30-pixel cells.

constexpr double kCell = 30;
constexpr int kBoardColumns = 12;
constexpr int kBoardRows = 8;

struct Board {
    double x, y;
    double cellX(double column) const { return x + column * kCell; }
    double cellY(double row) const { return y + row * kCell; }
};

void drawGrassCell(cairo_t* cr, const Board& b, int column, int row)
{
    double x = b.cellX(column), y = b.cellY(row);
    cairo_rectangle(cr, x, y + 6, kCell, kCell - 6);
    fillShaded(cr, palette::soil, y, y + kCell);
    cairo_new_path(cr);
    for (int i = 0; i < 3; ++i) {
        ellipsePath(cr, x + 4 + i * 11, y + 10 + (i % 2) * 6, 2, 2);
        setColor(cr, darker(palette::soil, 0.25));
        cairo_fill(cr);
    }
    cairo_move_to(cr, x, y + 10);
    for (int i = 0; i <= 6; ++i)
        cairo_line_to(cr, x + i * kCell / 6, y + (i % 2 ? 2 : 6));
    cairo_line_to(cr, x + kCell, y + 12);
    cairo_line_to(cr, x, y + 12);
    cairo_close_path(cr);
    fillShaded(cr, palette::grass, y, y + 12);
    cairo_new_path(cr);
}

void drawPlatform(cairo_t* cr, const Board& b, int first, int last, int row)
{
    for (int column = first; column <= last; ++column)
        drawGrassCell(cr, b, column, row);
    cairo_rectangle(cr, b.cellX(first), b.cellY(row) + 2, (last - first + 1) * kCell, kCell - 2);
    strokeOutline(cr, 2);
}

void drawLadder(cairo_t* cr, const Board& b, int column, int top, int bottom)
{
    double x0 = b.cellX(column) + 6, x1 = b.cellX(column) + kCell - 6;
    double y0 = b.cellY(top) + 4, y1 = b.cellY(bottom + 1);
    for (double y = y0 + 10; y < y1; y += 12) {
        cairo_move_to(cr, x0, y);
        cairo_line_to(cr, x1, y);
    }
    setColor(cr, palette::wood);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke(cr);
    for (double x : {x0, x1}) {
        cairo_rectangle(cr, x - 2.5, y0, 5, y1 - y0);
        fillAndOutline(cr, palette::wood, y0, y1, 1.5);
    }
}

void drawCrate(cairo_t* cr, double x, double y, double size)
{
    roundedRect(cr, x, y, size, size, 3);
    fillAndOutline(cr, palette::wood, y, y + size, 2);
    double inset = size * 0.16;
    cairo_rectangle(cr, x + inset, y + inset, size - 2 * inset, size - 2 * inset);
    cairo_move_to(cr, x + inset, y + inset);
    cairo_line_to(cr, x + size - inset, y + size - inset);
    cairo_move_to(cr, x + size - inset, y + inset);
    cairo_line_to(cr, x + inset, y + size - inset);
    setColor(cr, palette::woodDark);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
}

void drawBarrel(cairo_t* cr, double x, double y, double w, double h)
{
    cairo_move_to(cr, x + w * 0.12, y);
    cairo_line_to(cr, x + w * 0.88, y);
    cairo_curve_to(cr, x + w * 1.08, y + h * 0.3, x + w * 1.08, y + h * 0.7, x + w * 0.88, y + h);
    cairo_line_to(cr, x + w * 0.12, y + h);
    cairo_curve_to(cr, x - w * 0.08, y + h * 0.7, x - w * 0.08, y + h * 0.3, x + w * 0.12, y);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::wood, y, y + h, 2);
    for (double band : {0.22, 0.78}) {
        cairo_move_to(cr, x + w * 0.02, y + h * band);
        cairo_line_to(cr, x + w * 0.98, y + h * band);
    }
    setColor(cr, palette::metalDark);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

void drawMagnet(cairo_t* cr, double cx, double bottom, double size)
{
    double r = size * 0.42;
    double cy = bottom - size + r + 2;
    cairo_set_line_width(cr, size * 0.28);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_move_to(cr, cx - r, bottom);
    cairo_line_to(cr, cx - r, cy);
    cairo_arc(cr, cx, cy, r, M_PI, 2 * M_PI);
    cairo_line_to(cr, cx + r, bottom);
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, size * 0.28 + 4);
    cairo_stroke_preserve(cr);
    setColor(cr, palette::red);
    cairo_set_line_width(cr, size * 0.28);
    cairo_stroke(cr);
    for (double side : {-1.0, 1.0}) {
        cairo_rectangle(cr, cx + side * r - size * 0.14, bottom - size * 0.22, size * 0.28, size * 0.22);
        fillAndOutline(cr, palette::metal, bottom - size * 0.22, bottom, 2);
    }
}

// The game's own bot, a little larger than the board's cells would make it
// (the rig stands a 24-pixel cell) so that it reads from afar.
void drawBot(cairo_t* cr, double cx, double bottom, const bot::Pose& pose, int facing)
{
    cairo_save(cr);
    cairo_translate(cr, cx, bottom);
    cairo_scale(cr, kCell / 20.0, kCell / 20.0);
    bot::drawBot(cr, pose, facing);
    cairo_restore(cr);
}

void drawTeleport(cairo_t* cr, double cx, double bottom, Color color)
{
    double cy = bottom - kCell / 2;
    drawSoftGlow(cr, cx, cy, 22, withAlpha(color, 0.55));
    for (int turn = 0; turn < 3; ++turn) {
        cairo_new_path(cr);
        for (double t = 0; t < 2 * M_PI * 1.6; t += 0.15) {
            double r = 2 + t * 2.2;
            double a = t + turn * 2 * M_PI / 3;
            cairo_line_to(cr, cx + r * cos(a), cy + r * sin(a) * 0.9);
        }
        setColor(cr, lighter(color, 0.5));
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
    }
    ellipsePath(cr, cx, cy, kCell * 0.48, kCell * 0.5);
    strokeOutline(cr, 2.5);
}

void drawExitTube(cairo_t* cr, double x, double bottom)
{
    double w = kCell * 0.9, h = kCell * 2 - 4;
    double top = bottom - h;
    drawSoftGlow(cr, x + w / 2, top + h / 2, 36, withAlpha(kGlassGreen, 0.45));
    roundedRect(cr, x, top, w, h, w / 2);
    setColor(cr, withAlpha(kGlassGreen, 0.45));
    cairo_fill_preserve(cr);
    strokeOutline(cr, 2.5);
    drawHighlight(cr, x + w * 0.32, top + h * 0.35, 3, h * 0.22, 0.7);
    cairo_rectangle(cr, x - 3, bottom - 7, w + 6, 7);
    fillAndOutline(cr, palette::metal, bottom - 7, bottom, 2);
    cairo_rectangle(cr, x - 3, top - 2, w + 6, 7);
    fillAndOutline(cr, palette::metal, top - 2, top + 5, 2);
    cairo_move_to(cr, x + w / 2, top + h * 0.62);
    cairo_line_to(cr, x + w / 2, top + h * 0.3);
    cairo_move_to(cr, x + w / 2 - 6, top + h * 0.4);
    cairo_line_to(cr, x + w / 2, top + h * 0.3);
    cairo_line_to(cr, x + w / 2 + 6, top + h * 0.4);
    setColor(cr, palette::white);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

void drawBoardFrame(cairo_t* cr, const Board& b)
{
    double w = kBoardColumns * kCell, h = kBoardRows * kCell;
    cairo_rectangle(cr, b.x - 6, b.y + h + 14, w + 12, 10);
    setColor(cr, withAlpha(palette::outline, 0.25));
    cairo_fill(cr);
    roundedRect(cr, b.x - 16, b.y - 16, w + 32, h + 32, 10);
    fillAndOutline(cr, palette::wood, b.y - 16, b.y + h + 16, 3);
    cairo_rectangle(cr, b.x, b.y, w, h);
    setColor(cr, kBoardInside);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 3);
    for (int c = 1; c < kBoardColumns; ++c) {
        cairo_move_to(cr, b.cellX(c), b.y);
        cairo_line_to(cr, b.cellX(c), b.y + h);
    }
    for (int r = 1; r < kBoardRows; ++r) {
        cairo_move_to(cr, b.x, b.cellY(r));
        cairo_line_to(cr, b.x + w, b.cellY(r));
    }
    setColor(cr, withAlpha(palette::white, 0.08));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (double bx : {b.x - 8, b.x + w + 8})
        for (double by : {b.y - 8, b.y + h + 8})
            drawBolt(cr, bx, by, 4.5);
}

void drawPuzzleBoard(cairo_t* cr, const Board& b)
{
    drawBoardFrame(cr, b);
    cairo_save(cr);
    cairo_rectangle(cr, b.x, b.y, kBoardColumns * kCell, kBoardRows * kCell);
    cairo_clip(cr);
    drawLadder(cr, b, 6, 3, 6);
    drawPlatform(cr, b, 0, 4, 4);
    drawPlatform(cr, b, 7, 11, 3);
    drawPlatform(cr, b, 0, 11, 7);
    drawCrate(cr, b.cellX(2) + 2, b.cellY(3) + 4, kCell - 4);
    drawCrate(cr, b.cellX(3) + 2, b.cellY(3) + 4, kCell - 4);
    drawTeleport(cr, b.cellX(0.5), b.cellY(4) + 2, palette::blue);
    drawTeleport(cr, b.cellX(11.5), b.cellY(7) + 2, palette::blue);
    drawExitTube(cr, b.cellX(10) + 1, b.cellY(3) + 3);
    drawBarrel(cr, b.cellX(9) + 3, b.cellY(6) + 6, kCell - 6, kCell - 4);
    drawMagnet(cr, b.cellX(2.5), b.cellY(7) + 2, kCell - 4);
    drawBot(cr, b.cellX(5.5), b.cellY(7) + 1, bot::running(0.1), -1);
    drawBot(cr, b.cellX(8.5), b.cellY(3) + 1, bot::standing(), 1);
    cairo_restore(cr);
}

// ---- The professor, standing on the floor and pointing at the board.

void drawLegs(cairo_t* cr, double cx, double hip, double foot)
{
    for (double side : {-1.0, 1.0}) {
        double x = cx + side * 24;
        cairo_rectangle(cr, x - 13, hip, 26, foot - hip - 8);
        fillAndOutline(cr, kTrousers, hip, foot, 3);
        ellipsePath(cr, x + side * 8, foot - 6, 24, 11);
        fillAndOutline(cr, kShoe, foot - 16, foot + 4, 3);
        drawHighlight(cr, x + side * 8 - 6, foot - 10, 8, 3, 0.35);
    }
}

void coatPath(cairo_t* cr, double cx, double shoulder, double hem)
{
    cairo_move_to(cr, cx - 52, shoulder + 8);
    cairo_curve_to(cr, cx - 30, shoulder - 4, cx + 30, shoulder - 4, cx + 52, shoulder + 8);
    cairo_line_to(cr, cx + 74, hem);
    cairo_curve_to(cr, cx + 30, hem + 10, cx - 30, hem + 10, cx - 74, hem);
    cairo_close_path(cr);
}

void drawCoat(cairo_t* cr, double cx, double shoulder, double hem)
{
    coatPath(cr, cx, shoulder, hem);
    fillAndOutline(cr, palette::labCoat, shoulder, hem, 3.5);
    // Shirt and tie showing at the collar.
    cairo_move_to(cr, cx - 22, shoulder);
    cairo_line_to(cr, cx + 22, shoulder);
    cairo_line_to(cr, cx, shoulder + 70);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::sky, shoulder, shoulder + 70, 2.5);
    cairo_move_to(cr, cx - 14, shoulder + 4);
    cairo_line_to(cr, cx + 14, shoulder + 4);
    cairo_line_to(cr, cx + 5, shoulder + 14);
    cairo_line_to(cr, cx + 10, shoulder + 46);
    cairo_line_to(cr, cx, shoulder + 56);
    cairo_line_to(cr, cx - 10, shoulder + 46);
    cairo_line_to(cr, cx - 5, shoulder + 14);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::red, shoulder, shoulder + 56, 2);
    // Lapels, buttons and the pocket with its pens.
    for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, cx + side * 24, shoulder);
        cairo_line_to(cr, cx + side * 6, shoulder + 84);
        cairo_line_to(cr, cx + side * 40, shoulder + 28);
        strokeOutline(cr, 2.5);
    }
    cairo_move_to(cr, cx, shoulder + 84);
    cairo_line_to(cr, cx + 2, hem + 6);
    strokeOutline(cr, 2.5);
    for (int i = 0; i < 3; ++i) {
        ellipsePath(cr, cx - 8, shoulder + 100 + i * 26, 3.5, 3.5);
        fillAndOutline(cr, palette::metal, 0, 1, 1.5);
    }
    Color pens[] = {palette::blue, palette::red};
    for (int i = 0; i < 2; ++i) {
        cairo_rectangle(cr, cx + 30 + i * 8, shoulder + 44, 5, 18);
        fillAndOutline(cr, pens[i], shoulder + 44, shoulder + 62, 1.5);
    }
    cairo_rectangle(cr, cx + 24, shoulder + 56, 28, 24);
    fillAndOutline(cr, palette::labCoat, shoulder + 56, shoulder + 80, 2.5);
}

void sleevePath(cairo_t* cr, double x0, double y0, double x1, double y1, double width)
{
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, width + 7);
    setColor(cr, palette::outline);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, width);
    setColor(cr, palette::labCoat);
    cairo_stroke(cr);
}

void drawHand(cairo_t* cr, double x, double y, double r)
{
    ellipsePath(cr, x, y, r, r * 0.9);
    fillAndOutline(cr, palette::skin, y - r, y + r, 3);
}

void drawArms(cairo_t* cr, double cx, double shoulder)
{
    // Left arm rests, hand at the hip.
    sleevePath(cr, cx - 50, shoulder + 18, cx - 78, shoulder + 130, 30);
    drawHand(cr, cx - 80, shoulder + 146, 14);
    // Right arm raised, the pointer stick reaching towards the board.
    double handX = cx + 120, handY = shoulder - 20;
    cairo_move_to(cr, handX - 4, handY + 6);
    cairo_line_to(cr, handX + 110, handY - 60);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 9);
    setColor(cr, palette::outline);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 5);
    setColor(cr, palette::woodDark);
    cairo_stroke(cr);
    ellipsePath(cr, handX + 110, handY - 60, 5, 5);
    fillAndOutline(cr, palette::red, handY - 65, handY - 55, 2);
    sleevePath(cr, cx + 48, shoulder + 18, handX - 10, handY + 12, 30);
    drawHand(cr, handX, handY, 15);
}

void drawHair(cairo_t* cr, double cx, double cy)
{
    const double tufts[][3] = {
        {-62, 6, 20}, {-66, -18, 18}, {-56, -38, 17}, {-40, -52, 14},
        {62, 6, 20},  {66, -18, 18},  {56, -38, 17},  {40, -52, 14},
    };
    for (const auto& t : tufts) {
        ellipsePath(cr, cx + t[0], cy + t[1], t[2], t[2] * 0.9);
        fillAndOutline(cr, palette::hairWhite, cy + t[1] - t[2], cy + t[1] + t[2], 3);
    }
    // A few wisps standing up from the crown.
    for (double dx : {-10.0, 4.0, 16.0}) {
        cairo_move_to(cr, cx + dx, cy - 58);
        cairo_curve_to(cr, cx + dx - 6, cy - 76, cx + dx + 10, cy - 80, cx + dx + 4, cy - 92);
        strokeOutline(cr, 3);
    }
}

void drawFace(cairo_t* cr, double cx, double cy)
{
    // Ears, head and a shine on the bald crown.
    for (double side : {-1.0, 1.0}) {
        ellipsePath(cr, cx + side * 50, cy + 6, 11, 15);
        fillAndOutline(cr, palette::skin, cy - 9, cy + 21, 3);
    }
    ellipsePath(cr, cx, cy, 52, 60);
    fillAndOutline(cr, palette::skin, cy - 60, cy + 60, 3.5);
    drawHighlight(cr, cx - 14, cy - 40, 16, 8, 0.45);
    // Cheeks.
    for (double side : {-1.0, 1.0})
        drawSoftGlow(cr, cx + side * 30, cy + 22, 13, withAlpha(palette::rubber, 0.45));
    // Round glasses; the eyes look up towards the board.
    for (double side : {-1.0, 1.0}) {
        drawEye(cr, cx + side * 20, cy - 6, 9, 0.8, -0.6);
        ellipsePath(cr, cx + side * 21, cy - 6, 17, 17);
        setColor(cr, kLens);
        cairo_fill_preserve(cr);
        strokeOutline(cr, 3.5);
        drawHighlight(cr, cx + side * 21 - 6, cy - 13, 4, 3, 0.75);
    }
    cairo_move_to(cr, cx - 4, cy - 8);
    cairo_curve_to(cr, cx - 2, cy - 12, cx + 2, cy - 12, cx + 4, cy - 8);
    strokeOutline(cr, 3);
    // Eyebrows, raised in delight.
    for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, cx + side * 8, cy - 30);
        cairo_curve_to(cr, cx + side * 16, cy - 40, cx + side * 30, cy - 40, cx + side * 38, cy - 30);
        setColor(cr, palette::outline);
        cairo_set_line_width(cr, 8);
        cairo_stroke_preserve(cr);
        setColor(cr, palette::hairWhite);
        cairo_set_line_width(cr, 4.5);
        cairo_stroke(cr);
    }
    // Nose, smile and the big moustache.
    ellipsePath(cr, cx, cy + 14, 11, 10);
    fillAndOutline(cr, darker(palette::skin, 0.05), cy + 4, cy + 24, 3);
    cairo_move_to(cr, cx - 18, cy + 38);
    cairo_curve_to(cr, cx - 8, cy + 52, cx + 8, cy + 52, cx + 18, cy + 38);
    cairo_close_path(cr);
    fillAndOutline(cr, darker(palette::rubber, 0.35), cy + 38, cy + 52, 3);
    cairo_move_to(cr, cx, cy + 24);
    cairo_curve_to(cr, cx - 14, cy + 18, cx - 34, cy + 24, cx - 40, cy + 40);
    cairo_curve_to(cr, cx - 26, cy + 34, cx - 12, cy + 38, cx, cy + 32);
    cairo_curve_to(cr, cx + 12, cy + 38, cx + 26, cy + 34, cx + 40, cy + 40);
    cairo_curve_to(cr, cx + 34, cy + 24, cx + 14, cy + 18, cx, cy + 24);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::hairWhite, cy + 18, cy + 40, 3);
}

void drawProfessor(cairo_t* cr, double cx, double foot)
{
    ellipsePath(cr, cx, foot, 100, 14);
    setColor(cr, withAlpha(palette::outline, 0.25));
    cairo_fill(cr);
    double shoulder = foot - 250, hip = foot - 110;
    drawLegs(cr, cx, hip, foot);
    drawCoat(cr, cx, shoulder, hip + 20);
    drawArms(cr, cx, shoulder);
    drawHair(cr, cx, shoulder - 62);
    drawFace(cr, cx, shoulder - 62);
}

// ---- Title and the loading panel.

void drawTitle(cairo_t* cr)
{
    const char* title = "Corvelle";
    cairo_font_face_t* bold = quicksand(FontWeight::Bold);
    drawSoftGlow(cr, 400, 78, 260, withAlpha(palette::white, 0.45));
    cairo_save(cr);
    cairo_translate(cr, 5, 6);
    centredTextPath(cr, bold, 118, title, 400, 118);
    setColor(cr, withAlpha(palette::outline, 0.35));
    cairo_fill(cr);
    cairo_restore(cr);
    centredTextPath(cr, bold, 118, title, 400, 118);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 12);
    setColor(cr, palette::outline);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* gold = cairo_pattern_create_linear(0, 35, 0, 122);
    cairo_pattern_add_color_stop_rgb(gold, 0, 1.00, 0.93, 0.45);
    cairo_pattern_add_color_stop_rgb(gold, 0.5, palette::yellow.r, palette::yellow.g, palette::yellow.b);
    cairo_pattern_add_color_stop_rgb(gold, 1, 0.96, 0.52, 0.12);
    cairo_set_source(cr, gold);
    cairo_fill(cr);
    cairo_pattern_destroy(gold);

    centredTextPath(cr, quicksand(FontWeight::Bold), 26, "the professor's puzzle laboratory", 400, 158);
    setColor(cr, darker(palette::woodDark, 0.25));
    cairo_fill(cr);
}

void drawLoadingPanel(cairo_t* cr)
{
    double x = 232, y = kBarY - 17, w = 548, h = kBarHeight + 34;
    roundedRect(cr, x + 4, y + 6, w, h, 14);
    setColor(cr, withAlpha(palette::outline, 0.3));
    cairo_fill(cr);
    roundedRect(cr, x, y, w, h, 14);
    fillAndOutline(cr, kBrass, y, y + h, 3.5);
    for (double bx : {x + 12, x + w - 12})
        drawBolt(cr, bx, y + h / 2, 4.5);
    cairo_set_font_face(cr, quicksand(FontWeight::Bold));
    cairo_set_font_size(cr, 24);
    cairo_move_to(cr, x + 26, kBarY + kBarHeight - 1);
    cairo_text_path(cr, "Loading");
    setColor(cr, darker(palette::woodDark, 0.3));
    cairo_fill(cr);
    // The slot the bar fills.
    roundedRect(cr, kBarX - 4, kBarY - 4, kBarWidth + 8, kBarHeight + 8, 9);
    setColor(cr, darker(kBoardInside, 0.3));
    cairo_fill_preserve(cr);
    strokeOutline(cr, 2.5);
}

void drawLoadingPicture(cairo_t* cr)
{
    drawWall(cr);
    drawLampGlow(cr, 120);
    drawLampGlow(cr, 690);
    drawFloor(cr);
    drawBench(cr, 246, 440, 118);
    drawFlask(cr, 272, 440, 17, palette::grass);
    drawFlask(cr, 312, 440, 13, palette::rubber);
    drawFlask(cr, 343, 440, 10, palette::blue);
    drawPuzzleBoard(cr, Board{392, 198});
    drawProfessor(cr, 150, 560);
    drawTitle(cr);
    drawLoadingPanel(cr);
}

// ---- The loading bar: green with light stripes, opaque across its middle
// row so that a partly drawn bar always shows.

void drawLoadingBar(cairo_t* cr)
{
    roundedRect(cr, 0, 0, kBarWidth, kBarHeight, 6);
    fillShaded(cr, kBarGreen, 0, kBarHeight);
    cairo_save(cr);
    cairo_clip(cr);
    for (double x = -kBarHeight; x < kBarWidth; x += 22) {
        cairo_move_to(cr, x, kBarHeight);
        cairo_line_to(cr, x + 10, kBarHeight);
        cairo_line_to(cr, x + 10 + kBarHeight, 0);
        cairo_line_to(cr, x + kBarHeight, 0);
        cairo_close_path(cr);
    }
    setColor(cr, withAlpha(palette::white, 0.18));
    cairo_fill(cr);
    roundedRect(cr, 3, 2, kBarWidth - 6, kBarHeight * 0.35, 4);
    setColor(cr, withAlpha(palette::white, 0.35));
    cairo_fill(cr);
    cairo_restore(cr);
    roundedRect(cr, 0.75, 0.75, kBarWidth - 1.5, kBarHeight - 1.5, 6);
    setColor(cr, darker(kBarGreen, 0.45));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// ---- The window icon: the professor's face. The icon format has no alpha,
// so the face is drawn apart and then set onto magenta, the colour the game
// makes transparent, without soft edges that would fringe pink.

void drawIconFace(cairo_t* cr)
{
    // The head with its hair spans about 176 units around (75, 67).
    cairo_translate(cr, 16, 16);
    cairo_scale(cr, 32.0 / 176, 32.0 / 176);
    cairo_translate(cr, -75, -67);
    drawHair(cr, 75, 82);
    drawFace(cr, 75, 82);
}

void drawIcon(cairo_t* cr)
{
    cairo_surface_t* face = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 32, 32);
    cairo_t* faceCr = cairo_create(face);
    drawIconFace(faceCr);
    cairo_destroy(faceCr);
    cairo_surface_flush(face);
    cairo_surface_t* target = cairo_get_target(cr);
    cairo_surface_flush(target);
    const unsigned char* from = cairo_image_surface_get_data(face);
    unsigned char* to = cairo_image_surface_get_data(target);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            uint32_t pixel = reinterpret_cast<const uint32_t*>(from + y * cairo_image_surface_get_stride(face))[x];
            uint32_t alpha = pixel >> 24;
            uint32_t out = 0xFFFF00FFu;
            if (alpha >= 128) {
                uint32_t r = ((pixel >> 16) & 0xFF) * 255 / alpha;
                uint32_t g = ((pixel >> 8) & 0xFF) * 255 / alpha;
                uint32_t b = (pixel & 0xFF) * 255 / alpha;
                out = 0xFF000000u | r << 16 | g << 8 | b;
            }
            reinterpret_cast<uint32_t*>(to + y * cairo_image_surface_get_stride(target))[x] = out;
        }
    cairo_surface_mark_dirty(target);
    cairo_surface_destroy(face);
}

void registerStartup(Registry& registry, const char* family)
{
    addStandalonePicture(registry, family, "loading.jpg", 800, 600, drawLoadingPicture);
    addStandalonePicture(registry, family, "loadingbar.png", kBarWidth, kBarHeight, drawLoadingBar);
    addStandalonePicture(registry, family, "icon.bmp", 32, 32, drawIcon);
}

FamilyRegistration startup("startup", registerStartup);

} // namespace
