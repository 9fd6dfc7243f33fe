// The story between the chapters: the professor's adventure on the island
// of the map, from the landing (story 0, two pages) through ten journal
// pages (stories 1 to 10, three pinned snapshots each) to the end (story 11,
// two pages). The words are part of the pictures.
#include "../Registry.h"
#include "Lettering.h"
#include "ArtKit.h"
#include "Scenery.h"
#include "StoryKit.h"

#include <cmath>
#include <string>

namespace {

using namespace story;
namespace pr = professor;

// ---- poses ------------------------------------------------------------------

pr::Pose prof(double turn = 1)
{
    return pr::standing(turn);
}

pr::Pose profWalking(double phase) { return pr::walking(phase, 1); }

pr::Pose profSurprised(double turn = 1)
{
    pr::Pose p = pr::standing(turn);
    p.eyes = pr::Eyes::Wide;
    p.mouth = pr::Mouth::Open;
    p.brows = 1;
    p.hairLift = 0.5;
    p.armA = -0.9;
    p.armB = 0.9;
    p.elbowA = -0.8;
    p.elbowB = 0.8;
    return p;
}

pr::Pose profHappy(double turn = 1)
{
    pr::Pose p = pr::standing(turn);
    p.eyes = pr::Eyes::Happy;
    p.mouth = pr::Mouth::Grin;
    p.brows = 0.5;
    return p;
}

pr::Pose profCheering()
{
    pr::Pose p = profHappy(0);
    p.armA = -2.6;
    p.armB = 2.6;
    p.elbowA = 0.2;
    p.elbowB = -0.2;
    return p;
}

pr::Pose profPointing()
{
    pr::Pose p = pr::standing(1);
    p.armB = 1.7;
    p.elbowB = 0.1;
    p.mouth = pr::Mouth::Open;
    p.brows = 0.6;
    return p;
}

pr::Pose profHolding(pr::Prop prop, double value = 0.5)
{
    pr::Pose p = pr::standing(1);
    p.armB = 1.2;
    p.elbowB = 0.5;
    p.prop = prop;
    p.propValue = value;
    p.brows = 0.3;
    return p;
}

pr::Pose profRunning(double phase)
{
    pr::Pose p = pr::walking(phase, 1);
    p.lean = 0.3;
    p.eyes = pr::Eyes::Wide;
    p.mouth = pr::Mouth::Shout;
    p.coatFlare = 0.7;
    p.hairLift = 0.4;
    return p;
}

pr::Pose profPushing()
{
    pr::Pose p = pr::walking(0.25, 1);
    p.lean = 0.45;
    p.armA = 1.4;
    p.armB = 1.5;
    p.elbowA = 0.3;
    p.elbowB = 0.3;
    p.mouth = pr::Mouth::Puffed;
    p.eyes = pr::Eyes::Squint;
    return p;
}

bot::Pose botAwake() { return bot::standing(); }

bot::Pose botAngry()
{
    bot::Pose p = bot::running(0.2);
    p.eye = bot::Eye::Wide;
    p.glow = 1;
    p.earLift = 0.6;
    return p;
}

bot::Pose botHappy()
{
    bot::Pose p = bot::standing();
    p.eye = bot::Eye::Happy;
    p.earLift = 0.5;
    p.armA = -2.4;
    p.armB = 2.4;
    return p;
}

bot::Pose botSleeping()
{
    bot::Pose p = bot::standing();
    p.eye = bot::Eye::Closed;
    p.wrap = 1;
    p.glow = 0;
    return p;
}

bot::Pose botStunned()
{
    bot::Pose p = bot::standing();
    p.eye = bot::Eye::Spiral;
    p.earLift = -0.6;
    p.glow = 0.1;
    return p;
}

// A bot hanging asleep from the ceiling at (x, top).
void hangingBot(cairo_t* cr, double x, double top, double scale)
{
    cairo_save(cr);
    cairo_translate(cr, x, top);
    cairo_rotate(cr, M_PI);
    drawBotAt(cr, 0, 0, scale, botSleeping(), 1);
    cairo_restore(cr);
}

// ---- stock scenes ---------------------------------------------------------

constexpr Color daySkyTop{0.42, 0.70, 0.94};
constexpr Color daySkyLow{0.84, 0.93, 0.98};
constexpr Color sandColor{0.93, 0.81, 0.52};
constexpr Color grassColor{0.36, 0.66, 0.28};

void beach(cairo_t* cr, double w, double h, double shore)
{
    fillSky(cr, w, h, daySkyTop, daySkyLow);
    drawSea(cr, w, h, h * 0.45);
    drawGround(cr, w, h, shore, sandColor, darker(sandColor, 0.15));
}

void jungle(cairo_t* cr, double w, double h, double floor)
{
    drawBackdrop(cr, w, h, "background1.jpg", std::max(w / 800, h / 600) * 1.4, 400, 330);
    drawPalm(cr, w * 0.1, floor, w * 0.16, floor - h * 0.7, h * 0.3, 11);
    drawPalm(cr, w * 0.92, floor, w * 0.84, floor - h * 0.65, h * 0.28, 12);
    drawGround(cr, w, h, floor, grassColor, darker(grassColor, 0.3));
}

void cave(cairo_t* cr, double w, double h, double floor)
{
    drawCaveMouth(cr, w, h);
    drawGround(cr, w, h, floor, Color{0.40, 0.34, 0.30}, Color{0.28, 0.23, 0.20});
}

void volcanoInside(cairo_t* cr, double w, double h, double floor)
{
    drawBackdrop(cr, w, h, "background4.jpg", std::max(w / 800, h / 600) * 1.3, 400, 320);
    drawGround(cr, w, h, floor, Color{0.36, 0.26, 0.24}, Color{0.95, 0.45, 0.12});
}

void workshop(cairo_t* cr, double w, double h, double floor)
{
    drawBackdrop(cr, w, h, "background6.jpg", std::max(w / 800, h / 600) * 1.3, 400, 320);
    drawGround(cr, w, h, floor, Color{0.50, 0.46, 0.42}, Color{0.32, 0.30, 0.28});
}

void islandView(cairo_t* cr, double w, double h, double zoom)
{
    drawBackdrop(cr, w, h, "mainmenu_background.jpg", zoom, 470, 260);
}

// The big machine inside the volcano that builds the bots.
void drawMachine(cairo_t* cr, double cx, double floor, double scale, bool friendly)
{
    cairo_save(cr);
    cairo_translate(cr, cx, floor);
    cairo_scale(cr, scale, scale);
    roundedRect(cr, -60, -110, 120, 110, 10);
    fillAndOutline(cr, palette::metalDark, -110, 0, 2);
    roundedRect(cr, -44, -96, 88, 40, 6);
    fillAndOutline(cr, palette::metal, -96, -56, 1.5);
    for (int i = 0; i < 3; ++i) {
        double x = -26 + i * 26;
        Color lamp = friendly ? palette::blue : palette::botEye;
        drawSoftGlow(cr, x, -76, 12, withAlpha(lamp, 0.6));
        ellipsePath(cr, x, -76, 7, 7);
        fillAndOutline(cr, lamp, -83, -69, 1.2);
    }
    for (double x : {-40.0, 40.0}) {
        ellipsePath(cr, x, -30, 12, 12);
        fillAndOutline(cr, palette::metal, -42, -18, 1.5);
        drawBolt(cr, x, -30, 4);
    }
    // The chute the new bots come out of.
    roundedRect(cr, -16, -40, 32, 40, 4);
    fillAndOutline(cr, Color{0.20, 0.20, 0.22}, -40, 0, 1.5);
    // Pipes to the ceiling.
    for (double x : {-50.0, 50.0}) {
        cairo_rectangle(cr, x - 5, -170, 10, 62);
        fillAndOutline(cr, palette::metal, -170, -108, 1.3);
    }
    cairo_restore(cr);
}

void drawLever(cairo_t* cr, double x, double floor, double scale, double angle, bool play)
{
    cairo_save(cr);
    cairo_translate(cr, x, floor);
    cairo_scale(cr, scale, scale);
    roundedRect(cr, -22, -30, 44, 30, 4);
    fillAndOutline(cr, palette::metalDark, -30, 0, 1.4);
    Lettering label;
    label.size = 7;
    label.outlineWidth = 0;
    label.fill = play ? Color{0.5, 1.0, 0.5} : Color{1.0, 0.5, 0.4};
    drawCenteredText(cr, play ? "PLAY" : "CHASE", -20, -12, 40, 10, label);
    cairo_save(cr);
    cairo_translate(cr, 0, -24);
    cairo_rotate(cr, angle);
    cairo_rectangle(cr, -2, -34, 4, 34);
    fillAndOutline(cr, palette::metal, -34, 0, 1.2);
    ellipsePath(cr, 0, -36, 6, 6);
    fillAndOutline(cr, palette::red, -42, -30, 1.2);
    cairo_restore(cr);
    cairo_restore(cr);
}

// ---- story 0: the landing --------------------------------------------------

void registerLanding(Registry& r, const char* family)
{
    addPicture(r, family, "story_A1_a.tga", 680, 490, [](cairo_t* cr) { drawPage(cr, 680, 490, 101, ""); });
    addPicture(r, family, "story_A1_d.png", 330, 44, [](cairo_t* cr) { drawRibbon(cr, 330, 44, "The Landing"); });
    addPicture(r, family, "story_A1_b.jpg", 380, 236, [](cairo_t* page) {
        drawPanel(page, 380, 236, [](cairo_t* cr, double w, double h) {
            fillSky(cr, w, h, Color{0.30, 0.34, 0.52}, Color{0.78, 0.70, 0.70});
            drawCloud(cr, 10, 30, 150, 50, 5, 0.8);
            drawSea(cr, w, h, h * 0.62);
            cairo_save(cr);
            cairo_translate(cr, w * 0.72, h * 0.62);
            drawVolcano(cr, 0, -46, 46);
            cairo_restore(cr);
            drawBoat(cr, w * 0.3, h * 0.86, 1.1);
            drawProf(cr, w * 0.3 - 14, h * 0.86 - 8, 1.7, profPointing(), 1);
        }, "A storm blew the professor's little boat far off course, towards an island no chart had ever shown.");
    });
    addPicture(r, family, "story_A1_c.jpg", 405, 175, [](cairo_t* page) {
        drawPanel(page, 405, 175, [](cairo_t* cr, double w, double h) {
            beach(cr, w, h, h * 0.72);
            drawBoat(cr, w * 0.22, h * 0.76, 0.9);
            drawPalm(cr, w * 0.86, h * 0.74, w * 0.8, h * 0.1, 50, 3);
            drawProf(cr, w * 0.52, h * 0.92, 2.3, profWalking(0.3), 1);
        }, "At dawn he waded ashore with his bag of gadgets.");
    });
    addPicture(r, family, "story_A1_e.jpg", 205, 222, [](cairo_t* page) {
        drawPanel(page, 205, 222, [](cairo_t* cr, double w, double h) {
            cairo_rectangle(cr, 0, 0, w, h);
            setColor(cr, sandColor);
            cairo_fill(cr);
            drawFootprints(cr, 10, h - 10, w - 20, 20, 9);
            drawProf(cr, w * 0.3, h * 0.98, 2.2, profHolding(pr::Prop::Magnifier), 1);
        }, "Odd tracks crossed the sand: little metal feet!");
    });
    addPicture(r, family, "story_A1_f.jpg", 215, 220, [](cairo_t* page) {
        drawPanel(page, 215, 220, [](cairo_t* cr, double w, double h) {
            jungle(cr, w, h, h * 0.85);
            drawProp(cr, "tubeexit0.png", w * 0.6, h * 0.87, h * 0.62);
            drawProf(cr, w * 0.25, h * 0.9, 2.0, profSurprised(1), 1);
        }, "Old brass tubes stood among the palms, humming softly.");
    });

    addPicture(r, family, "story_A2_a.tga", 782, 490, [](cairo_t* cr) { drawPage(cr, 782, 490, 102, ""); });
    addPicture(r, family, "story_A2_b.jpg", 440, 215, [](cairo_t* page) {
        drawPanel(page, 440, 215, [](cairo_t* cr, double w, double h) {
            beach(cr, w, h, h * 0.75);
            drawHut(cr, w * 0.68, h * 0.8, 1.5);
            drawProp(cr, "cratestill0.tga", w * 0.42, h * 0.86, 34);
            drawProp(cr, "cratestill0.tga", w * 0.9, h * 0.86, 30);
            drawProf(cr, w * 0.5, h * 0.9, 2.0, profPushing(), 1);
        }, "From driftwood and washed-up crates he built a little laboratory by the beach.");
    });
    addPicture(r, family, "story_A2_d.jpg", 140, 105, [](cairo_t* page) {
        drawPanel(page, 140, 105, [](cairo_t* cr, double w, double h) {
            fillSky(cr, w, h, Color{0.05, 0.08, 0.16}, Color{0.10, 0.16, 0.20});
            drawStars(cr, w, h * 0.4, 9);
            drawFrond(cr, -10, h * 0.3, 0.3, 90, 26, 0.4, darker(grassColor, 0.5));
            drawFrond(cr, w + 10, h * 0.5, M_PI - 0.3, 90, 26, 0.4, darker(grassColor, 0.55));
            drawSoftGlow(cr, w * 0.55, h * 0.55, 16, withAlpha(palette::botEye, 0.7));
            ellipsePath(cr, w * 0.55, h * 0.55, 5, 5);
            setColor(cr, palette::botEye);
            cairo_fill(cr);
        }, "Someone was watching...");
    });
    addPicture(r, family, "story_A2_c.jpg", 180, 180, [](cairo_t* page) {
        drawPanel(page, 180, 180, [](cairo_t* cr, double w, double h) {
            cave(cr, w, h, h * 0.9);
            hangingBot(cr, w * 0.3, 12, 1.6);
            hangingBot(cr, w * 0.62, 8, 1.8);
            hangingBot(cr, w * 0.86, 14, 1.4);
        }, "In a cave hung round metal bots, asleep like bats.");
    });
    addPicture(r, family, "story_A2_f.png", 200, 64,
               [](cairo_t* cr) { drawNote(cr, 200, 64, -0.05, "Note to self: do NOT wake them."); });
    addPicture(r, family, "story_A2_e.jpg", 250, 462, [](cairo_t* page) {
        drawPanel(page, 250, 462, [](cairo_t* cr, double w, double h) {
            cave(cr, w, h, h * 0.55);
            drawBotAt(cr, w * 0.32, h * 0.55, 2.6, botAngry(), 1);
            drawSpeech(cr, w * 0.44, 40, 110, 44, w * 0.45, 100, "BEEP?!");
            // Below: the chase to the tube.
            cairo_rectangle(cr, 0, h * 0.58, w, h * 0.42);
            setColor(cr, Color{0.36, 0.66, 0.28});
            cairo_fill(cr);
            drawBackdrop(cr, w, h * 0.42 * 2 + h * 0.58 * 2, "background1.jpg", 0.55, 400, 300);
            cairo_save(cr);
            cairo_rectangle(cr, 0, h * 0.58, w, h * 0.42);
            cairo_clip(cr);
            jungle(cr, w, h, h * 0.96);
            drawProp(cr, "tubeexit0.png", w * 0.85, h * 0.97, h * 0.2);
            drawProf(cr, w * 0.5, h * 0.97, 2.0, profRunning(0.2), 1);
            drawBotAt(cr, w * 0.14, h * 0.97, 1.8, botAngry(), 1);
            cairo_restore(cr);
            cairo_move_to(cr, 0, h * 0.58);
            cairo_line_to(cr, w, h * 0.58);
            setColor(cr, Color{0.34, 0.21, 0.10});
            cairo_set_line_width(cr, 3);
            cairo_stroke(cr);
        }, "One opened a red eye... and the chase was on! The humming tubes were the only way out.");
    });
    addPicture(r, family, "story_A2_g.jpg", 225, 205, [](cairo_t* page) {
        drawPanel(page, 225, 205, [](cairo_t* cr, double w, double h) {
            islandView(cr, w, h, 0.5);
        }, "Every trail led on across the island, towards the smoking volcano.");
    });
}

// ---- stories 1 to 10: journal pages ----------------------------------------

struct Snapshot {
    std::string heading;
    story::Scene scene;
    std::string words;
};

struct Chapter {
    Snapshot a, b, c;
};

// Card sizes of the two page designs, in the order a, b, c.
struct CardSize {
    int w, h;
    double tilt;
};
constexpr CardSize ODD_CARDS[3] = {{200, 208, -0.04}, {204, 222, 0.03}, {202, 216, -0.02}};
constexpr CardSize EVEN_CARDS[3] = {{212, 232, 0.03}, {206, 206, -0.03}, {202, 226, 0.04}};

std::string chapterHeading(int storyNumber)
{
    const char* names[] = {"", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine", "Ten", "Eleven"};
    return std::string("Chapter ") + names[storyNumber];
}

Chapter chapter(int n)
{
    switch (n) {
    case 1:
        return {{"", [](cairo_t* cr, double w, double h) {
                     beach(cr, w, h, h * 0.8);
                     drawProp(cr, "cratestill0.tga", w * 0.65, h * 0.84, h * 0.34);
                     drawProf(cr, w * 0.4, h * 0.88, 1.9, profPushing(), 1);
                 }, "Cargo crates lay all along the beach."},
                {"", [](cairo_t* cr, double w, double h) {
                     beach(cr, w, h, h * 0.8);
                     drawProp(cr, "cratestill0.tga", w * 0.5, h * 0.84, h * 0.34);
                     drawBotAt(cr, w * 0.78, h * 0.86, 1.6, botAngry(), -1);
                     drawProf(cr, w * 0.2, h * 0.88, 1.8, profHappy(1), 1);
                 }, "A crate in the right place keeps a bot at bay."},
                {"", [](cairo_t* cr, double w, double h) {
                     beach(cr, w, h, h * 0.86);
                     drawProp(cr, "cratestill0.tga", w * 0.5, h * 0.9, h * 0.28);
                     drawProp(cr, "cratestill0.tga", w * 0.5, h * 0.62, h * 0.28);
                     drawProf(cr, w * 0.5, h * 0.34, 1.5, profCheering(), 1);
                 }, "Stacked up, crates make fine steps too!"}};
    case 2:
        return {{"", [](cairo_t* cr, double w, double h) {
                     jungle(cr, w, h, h * 0.82);
                     drawProp(cr, "barrel0.tga", w * 0.6, h * 0.84, h * 0.3);
                     figure::motionLines(cr, w * 0.4, h * 0.7, 20, 3, 6, 0.8);
                     drawProf(cr, w * 0.22, h * 0.88, 1.8, profPointing(), 1);
                 }, "Barrels roll on until something stops them."},
                {"", [](cairo_t* cr, double w, double h) {
                     workshop(cr, w, h, h * 0.82);
                     drawProp(cr, "buttonblue0.tga", w * 0.2, h * 0.84, h * 0.12);
                     drawProp(cr, "buttonred0.tga", w * 0.5, h * 0.84, h * 0.12);
                     drawProp(cr, "buttonyellow0.tga", w * 0.8, h * 0.84, h * 0.12);
                 }, "Blue, red and yellow buttons open the gates of their colour."},
                {"", [](cairo_t* cr, double w, double h) {
                     workshop(cr, w, h, h * 0.84);
                     drawBotAt(cr, w * 0.25, h * 0.86, 1.7, botAngry(), 1);
                     drawProp(cr, "gatefrontclose0.tga", w * 0.55, h * 0.86, h * 0.6);
                     drawProf(cr, w * 0.8, h * 0.88, 1.7, profHappy(0), -1);
                 }, "Shut behind a gate, a bot can only grumble."}};
    case 3:
        return {{"", [](cairo_t* cr, double w, double h) {
                     workshop(cr, w, h, h * 0.82);
                     drawProp(cr, "magnetleftstill0.tga", w * 0.3, h * 0.84, h * 0.34);
                     drawProp(cr, "metalcratestill0.tga", w * 0.72, h * 0.84, h * 0.3);
                 }, "In a ruined workshop: magnets, still strong after all these years."},
                {"", [](cairo_t* cr, double w, double h) {
                     workshop(cr, w, h, h * 0.82);
                     drawProp(cr, "magnetleftstill0.tga", w * 0.25, h * 0.84, h * 0.34);
                     bot::Pose pulled = botStunned();
                     pulled.spin = -0.4;
                     drawBotAt(cr, w * 0.6, h * 0.8, 1.6, pulled, -1);
                     figure::motionLines(cr, w * 0.75, h * 0.6, 18, 3, 6, 0.8);
                 }, "They pull metal things... bots included!"},
                {"", [](cairo_t* cr, double w, double h) {
                     workshop(cr, w, h, h * 0.84);
                     drawProf(cr, w * 0.5, h * 0.9, 1.9, profHolding(pr::Prop::Magnifier), 1);
                     drawSpeech(cr, w * 0.55, 6, w * 0.4, 30, w * 0.56, 40, "Who?");
                 }, "Someone built all this long ago. But who?"}};
    case 4:
        return {{"", [](cairo_t* cr, double w, double h) {
                     jungle(cr, w, h, h * 0.82);
                     cairo_rectangle(cr, w * 0.35, h * 0.78, w * 0.3, h * 0.3);
                     setColor(cr, Color{0.20, 0.44, 0.66});
                     cairo_fill(cr);
                     drawProf(cr, w * 0.22, h * 0.86, 1.7, profSurprised(1), 1);
                 }, "Deep in the jungle the paths were broken..."},
                {"", [](cairo_t* cr, double w, double h) {
                     jungle(cr, w, h, h * 0.86);
                     drawProp(cr, "editortrampoline.tga", w * 0.3, h * 0.88, h * 0.3);
                     pr::Pose flying = profCheering();
                     flying.coatFlare = 1;
                     drawProf(cr, w * 0.64, h * 0.5, 1.6, flying, 1);
                     figure::motionLines(cr, w * 0.42, h * 0.5, 16, 3, 6, 0.8);
                 }, "...but springy trampolines carried him across."},
                {"", [](cairo_t* cr, double w, double h) {
                     jungle(cr, w, h, h * 0.84);
                     drawBotAt(cr, w * 0.25, h * 0.88, 1.5, botAngry(), 1);
                     drawBotAt(cr, w * 0.5, h * 0.88, 1.6, bot::running(0.6), 1);
                     drawBotAt(cr, w * 0.78, h * 0.88, 1.4, botAwake(), -1);
                 }, "All over the island, the bots were waking up."}};
    case 5:
        return {{"", [](cairo_t* cr, double w, double h) {
                     jungle(cr, w, h, h * 0.86);
                     drawProp(cr, "teleport_frameblue0.png", w * 0.2, h * 0.88, h * 0.5);
                     drawProp(cr, "teleport_frameyellow0.png", w * 0.5, h * 0.88, h * 0.5);
                     drawProp(cr, "teleport_framered0.png", w * 0.8, h * 0.88, h * 0.5);
                 }, "Teleports, in pairs: blue, yellow and red."},
                {"", [](cairo_t* cr, double w, double h) {
                     jungle(cr, w, h, h * 0.86);
                     drawProp(cr, "teleport_spiralblue0.png", w * 0.28, h * 0.8, h * 0.5);
                     drawProp(cr, "teleport_frameblue0.png", w * 0.28, h * 0.88, h * 0.5);
                     drawProp(cr, "teleport_frameblue0.png", w * 0.74, h * 0.88, h * 0.5);
                     drawProf(cr, w * 0.74, h * 0.86, 1.5, profHappy(0), 1);
                 }, "Step into one, step out of its twin."},
                {"", [](cairo_t* cr, double w, double h) { islandView(cr, w, h, 0.45); },
                 "They all pointed towards the volcano."}};
    case 6:
        return {{"", [](cairo_t* cr, double w, double h) {
                     workshop(cr, w, h, h * 0.84);
                     drawProf(cr, w * 0.4, h * 0.9, 1.9, profHolding(pr::Prop::Inflator, 0.6), 1);
                 }, "In a storeroom he found an inflator..."},
                {"", [](cairo_t* cr, double w, double h) {
                     jungle(cr, w, h, h * 0.84);
                     drawProp(cr, "crateinflatablestill0.tga", w * 0.3, h * 0.86, h * 0.34);
                     drawProp(cr, "barrelinflatable0.tga", w * 0.72, h * 0.86, h * 0.3);
                 }, "...which blows up crates, barrels and bridges out of thin air."},
                {"", [](cairo_t* cr, double w, double h) {
                     jungle(cr, w, h, h * 0.84);
                     drawProp(cr, "crateinflatablestill0.tga", w * 0.55, h * 0.86, h * 0.34);
                     bot::Pose puzzled = botAwake();
                     puzzled.eye = bot::Eye::Wide;
                     puzzled.earLift = 0.8;
                     drawBotAt(cr, w * 0.25, h * 0.88, 1.6, puzzled, 1);
                     drawSpeech(cr, w * 0.05, 4, 46, 28, w * 0.22, 40, "?");
                 }, "The bots had never seen anything like it."}};
    case 7:
        return {{"", [](cairo_t* cr, double w, double h) {
                     drawBackdrop(cr, w, h, "background3.jpg", 0.5, 400, 300);
                     drawProp(cr, "botfrozen.png", w * 0.65, h * 0.86, h * 0.45);
                     drawProf(cr, w * 0.25, h * 0.88, 1.7, profHolding(pr::Prop::FrostGun, 0.6), 1);
                 }, "The frost gun locks a bot in a block of ice."},
                {"", [](cairo_t* cr, double w, double h) {
                     volcanoInside(cr, w, h, h * 0.84);
                     drawProp(cr, "metalcrateheated.png", w * 0.7, h * 0.86, h * 0.32);
                     drawProf(cr, w * 0.25, h * 0.88, 1.7, profHolding(pr::Prop::HeatGun, 0.6), 1);
                 }, "The heat gun melts ice and makes metal glow."},
                {"", [](cairo_t* cr, double w, double h) {
                     drawBackdrop(cr, w, h, "background3.jpg", 0.5, 400, 300);
                     pr::Pose slip = profSurprised(1);
                     slip.spin = -0.4;
                     drawProf(cr, w * 0.5, h * 0.86, 1.8, slip, 1);
                     figure::sweatDrop(cr, w * 0.66, h * 0.3, 4);
                 }, "Hot metal, frozen bots, slippery ice: take care!"}};
    case 8:
        return {{"", [](cairo_t* cr, double w, double h) {
                     islandView(cr, w, h, 1.2);
                     drawProf(cr, w * 0.2, h * 0.96, 1.3, profWalking(0.6), 1);
                 }, "The trail climbed the volcano's steep slope."},
                {"", [](cairo_t* cr, double w, double h) {
                     volcanoInside(cr, w, h, h * 0.9);
                     drawMachine(cr, w * 0.5, h * 0.9, 0.62, false);
                     drawBotAt(cr, w * 0.5, h * 0.9, 0.9, botAwake(), 1);
                 }, "Inside, a huge machine was building bots!"},
                {"", [](cairo_t* cr, double w, double h) {
                     volcanoInside(cr, w, h, h * 0.86);
                     drawProf(cr, w * 0.5, h * 0.92, 1.9, profSurprised(0), 1);
                 }, "So that is where they all come from..."}};
    case 9:
        return {{"", [](cairo_t* cr, double w, double h) {
                     workshop(cr, w, h, h * 0.84);
                     drawProf(cr, w * 0.35, h * 0.9, 1.9, profHolding(pr::Prop::EmpDevice, 0.8), 1);
                 }, "From spare parts he built an EMP..."},
                {"", [](cairo_t* cr, double w, double h) {
                     volcanoInside(cr, w, h, h * 0.84);
                     drawBotAt(cr, w * 0.3, h * 0.88, 1.5, botStunned(), 1);
                     drawBotAt(cr, w * 0.7, h * 0.88, 1.5, botStunned(), -1);
                     figure::zigzag(cr, w * 0.45, h * 0.3, w * 0.55, h * 0.55, 4, 5, palette::yellow, 2);
                 }, "...one pulse, and nearby bots stop dead for a while."},
                {"", [](cairo_t* cr, double w, double h) {
                     jungle(cr, w, h, h * 0.84);
                     pr::Pose whistling = prof(1);
                     whistling.prop = pr::Prop::Whistle;
                     whistling.mouth = pr::Mouth::Whistle;
                     drawProf(cr, w * 0.3, h * 0.9, 1.8, whistling, 1);
                     drawBotAt(cr, w * 0.75, h * 0.88, 1.5, botAwake(), -1);
                 }, "And a whistle calls them wherever he likes."}};
    default:
        return {{"", [](cairo_t* cr, double w, double h) {
                     volcanoInside(cr, w, h, h * 0.84);
                     drawProp(cr, "bridgeA0_trimmed.png", w * 0.5, h * 0.72, h * 0.16);
                     drawProf(cr, w * 0.5, h * 0.64, 1.5, profWalking(0.1), 1);
                 }, "Bridges over the rivers of lava..."},
                {"", [](cairo_t* cr, double w, double h) {
                     volcanoInside(cr, w, h, h * 0.86);
                     for (int i = 0; i < 5; ++i)
                         drawBotAt(cr, w * (0.12 + i * 0.19), h * (0.88 + (i % 2) * 0.04), 1.2 + (i % 2) * 0.2,
                                   botAngry(), i < 3 ? 1 : -1);
                 }, "Every bot on the island stood in his way."},
                {"", [](cairo_t* cr, double w, double h) {
                     volcanoInside(cr, w, h, h * 0.86);
                     pr::Pose brave = profPointing();
                     brave.armB = 2.6;
                     drawProf(cr, w * 0.45, h * 0.92, 1.9, brave, 1);
                 }, "One last climb, up to the control room!"}};
    }
}

void drawCardFor(cairo_t* cr, const CardSize& size, const std::string& heading, const Snapshot& shot)
{
    drawCard(cr, size.w, size.h, size.tilt, heading, shot.scene, shot.words);
}

void registerJournal(Registry& r, const char* family)
{
    addPicture(r, family, "story_B1_a.tga", 678, 320, [](cairo_t* cr) {
        drawPage(cr, 678, 320, 103, "");
        drawWrapped(cr, "From the professor's journal", 24, 14, 200, 30, 16, Color{0.50, 0.28, 0.12}, true, false);
    });
    addPicture(r, family, "story_B2_a.tga", 712, 334, [](cairo_t* cr) {
        drawPage(cr, 712, 334, 104, "");
        drawWrapped(cr, "From the professor's journal", 260, 10, 210, 44, 16, Color{0.50, 0.28, 0.12}, true);
    });
    addPicture(r, family, "story_B1_b.jpg", 618, 190, [](cairo_t* page) {
        drawPanel(page, 618, 190, [](cairo_t* cr, double w, double h) { islandView(cr, w, h, 0.9); }, "");
    });
    addPicture(r, family, "story_B2_b.jpg", 660, 190, [](cairo_t* page) {
        drawPanel(page, 660, 190, [](cairo_t* cr, double w, double h) {
            drawBackdrop(cr, w, h, "background1.jpg", 0.85, 400, 330);
        }, "");
    });
    for (int n = 1; n <= 10; ++n) {
        bool odd = n % 2 == 1;
        std::string prefix = odd ? "story_B1_text_" : "story_B2_text_";
        std::string variant = std::to_string(odd ? (n + 1) / 2 : n / 2) + ".png";
        const CardSize* sizes = odd ? ODD_CARDS : EVEN_CARDS;
        const char letters[] = {'a', 'b', 'c'};
        for (int k = 0; k < 3; ++k) {
            const CardSize size = sizes[k];
            std::string heading = k == 0 ? chapterHeading(n) : "";
            addPicture(r, family, prefix + letters[k] + variant, size.w, size.h, [n, k, size, heading](cairo_t* cr) {
                Chapter c = chapter(n);
                const Snapshot& shot = k == 0 ? c.a : k == 1 ? c.b : c.c;
                drawCardFor(cr, size, heading, shot);
            });
        }
    }
}

// ---- story 11: the end ------------------------------------------------------

void registerEnding(Registry& r, const char* family)
{
    addPicture(r, family, "story_C1_a.tga", 700, 492, [](cairo_t* cr) { drawPage(cr, 700, 492, 105, ""); });
    addPicture(r, family, "story_C1_b.jpg", 230, 228, [](cairo_t* page) {
        drawPanel(page, 230, 228, [](cairo_t* cr, double w, double h) {
            volcanoInside(cr, w, h, h * 0.86);
            drawLever(cr, w * 0.68, h * 0.88, 1.6, -0.5, false);
            drawProf(cr, w * 0.3, h * 0.9, 1.9, profPointing(), 1);
        }, "At the heart of the volcano: the control room.");
    });
    addPicture(r, family, "story_C1_d.jpg", 280, 232, [](cairo_t* page) {
        drawPanel(page, 280, 232, [](cairo_t* cr, double w, double h) {
            volcanoInside(cr, w, h, h * 0.94);
            drawMachine(cr, w * 0.5, h * 0.94, 0.85, false);
        }, "The machine had run for a hundred years with no one to tell its bots what to do.");
    });
    addPicture(r, family, "story_C1_e.png", 150, 215, [](cairo_t* cr) {
        drawNote(cr, 150, 215, 0.03, "They were never wicked. Only lonely, and very, very bored.");
    });
    addPicture(r, family, "story_C1_c.jpg", 520, 180, [](cairo_t* page) {
        drawPanel(page, 520, 180, [](cairo_t* cr, double w, double h) {
            volcanoInside(cr, w, h, h * 0.9);
            drawLever(cr, w * 0.62, h * 0.92, 1.5, 0.5, true);
            pr::Pose pull = profPushing();
            pull.mouth = pr::Mouth::Grimace;
            drawProf(cr, w * 0.5, h * 0.94, 1.7, pull, 1);
            figure::star(cr, w * 0.7, h * 0.25, 8, 0.3, palette::yellow);
            figure::star(cr, w * 0.76, h * 0.4, 6, 0.1, palette::flame);
        }, "With all his strength he heaved the great lever from CHASE to PLAY.");
    });
    addPicture(r, family, "story_C1_f.png", 170, 60,
               [](cairo_t* cr) { drawNote(cr, 170, 60, -0.06, "CLUNK!"); });
    addPicture(r, family, "story_C1_g.jpg", 120, 198, [](cairo_t* page) {
        drawPanel(page, 120, 198, [](cairo_t* cr, double w, double h) {
            volcanoInside(cr, w, h, h * 0.86);
            drawBotAt(cr, w * 0.5, h * 0.9, 2.0, botHappy(), 1);
        }, "Every eye turned happy.");
    });

    addPicture(r, family, "story_C2_a.tga", 746, 500, [](cairo_t* cr) { drawPage(cr, 746, 500, 106, ""); });
    addPicture(r, family, "story_C2_b.jpg", 82, 232, [](cairo_t* page) {
        drawPanel(page, 82, 232, [](cairo_t* cr, double w, double h) {
            fillSky(cr, w, h, Color{0.98, 0.62, 0.40}, Color{0.99, 0.88, 0.62});
            drawPalm(cr, w * 0.5, h, w * 0.4, h * 0.2, 40, 21);
        }, "");
    });
    addPicture(r, family, "story_C2_d.jpg", 528, 236, [](cairo_t* page) {
        drawPanel(page, 528, 236, [](cairo_t* cr, double w, double h) {
            fillSky(cr, w, h, Color{0.98, 0.62, 0.40}, Color{0.99, 0.88, 0.62});
            drawSea(cr, w, h, h * 0.5);
            drawGround(cr, w, h, h * 0.76, sandColor, darker(sandColor, 0.15));
            drawPalm(cr, w * 0.08, h * 0.8, w * 0.12, h * 0.1, 60, 31);
            for (int i = 0; i < 5; ++i)
                drawBotAt(cr, w * (0.18 + i * 0.16), h * (0.92 - (i % 2) * 0.04), 1.5, botHappy(), i % 2 ? -1 : 1);
            drawProf(cr, w * 0.5, h * 0.95, 1.9, profCheering(), 1);
        }, "The bots threw him the biggest beach party the island had ever seen.");
    });
    addPicture(r, family, "story_C2_e.jpg", 100, 250, [](cairo_t* page) {
        drawPanel(page, 100, 250, [](cairo_t* cr, double w, double h) {
            fillSky(cr, w, h, Color{0.98, 0.62, 0.40}, Color{0.99, 0.88, 0.62});
            drawVolcano(cr, w * 0.5, h * 0.5, h * 0.5);
            art::drawPuff(cr, w * 0.5, h * 0.42, 10, Color{1, 1, 1, 0.7});
        }, "");
    });
    addPicture(r, family, "story_C2_c.jpg", 252, 180, [](cairo_t* page) {
        drawPanel(page, 252, 180, [](cairo_t* cr, double w, double h) {
            fillSky(cr, w, h, Color{0.05, 0.08, 0.18}, Color{0.16, 0.20, 0.34});
            drawStars(cr, w, h * 0.5, 41);
            drawGround(cr, w, h, h * 0.8, darker(sandColor, 0.4), darker(sandColor, 0.5));
            drawBoat(cr, w * 0.5, h * 0.82, 1.1);
            drawBotAt(cr, w * 0.2, h * 0.92, 1.4, botHappy(), 1);
            drawBotAt(cr, w * 0.82, h * 0.92, 1.4, botAwake(), -1);
        }, "In one night they built him a brand new boat.");
    });
    addPicture(r, family, "story_C2_f.jpg", 212, 204, [](cairo_t* page) {
        drawPanel(page, 212, 204, [](cairo_t* cr, double w, double h) {
            fillSky(cr, w, h, daySkyTop, daySkyLow);
            drawSea(cr, w, h, h * 0.55);
            drawBoat(cr, w * 0.45, h * 0.8, 1.2);
            drawProf(cr, w * 0.45 - 14, h * 0.8 - 8, 1.6, profCheering(), 1);
        }, "He sailed home with a head full of new ideas...");
    });
    addPicture(r, family, "story_C2_g.jpg", 215, 216, [](cairo_t* page) {
        drawPanel(page, 215, 216, [](cairo_t* cr, double w, double h) {
            workshop(cr, w, h, h * 0.86);
            // Peeking out of a crate of the professor's luggage.
            bot::Pose peek = bot::standing();
            peek.eye = bot::Eye::Happy;
            peek.earLift = 0.8;
            peek.turn = 0.2;
            drawBotAt(cr, w * 0.5, h * 0.62, 2.2, peek, 1);
            drawProp(cr, "cratestill0.tga", w * 0.5, h * 0.88, h * 0.42);
        }, "...and one small stowaway. The End.");
    });
}

// ---- the buttons under the pages -------------------------------------------

constexpr int buttonWidth = 100, buttonHeight = 36;

void drawStoryButton(cairo_t* cr, const char* word, bool lifted)
{
    roundedRect(cr, 2, 2, buttonWidth - 4, buttonHeight - 4, 12);
    Color wood{0.80, 0.58, 0.33};
    fillAndOutline(cr, lifted ? lighter(wood, 0.12) : wood, 2, buttonHeight - 2, 2);
    drawHighlight(cr, buttonWidth / 2.0, 9, buttonWidth * 0.36, 3, 0.35);
    if (lifted) {
        roundedRect(cr, 1, 1, buttonWidth - 2, buttonHeight - 2, 13);
        setColor(cr, Color{1.0, 0.88, 0.35, 0.8});
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    Lettering style = captionLettering(19);
    style.outlineWidth = 3.5;
    drawCenteredText(cr, word, 8, 2, buttonWidth - 16, buttonHeight - 4, style);
}

void registerButtons(Registry& r, const char* family)
{
    struct Word {
        const char* key;
        const char* word;
    };
    for (const Word& w : {Word{"prev", "Back"}, Word{"next", "Next"}, Word{"done", "Done"}}) {
        std::string base = std::string("story_button") + w.key;
        const char* word = w.word;
        addPicture(r, family, base + "base.png", buttonWidth, buttonHeight,
                   [word](cairo_t* cr) { drawStoryButton(cr, word, false); });
        addPicture(r, family, base + "rollover.png", buttonWidth, buttonHeight,
                   [word](cairo_t* cr) { drawStoryButton(cr, word, true); });
        addPicture(r, family, base + "shadow.png", buttonWidth, buttonHeight, [](cairo_t* cr) {
            roundedRect(cr, 2, 2, buttonWidth - 4, buttonHeight - 4, 12);
            setColor(cr, Color{0.1, 0.05, 0.0, 0.4});
            cairo_fill(cr);
        });
    }
}

void registerStory(Registry& r, const char* family)
{
    registerLanding(r, family);
    registerJournal(r, family);
    registerEnding(r, family);
    registerButtons(r, family);
}

FamilyRegistration storyFamily("story", registerStory);

} // namespace
