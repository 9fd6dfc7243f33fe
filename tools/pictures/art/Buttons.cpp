// Floor buttons in the three colours: a domed push button on a steel
// plate, released and pressed, and the way one breaks apart after a fall.
#include "ArtKit.h"

namespace {

using namespace art;

constexpr Placement kButton{11, -9, 18, 10};
constexpr Placement kBreak{13, -5, 22, 14};

// pressed 0 is up, 1 pushed flat into the plate.
void button(cairo_t* cr, Hue hue, double pressed)
{
    Color colour = hueColor(hue);
    double top = lerp(14.6, 17.4, pressed);
    // The dome, then the plate it sits in.
    roundedRect(cr, 6.5, top, 11, 22 - top, 4.2);
    fillAndOutline(cr, colour, top, 21, 1.1);
    if (pressed > 0.5) {
        // Pressed in, the button lights up.
        drawSoftGlow(cr, 12, top + 1.5, 6, withAlpha(lighter(colour, 0.6), 0.8));
    }
    drawHighlight(cr, 10, top + 1.4, 2.4, 0.8, 0.6);
    roundedRect(cr, 3.5, 19.8, 17, 4, 1.6);
    fillAndOutline(cr, palette::metal, 19.8, 23.8, 1.1);
    for (double x : {5.5, 18.5}) {
        ellipsePath(cr, x, 21.8, 0.7, 0.7);
        setColor(cr, palette::metalDark);
        cairo_fill(cr);
    }
}

void registerButtons(Registry& registry, const char* family)
{
    for (Hue hue : {Hue::Blue, Hue::Red, Hue::Yellow}) {
        std::string name = std::string("button") + hueName(hue);
        // Frame 0 is the pressed look, frame 1 the released one.
        addPlacedSeries(registry, family, name, 0, 1, ".tga", kButton,
                        [hue](cairo_t* cr, int frame) { button(cr, hue, frame == 0 ? 1 : 0); });
        // Breaking after a fall: the dome cracks off and the pieces scatter
        // over the floor; the game fades the last frame out itself.
        addPlacedSeries(registry, family, name + "_break", 0, 4, ".png", kBreak, [hue](cairo_t* cr, int frame) {
            Shatter shatter{3, 14, 18, 10, 3, 2, 7, 9, 5, 1.6, 0.25, 3 + static_cast<uint32_t>(hue)};
            drawShattered(cr, [hue](cairo_t* c) { button(c, hue, 0); }, shatter, (frame + 1) / 5.0);
        });
    }
}

FamilyRegistration buttons("buttons", registerButtons);

} // namespace
