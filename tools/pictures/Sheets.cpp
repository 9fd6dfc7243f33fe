#include "Sheets.h"

#include "Compose.h"
#include "ImageWriters.h"
#include "Registry.h"
#include "art/Lettering.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <map>
#include <vector>

namespace {

struct Preview {
    std::string name;
    int width;
    int height;
    std::function<void(cairo_t*)> draw;
};

std::vector<Preview>& previews()
{
    static std::vector<Preview> all;
    return all;
}

constexpr int sheetWidth = 1600;
constexpr int margin = 12;
constexpr int titleHeight = 34;
constexpr int labelHeight = 16;
constexpr double largest = 360;   // longer side of a picture on the sheet
constexpr double smallest = 96;   // small pictures are enlarged to about this

// Scale at which a picture appears on the sheet: whole-number enlargements
// for small pictures, reductions for large ones.
double sheetScale(const Picture& picture)
{
    double side = std::max(picture.width, picture.height);
    if (side > largest)
        return largest / side;
    if (side * 2 <= smallest)
        return std::fmin(6, std::floor(smallest / side));
    return 1;
}

std::string labelFor(const Picture& picture, double scale)
{
    if (scale == 1)
        return picture.name;
    if (scale > 1)
        return picture.name + " x" + std::to_string(static_cast<int>(scale));
    return picture.name + " " + std::to_string(static_cast<int>(std::lround(scale * 100))) + "%";
}

void paintCheckerboard(cairo_t* cr, double x, double y, double w, double h)
{
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_set_source_rgb(cr, 0.93, 0.93, 0.93);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.78, 0.78, 0.78);
    const int square = 8;
    for (int row = 0; row * square < h; ++row)
        for (int column = row % 2; column * square < w; column += 2)
            cairo_rectangle(cr, x + column * square, y + row * square, square, square);
    cairo_fill(cr);
    cairo_restore(cr);
}

struct Cell {
    const Picture* picture;
    double scale;
    std::string label;
    double width;   // of the cell
    double height;  // of the picture area
    double x = 0, y = 0;
};

bool writeFamilySheet(const std::string& family, const std::vector<const Picture*>& members, const std::string& path)
{
    // Measure with a scratch context, then lay the cells out in rows.
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* measure = cairo_create(scratch);
    selectLettering(measure, 10, FontWeight::Medium);
    std::vector<Cell> cells;
    for (const Picture* picture : members) {
        Cell cell{picture, sheetScale(*picture), "", 0, 0};
        cell.label = labelFor(*picture, cell.scale);
        double labelWidth = std::min(textWidth(measure, cell.label) + 6, 260.0);
        cell.width = std::ceil(std::max(picture->width * cell.scale, labelWidth));
        cell.height = std::ceil(picture->height * cell.scale);
        cells.push_back(cell);
    }
    cairo_destroy(measure);
    cairo_surface_destroy(scratch);

    double x = margin, y = margin + titleHeight, rowHeight = 0;
    for (Cell& cell : cells) {
        if (x + cell.width > sheetWidth - margin && x > margin) {
            x = margin;
            y += rowHeight + labelHeight + margin;
            rowHeight = 0;
        }
        cell.x = x;
        cell.y = y;
        x += cell.width + margin;
        rowHeight = std::max(rowHeight, cell.height);
    }
    int height = static_cast<int>(y + rowHeight + labelHeight + margin);

    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, sheetWidth, height);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    Lettering title;
    title.size = 20;
    title.fill = palette::outline;
    title.outlineWidth = 0;
    drawTextAt(cr, family + "  (" + std::to_string(members.size()) + " pictures)", margin, margin + 12, title);
    Lettering label;
    label.size = 10;
    label.fill = palette::outline;
    label.outlineWidth = 0;
    label.weight = FontWeight::Medium;
    for (const Cell& cell : cells) {
        double px = cell.x + (cell.width - cell.picture->width * cell.scale) / 2;
        paintCheckerboard(cr, px, cell.y, cell.picture->width * cell.scale, cell.height);
        cairo_surface_t* image = renderPicture(*cell.picture);
        cairo_save(cr);
        cairo_translate(cr, px, cell.y);
        cairo_scale(cr, cell.scale, cell.scale);
        cairo_set_source_surface(cr, image, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), cell.scale > 1 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(image);
        cairo_save(cr);
        cairo_rectangle(cr, cell.x, cell.y + cell.height, cell.width, labelHeight);
        cairo_clip(cr);
        drawTextAt(cr, cell.label, cell.x + 1, cell.y + cell.height + labelHeight / 2.0, label);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    bool ok = writePng(sheet, path);
    cairo_surface_destroy(sheet);
    return ok;
}

bool writePreview(const Preview& preview, const std::string& path)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, preview.width, preview.height);
    cairo_t* cr = cairo_create(surface);
    preview.draw(cr);
    cairo_destroy(cr);
    bool ok = writePng(surface, path);
    cairo_surface_destroy(surface);
    return ok;
}

} // namespace

PreviewRegistration::PreviewRegistration(const char* name, int width, int height, std::function<void(cairo_t*)> draw)
{
    previews().push_back(Preview{name, width, height, std::move(draw)});
}

int writeContactSheets(const std::string& dir)
{
    mkdir(dir.c_str(), 0755);
    std::vector<std::string> order;
    std::map<std::string, std::vector<const Picture*>> families;
    for (const Picture& picture : Registry::instance().pictures()) {
        if (!families.count(picture.family))
            order.push_back(picture.family);
        families[picture.family].push_back(&picture);
    }
    for (const std::string& family : order) {
        std::string path = dir + "/" + family + ".png";
        if (!writeFamilySheet(family, families[family], path)) {
            std::cerr << "picturetool: cannot write " << path << "\n";
            return 1;
        }
    }
    for (const Preview& preview : previews()) {
        std::string path = dir + "/" + preview.name + ".png";
        if (!writePreview(preview, path)) {
            std::cerr << "picturetool: cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
