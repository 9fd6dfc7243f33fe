#pragma once

// The pieces the story pictures are made of: panels (a scene with its words
// on a strip below), snapshot cards pinned to a journal page, the pages
// themselves, and the scene parts: the game's own characters from their
// rigs, the game's board pictures scaled up as props, and the island's
// scenery.

#include "../Style.h"
#include "BotRig.h"
#include "ProfessorRig.h"

#include <cairo.h>

#include <functional>
#include <string>

namespace story {

// A scene fills the box (0, 0, w, h).
using Scene = std::function<void(cairo_t*, double w, double h)>;

// Words in the game's face, wrapped into the box; the size shrinks until
// every line fits. Returns false when even the smallest size does not fit.
bool drawWrapped(cairo_t* cr, const std::string& text, double x, double y, double w, double h, double size,
                 Color ink, bool bold = false, bool centred = true);

// A framed picture: the scene above, the words on a paper strip along the
// bottom (no strip when the words are empty).
void drawPanel(cairo_t* cr, double w, double h, const Scene& scene, const std::string& words);

// A snapshot pinned to the page, slightly tilted: the scene in its window,
// a heading (may be empty) and the words below. Transparent around it.
void drawCard(cairo_t* cr, double w, double h, double tilt, const std::string& heading, const Scene& scene,
              const std::string& words);

// A journal page with a ragged edge, transparent around it; the heading
// (may be empty) is written at the top left.
void drawPage(cairo_t* cr, double w, double h, uint32_t seed, const std::string& heading);

// A ribbon with a title, and a paper note with handwriting-like words.
void drawRibbon(cairo_t* cr, double w, double h, const std::string& title);
void drawNote(cairo_t* cr, double w, double h, double tilt, const std::string& words);

// ---- scene parts ----------------------------------------------------------
void fillSky(cairo_t* cr, double w, double h, Color top, Color bottom);
void drawSea(cairo_t* cr, double w, double h, double horizon);
void drawGround(cairo_t* cr, double w, double h, double top, Color body, Color rim);
// A registered 800 x 600 picture scaled by zoom about its point (fx, fy),
// which lands on the scene's centre.
void drawBackdrop(cairo_t* cr, double w, double h, const std::string& picture, double zoom, double fx, double fy);
// The characters, feet at (x, floor), their rig's units scaled.
void drawProf(cairo_t* cr, double x, double floor, double scale, const professor::Pose& pose, int facing);
void drawBotAt(cairo_t* cr, double x, double floor, double scale, const bot::Pose& pose, int facing);
// A registered picture's visible part, scaled to the height, its bottom
// centre at (cx, bottom); mirrored when asked.
void drawProp(cairo_t* cr, const std::string& picture, double cx, double bottom, double height, bool mirror = false);
void drawBoat(cairo_t* cr, double cx, double waterY, double scale);
void drawHut(cairo_t* cr, double cx, double groundY, double scale);
void drawCaveMouth(cairo_t* cr, double w, double h);
void drawStars(cairo_t* cr, double w, double h, uint32_t seed);
void drawFootprints(cairo_t* cr, double x0, double y0, double x1, double y1, int count);
void drawSpeech(cairo_t* cr, double x, double y, double w, double h, double tailX, double tailY,
                const std::string& words);

} // namespace story
