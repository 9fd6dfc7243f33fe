// Pictures of the level editor's screens: the cell outlines of its cursor, the toolbox (its picture of every palette cell,
// its shadow and the selector), the help screen's element panels, and the
// tutorial text box with its buttons. Cells show the element pictures
// themselves, scaled to fit, so the toolbox always matches the board.
#include "../Compose.h"
#include "../Registry.h"
#include "../Style.h"
#include "Lettering.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int CELL = 24;
constexpr int BOX_W = 68; // a palette or help cell
constexpr int BOX_H = 51;

const Color panelDark{0.17, 0.22, 0.30};
const Color panelLight{0.24, 0.31, 0.42};
const Color commandTint{0.32, 0.22, 0.14};
const Color selectorGlow{1.0, 0.86, 0.30};
const Color helpCell{0.98, 0.93, 0.80};

// ---- the board ---------------------------------------------------------

// A glowing frame around w x h pixels at (x, y).
void drawOutline(cairo_t* cr, double x, double y, double w, double h)
{
    roundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 3);
    cairo_set_line_width(cr, 3);
    setColor(cr, withAlpha(palette::outline, 0.55));
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 1.5);
    setColor(cr, selectorGlow);
    cairo_stroke(cr);
}

// The eraser's cursor when no element is chosen: a small cross hair in the
// middle of the cell.
void drawNoneCursor(cairo_t* cr)
{
    const double cx = 1 + CELL / 2.0, cy = 2 + CELL / 2.0;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
        cairo_set_line_width(cr, pass == 0 ? 4 : 2);
        setColor(cr, pass == 0 ? withAlpha(palette::outline, 0.6) : selectorGlow);
        cairo_move_to(cr, cx - 6, cy);
        cairo_line_to(cr, cx + 6, cy);
        cairo_move_to(cr, cx, cy - 6);
        cairo_line_to(cr, cx, cy + 6);
        cairo_stroke(cr);
    }
}

// ---- cells -------------------------------------------------------------

// Paints a registered picture scaled to fit the box, centred in it.
void paintFitted(cairo_t* cr, const std::string& name, double x, double y, double w, double h, double maxScale)
{
    const Picture* picture = Registry::instance().find(name);
    if (!picture)
        return;
    double scale = std::min({maxScale, w / picture->width, h / picture->height});
    cairo_save(cr);
    cairo_translate(cr, x + (w - picture->width * scale) / 2, y + (h - picture->height * scale) / 2);
    cairo_scale(cr, scale, scale);
    paintPicture(cr, name, 0, 0);
    cairo_restore(cr);
}

void drawCellWord(cairo_t* cr, const std::string& word, double x, double y, double size)
{
    Lettering style = captionLettering(size);
    style.outlineWidth = 3;
    drawCenteredText(cr, word, x + 4, y + 6, BOX_W - 8, BOX_H - 12, style);
}

// What a palette cell shows: a picture, a word or a background.
struct CellFace {
    const char* picture; // null: a word
    const char* word;
    double maxScale;
};

CellFace paletteFace(int code)
{
    switch (code) {
    case 0: return {nullptr, "Help", 1};
    case 1: return {"frostballleft2.tga", nullptr, 1.6};
    case 2: return {"fireballleft2.png", nullptr, 1.6};
    case 3: return {"qmarkrotate23.tga", nullptr, 1.2};
    case 4: return {"editortubeentrance.tga", nullptr, 1};
    case 5: return {"editorerase.png", nullptr, 1.5};
    case 6: return {nullptr, "New", 1};
    case 7: return {"editorpowerupfrostgun.tga", nullptr, 1};
    case 8: return {"editorpowerupheatgun.png", nullptr, 1};
    case 9: return {"editorpowerupwhistle.tga", nullptr, 1};
    case 10: return {"editortubeexit.tga", nullptr, 1};
    case 12: return {nullptr, "Load", 1};
    case 13: return {"editorpowerupteleport.png", nullptr, 1};
    case 14: return {"editorpowerupbridge.png", nullptr, 1};
    case 15: return {"editorpowerupemp.tga", nullptr, 1};
    case 16: return {"botstandleft.png", nullptr, 1};
    case 18: return {nullptr, "Save", 1};
    case 19: return {"editorpowerupcrate.tga", nullptr, 1};
    case 20: return {"editorpowerupbarrel.tga", nullptr, 1};
    case 21: return {"editorpowerupmagnet.tga", nullptr, 1};
    case 22: return {"grass1.png", nullptr, 1};
    case 24: return {nullptr, "Save as", 1};
    case 25: return {"cratestill0.tga", nullptr, 1};
    case 26: return {"barrel0.tga", nullptr, 1};
    case 27: return {"magnetleftstill0.tga", nullptr, 1};
    case 28: return {"sand1.png", nullptr, 1};
    case 30: return {nullptr, "Test", 1};
    case 31: return {"metalcratestill0.tga", nullptr, 1};
    case 32: return {"metalbarrel0.png", nullptr, 1};
    case 33: return {"magnetrightstill0.tga", nullptr, 1};
    case 34: return {"ice1.png", nullptr, 1.3};
    case 36: return {nullptr, "Record", 1};
    case 37: return {"editorgateblue.tga", nullptr, 1};
    case 38: return {"editorgateyellow.tga", nullptr, 1};
    case 39: return {"editorgatered.tga", nullptr, 1};
    case 40: return {"bridgeA0_trimmed.png", nullptr, 1.2};
    case 42: return {nullptr, "Play", 1};
    case 43: return {"buttonblue1.tga", nullptr, 2};
    case 44: return {"buttonyellow1.tga", nullptr, 2};
    case 45: return {"buttonred1.tga", nullptr, 2};
    case 46: return {"ladderiso.tga", nullptr, 1.2};
    case 48: return {nullptr, "Quit", 1};
    case 49: return {"editorteleportblue.png", nullptr, 1};
    case 50: return {"editorteleportyellow.png", nullptr, 1};
    case 51: return {"editorteleportred.png", nullptr, 1};
    case 52: return {"editortrampoline.tga", nullptr, 1.2};
    default: return {nullptr, nullptr, 1};
    }
}

void drawBackgroundThumb(cairo_t* cr, int background, double x, double y)
{
    const double w = BOX_W - 12, h = BOX_H - 10;
    cairo_save(cr);
    roundedRect(cr, x + 6, y + 5, w, h, 4);
    cairo_clip_preserve(cr);
    cairo_translate(cr, x + 6, y + 5);
    cairo_scale(cr, w / 800.0, h / 600.0);
    paintPicture(cr, seriesName("background", background, ".jpg"), 0, 0);
    cairo_restore(cr);
    roundedRect(cr, x + 6, y + 5, w, h, 4);
    strokeOutline(cr, 1.5);
}

// The toolbox: 6 x 9 cells of 68 x 51 pixels from (5, 5); column 0 holds
// the commands, column 5 the eraser and the eight backgrounds.
void drawToolbox(cairo_t* cr)
{
    cairo_pattern_t* wood = cairo_pattern_create_linear(0, 0, 0, 469);
    cairo_pattern_add_color_stop_rgb(wood, 0, panelLight.r, panelLight.g, panelLight.b);
    cairo_pattern_add_color_stop_rgb(wood, 1, panelDark.r, panelDark.g, panelDark.b);
    cairo_set_source(cr, wood);
    cairo_paint(cr);
    cairo_pattern_destroy(wood);
    for (int row = 0; row < 9; ++row)
        for (int column = 0; column < 6; ++column) {
            int code = row * 6 + column;
            double x = 5 + column * BOX_W, y = 5 + row * BOX_H;
            roundedRect(cr, x + 2, y + 2, BOX_W - 4, BOX_H - 4, 6);
            setColor(cr, column == 0 ? withAlpha(commandTint, 0.85) : withAlpha(palette::white, 0.10));
            cairo_fill_preserve(cr);
            setColor(cr, withAlpha(palette::black, 0.35));
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
            if (column == 5 && row > 0) {
                drawBackgroundThumb(cr, row - 1, x, y);
                continue;
            }
            CellFace face = paletteFace(code);
            if (face.picture)
                paintFitted(cr, face.picture, x + 6, y + 4, BOX_W - 12, BOX_H - 8, face.maxScale);
            else if (face.word)
                drawCellWord(cr, face.word, x, y, 17);
        }
}

void drawToolboxShadow(cairo_t* cr)
{
    for (int i = 6; i >= 1; --i) {
        roundedRect(cr, 4 + i * 0.5, 4 + i * 0.5, 418 + 4 - i, 469 + 4 - i, 10);
        setColor(cr, withAlpha(palette::black, 0.10));
        cairo_fill(cr);
    }
    roundedRect(cr, 1, 1, 424, 475, 8);
    fillShaded(cr, palette::woodDark, 0, 476);
    strokeOutline(cr, 2);
}

void drawSelector(cairo_t* cr)
{
    drawSoftGlow(cr, BOX_W / 2.0, BOX_H / 2.0, 30, withAlpha(selectorGlow, 0.25));
    roundedRect(cr, 2, 2, BOX_W - 4, BOX_H - 4, 7);
    cairo_set_line_width(cr, 5);
    setColor(cr, withAlpha(palette::outline, 0.7));
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 3);
    setColor(cr, selectorGlow);
    cairo_stroke(cr);
}

// ---- help panels ------------------------------------------------------

// A help panel: cells of the help grid (68 x 51), each with its element.
void drawHelpPanel(cairo_t* cr, int columns, int rows, const std::vector<CellFace>& faces)
{
    setColor(cr, Color{0.93, 0.85, 0.66});
    cairo_paint(cr);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            double x = column * BOX_W, y = row * BOX_H;
            roundedRect(cr, x + 2, y + 2, BOX_W - 4, BOX_H - 4, 6);
            setColor(cr, helpCell);
            cairo_fill_preserve(cr);
            setColor(cr, withAlpha(palette::woodDark, 0.6));
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
            size_t index = row * columns + column;
            if (index >= faces.size())
                continue;
            const CellFace& face = faces[index];
            if (face.picture)
                paintFitted(cr, face.picture, x + 6, y + 4, BOX_W - 12, BOX_H - 8, face.maxScale);
            else if (face.word) {
                Lettering style = captionLettering(15);
                style.outlineWidth = 3;
                drawCenteredText(cr, face.word, x + 4, y + 6, BOX_W - 8, BOX_H - 12, style);
            }
        }
}

std::vector<CellFace> faces(std::initializer_list<int> codes)
{
    std::vector<CellFace> out;
    for (int code : codes)
        out.push_back(paletteFace(code));
    return out;
}

// ---- the tutorial text box and its buttons ------------------------------

void drawDialogShadow(cairo_t* cr, double w, double h)
{
    for (int i = 5; i >= 1; --i) {
        roundedRect(cr, 2 + i * 0.6, 3 + i * 0.6, w - 6, h - 6, 12);
        setColor(cr, withAlpha(palette::black, 0.09));
        cairo_fill(cr);
    }
}

void drawDialogFace(cairo_t* cr, double w, double h)
{
    cairo_pattern_t* paper = cairo_pattern_create_radial(w / 2, h / 2, 20, w / 2, h / 2, w * 0.7);
    cairo_pattern_add_color_stop_rgb(paper, 0, 1.0, 0.96, 0.85);
    cairo_pattern_add_color_stop_rgb(paper, 1, 0.88, 0.74, 0.52);
    cairo_set_source(cr, paper);
    cairo_paint(cr);
    cairo_pattern_destroy(paper);
    cairo_rectangle(cr, 2, 2, w - 4, h - 4);
    cairo_set_line_width(cr, 3);
    setColor(cr, palette::woodDark);
    cairo_stroke(cr);
}

// The writing area of a text box: a pale sunken field.
void drawTextField(cairo_t* cr, double w, double h)
{
    setColor(cr, Color{0.99, 0.98, 0.93});
    cairo_paint(cr);
    cairo_pattern_t* inner = cairo_pattern_create_linear(0, 0, 0, 8);
    cairo_pattern_add_color_stop_rgba(inner, 0, 0.3, 0.2, 0.1, 0.30);
    cairo_pattern_add_color_stop_rgba(inner, 1, 0.3, 0.2, 0.1, 0.0);
    cairo_set_source(cr, inner);
    cairo_rectangle(cr, 0, 0, w, 8);
    cairo_fill(cr);
    cairo_rectangle(cr, 0.75, 0.75, w - 1.5, h - 1.5);
    cairo_set_line_width(cr, 1.5);
    setColor(cr, palette::woodDark);
    cairo_stroke(cr);
}

// A button face without words: the dialog draws its label over it.
void drawButtonFace(cairo_t* cr, double w, double h, Color base)
{
    roundedRect(cr, 1.5, 1.5, w - 3, h - 3, 8);
    fillAndOutline(cr, base, 1.5, h - 1.5, 2);
    drawHighlight(cr, w / 2, h * 0.3, w * 0.35, h * 0.12, 0.35);
}

void drawButtonSelector(cairo_t* cr, double w, double h)
{
    roundedRect(cr, 1.5, 1.5, w - 3, h - 3, 9);
    cairo_set_line_width(cr, 3);
    setColor(cr, selectorGlow);
    cairo_stroke(cr);
}

// An arrow button face drawn into the level browser (pointing up or down).
void drawArrowFace(cairo_t* cr, double x, double y, bool up)
{
    roundedRect(cr, x + 2, y + 2, 36, 44, 8);
    fillAndOutline(cr, palette::wood, y + 2, y + 46, 2);
    double cx = x + 20, cy = y + 24, d = up ? -1 : 1;
    cairo_move_to(cr, cx - 10, cy - 6 * d);
    cairo_line_to(cr, cx + 10, cy - 6 * d);
    cairo_line_to(cr, cx, cy + 8 * d);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::parchment, cy - 8, cy + 8, 1.5);
}

// The level browser: the list's frame and the two scroll arrows on a
// parchment face (the list box draws its own rows).
void drawLoadBrowser(cairo_t* cr)
{
    drawDialogFace(cr, 600, 278);
    cairo_rectangle(cr, 19, 19, 533, 199);
    setColor(cr, withAlpha(palette::woodDark, 0.8));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    drawArrowFace(cr, 556, 68, true);
    drawArrowFace(cr, 556, 130, false);
}

// The list's rows: pale lines on a light field, every other row shaded.
void drawListField(cairo_t* cr, double w, double h)
{
    setColor(cr, Color{0.99, 0.97, 0.90});
    cairo_paint(cr);
    for (int row = 0; row < 10; ++row)
        if (row % 2 == 1) {
            cairo_rectangle(cr, 0, 2 + row * 19, w, 19);
            setColor(cr, withAlpha(palette::parchment, 0.8));
            cairo_fill(cr);
        }
    cairo_move_to(cr, 177.5, 0);
    cairo_line_to(cr, 177.5, h);
    setColor(cr, withAlpha(palette::woodDark, 0.4));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void drawRowHighlighter(cairo_t* cr, double w, double h)
{
    roundedRect(cr, 1, 1, w - 2, h - 2, 4);
    setColor(cr, withAlpha(selectorGlow, 0.45));
    cairo_fill_preserve(cr);
    setColor(cr, withAlpha(palette::woodDark, 0.9));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// The save box: a field for the file name and a longer one for the heading,
// each with its label.
void drawSaveBox(cairo_t* cr)
{
    drawDialogFace(cr, 408, 258);
    Lettering label;
    label.size = 17;
    label.fill = Color{0.29, 0.18, 0.09};
    label.outlineWidth = 0;
    drawTextAt(cr, "File name", 28, 115, label);
    drawTextAt(cr, "Heading", 40, 154, label);
}

void registerEditorScreens(Registry& registry, const char* family)
{
    addPicture(registry, family, "editorcursor_1x1.png", 26, 28,
               [](cairo_t* cr) { drawOutline(cr, 0, 1, CELL + 2, CELL + 2); });
    addPicture(registry, family, "editorcursor_1x2.png", 26, 52,
               [](cairo_t* cr) { drawOutline(cr, 0, 1, CELL + 2, 2 * CELL + 2); });
    // A teleport stands on the right border of the cursor's cell.
    addPicture(registry, family, "editorcursor_0x2.png", 12, 52,
               [](cairo_t* cr) { drawOutline(cr, 0, 1, 12, 2 * CELL + 2); });
    addPicture(registry, family, "cursornone.tga", 26, 28, drawNoneCursor);

    addPicture(registry, family, "editortoolbox_main.jpg", 418, 469, drawToolbox);
    addPicture(registry, family, "editortoolbox_border.tga", 430, 481, drawToolboxShadow);
    addPicture(registry, family, "toolboxselector.png", BOX_W, BOX_H, drawSelector);

    const struct {
        const char* name;
        int columns, rows;
        std::vector<CellFace> cells;
    } panels[] = {
        {"help_powerups.jpg", 3, 3, faces({7, 8, 9, 13, 14, 15, 19, 20, 21})},
        {"help_objects.jpg", 3, 2, faces({25, 26, 27, 31, 32, 33})},
        {"help_control.jpg", 3, 3,
         {{nullptr, "Alt+N", 1}, {nullptr, "Alt+L", 1}, {nullptr, "Alt+S", 1}, {nullptr, "Alt+A", 1},
          {nullptr, "Alt+T", 1}, {nullptr, "Alt+R", 1}, {nullptr, "Alt+P", 1}, {nullptr, "Alt+Q", 1},
          {nullptr, "Esc", 1}}},
        {"help_devices2.jpg", 3, 4, faces({37, 38, 39, 43, 44, 45, 49, 50, 51, 52, 4, 10})},
        {"help_bots.jpg", 1, 1, faces({16})},
        {"help_terrain2.jpg", 2, 4, faces({22, 46, 28, 3, 34, 1, 40, 2})},
    };
    for (const auto& panel : panels) {
        std::vector<CellFace> cells = panel.cells;
        int columns = panel.columns, rows = panel.rows;
        addPicture(registry, family, panel.name, columns * BOX_W, rows * BOX_H,
                   [cells, columns, rows](cairo_t* cr) { drawHelpPanel(cr, columns, rows, cells); });
    }

    addPicture(registry, family, "etutorialboxshadow.tga", 590, 290,
               [](cairo_t* cr) { drawDialogShadow(cr, 590, 290); });
    addPicture(registry, family, "etutorialbox.jpg", 582, 282, [](cairo_t* cr) { drawDialogFace(cr, 582, 282); });
    addPicture(registry, family, "etutorial_blurb.jpg", 520, 160, [](cairo_t* cr) { drawTextField(cr, 520, 160); });
    addPicture(registry, family, "button_ok.tga", 50, 35,
               [](cairo_t* cr) { drawButtonFace(cr, 50, 35, Color{0.40, 0.66, 0.30}); });
    addPicture(registry, family, "button_cancel.tga", 110, 35,
               [](cairo_t* cr) { drawButtonFace(cr, 110, 35, Color{0.80, 0.36, 0.26}); });
    addPicture(registry, family, "button_ok_selector.tga", 54, 39, [](cairo_t* cr) { drawButtonSelector(cr, 54, 39); });
    addPicture(registry, family, "button_cancel_selector.tga", 114, 39,
               [](cairo_t* cr) { drawButtonSelector(cr, 114, 39); });

    addPicture(registry, family, "loadbrowser_border.tga", 612, 290,
               [](cairo_t* cr) { drawDialogShadow(cr, 612, 290); });
    addPicture(registry, family, "loadbrowser_main.jpg", 600, 278, drawLoadBrowser);
    addPicture(registry, family, "loadbrowser_listbox.png", 529, 195,
               [](cairo_t* cr) { drawListField(cr, 529, 195); });
    addPicture(registry, family, "browserhighlighter_wide.tga", 525, 19,
               [](cairo_t* cr) { drawRowHighlighter(cr, 525, 19); });
    addPicture(registry, family, "browser_selector.tga", 40, 48, [](cairo_t* cr) { drawButtonSelector(cr, 40, 48); });
    addPicture(registry, family, "saveboxshadow.tga", 420, 270, [](cairo_t* cr) { drawDialogShadow(cr, 420, 270); });
    addPicture(registry, family, "savebox.jpg", 408, 258, drawSaveBox);
    addPicture(registry, family, "savebox_filename.jpg", 200, 38, [](cairo_t* cr) { drawTextField(cr, 200, 38); });
    addPicture(registry, family, "savebox_heading.jpg", 330, 38, [](cairo_t* cr) { drawTextField(cr, 330, 38); });
}

FamilyRegistration editorScreens("editor_screens", registerEditorScreens);

} // namespace
