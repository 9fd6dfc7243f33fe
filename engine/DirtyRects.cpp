#include "engine/DirtyRects.h"

#include "engine/Log.h"

#include <string>

namespace {

const std::string kEquals(82, '=');

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kCellWidth = FULL_SCREEN_CELL_WIDTH;
constexpr int kCellHeight = FULL_SCREEN_CELL_HEIGHT;
constexpr long long kCellSplitArea = 5000;

long long area(const DirtyRect& r) { return static_cast<long long>(r.w) * r.h; }

bool logging() { return isLogChannelEnabled(LOG_RENDER_OPTIMIZE); }

// One merging step: the first rectangle swallows every later one it
// overlaps without growing the painted area, then goes to the end.
bool mergeFirst(std::vector<DirtyRect>& rects, bool log)
{
    DirtyRect r0 = rects.front();
    bool merged = false;
    size_t kept = 0;
    for (size_t i = 1; i < rects.size(); ++i) {
        const DirtyRect r1 = rects[i];
        const char* verdict = "No R1 intersection";
        if (rectsOverlap(r0, r1)) {
            DirtyRect u = rectUnion(r0, r1);
            if (area(r0) + area(r1) >= area(u)) {
                if (log)
                    logMessage(LOG_RENDER_OPTIMIZE,
                               "   * R1 Optimization     -->  Ignoring R1 (%ix%i @ %i,%i) and Resizing R0 (%ix%i @ %i,%i)\n",
                               r1.w, r1.h, r1.x, r1.y, u.w, u.h, u.x, u.y);
                r0 = u;
                merged = true;
                continue;
            }
            verdict = "No R1 Optimization";
        }
        if (log)
            logMessage(LOG_RENDER_OPTIMIZE, "   * %s  -->  Appending R1 (%ix%i @ %i,%i)\n", verdict, r1.w, r1.h, r1.x,
                       r1.y);
        rects[kept++] = r1;
    }
    logMessage(LOG_RENDER_OPTIMIZE, "   * R0 Optimization     -->  Appending R0 (%ix%i @ %i,%i)\n", r0.w, r0.h, r0.x,
               r0.y);
    rects.resize(kept);
    rects.push_back(r0);
    return merged;
}

// Returns whether the screen was laid out as cells.
bool addFullScreen(std::vector<DirtyRect>& out, int controllerId)
{
    out.clear();
    if (controllerId == CONTROLLER_ID_GAME || controllerId == CONTROLLER_ID_EDITOR) {
        logMessage(LOG_RENDER_OPTIMIZE, "   * Adding full-screen via (%ix%i) mini-rectangles (%ix%i)\n",
                   kScreenWidth / kCellWidth, kScreenHeight / kCellHeight, kCellWidth, kCellHeight);
        for (int x = 0; x < kScreenWidth; x += kCellWidth)
            for (int y = 0; y < kScreenHeight; y += kCellHeight)
                out.push_back({x, y, kCellWidth, kCellHeight});
        return true;
    }
    logMessage(LOG_RENDER_OPTIMIZE, "   * Adding full-screen rectangle (%ix%i)\n", kScreenWidth, kScreenHeight);
    out.push_back({0, 0, kScreenWidth, kScreenHeight});
    return false;
}

// Cells of 25, 50 or 100 pixels by the rectangle's size, one pixel wider and
// taller than an even split so that they cover it; cut to the screen.
void addCells(std::vector<DirtyRect>& out, const DirtyRect& r)
{
    long long a = area(r);
    int step = a < 10001 ? 25 : a < 225001 ? 50 : 100;
    int rows = r.h < step ? 1 : r.h / step;
    int columns = r.w < step ? 1 : r.w / step;
    int cellW = r.w / columns + 1;
    int cellH = r.h / rows + 1;
    for (int c = 0; c < columns; ++c)
        for (int row = 0; row < rows; ++row) {
            DirtyRect cell{r.x + c * cellW, r.y + row * cellH, cellW, cellH};
            if (cell.x + cell.w > kScreenWidth - 1)
                cell.w = kScreenWidth - cell.x;
            if (cell.y + cell.h > kScreenHeight - 1)
                cell.h = kScreenHeight - cell.y;
            out.push_back(cell);
        }
}

long long right(const DirtyRect& r) { return static_cast<long long>(r.x) + r.w; }
long long bottom(const DirtyRect& r) { return static_cast<long long>(r.y) + r.h; }

bool offScreen(const DirtyRect& r)
{
    return r.x > kScreenWidth - 1 || right(r) < 0 || r.y > kScreenHeight - 1 || bottom(r) < 0;
}

void clipToScreen(DirtyRect& r)
{
    if (r.x < 0) {
        r.w += r.x;
        r.x = 0;
    }
    if (right(r) > kScreenWidth - 1)
        r.w = kScreenWidth - r.x;
    if (r.y < 0) {
        r.h += r.y;
        r.y = 0;
    }
    if (bottom(r) > kScreenHeight - 1)
        r.h = kScreenHeight - r.y;
}

} // namespace

void dumpDirtyRects(const std::vector<DirtyRect>& rects)
{
    if (rects.empty() || !logging())
        return;
    const std::string dashes(55, '-');
    logMessage(LOG_RENDER_OPTIMIZE, "%s\nDIRTY RECTANGLES\n", dashes.c_str());
    for (const DirtyRect& r : rects)
        logMessage(LOG_RENDER_OPTIMIZE, "   %d x %d @ (%d,%d)\n", r.w, r.h, r.x, r.y);
    logMessage(LOG_RENDER_OPTIMIZE, "%s\n", dashes.c_str());
}

void mergeDirtyRects(std::vector<DirtyRect>& rects)
{
    bool merged = true;
    while (merged && rects.size() >= 2) {
        merged = false;
        for (size_t step = 0; step < rects.size(); ++step) {
            if (logging()) {
                logMessage(LOG_RENDER_OPTIMIZE,
                           "%s\n=== PHASE 3(%i):  DIRTY RECTANGLE OPTIMIZATION (%i rects) "
                           "============================\n",
                           kEquals.c_str(), static_cast<int>(step), static_cast<int>(rects.size()));
                dumpDirtyRects(rects);
                const DirtyRect& r = rects.front();
                logMessage(LOG_RENDER_OPTIMIZE, "Processing rectangle %i:  (%dx%d @ %d,%d)\n", static_cast<int>(step),
                           r.w, r.h, r.x, r.y);
            }
            merged = mergeFirst(rects, logging()) || merged;
        }
    }
}

bool clipDirtyRects(std::vector<DirtyRect>& rects, int controllerId)
{
    if (rects.empty())
        return false;
    if (logging()) {
        logMessage(LOG_RENDER_OPTIMIZE,
                   "%s\n=== PHASE 1:  OUT-OF-BOUNDS CLIPPING AND REMOVAL (%i rects) ======================\n",
                   kEquals.c_str(), static_cast<int>(rects.size()));
        dumpDirtyRects(rects);
    }
    // Kept between frames so that the list's storage is reused.
    static std::vector<DirtyRect> out;
    out.clear();
    bool cells = false;
    for (const DirtyRect& original : rects) {
        if (offScreen(original)) {
            logMessage(LOG_RENDER_OPTIMIZE, "   * Removing out-of-bounds rectangle (%ix%i at %i,%i)\n", original.w,
                       original.h, original.x, original.y);
            continue;
        }
        DirtyRect r = original;
        clipToScreen(r);
        // An empty rectangle paints nothing.
        if (r.w <= 0 || r.h <= 0)
            continue;
        if (area(r) > FULL_SCREEN_AREA_LIMIT) {
            cells = addFullScreen(out, controllerId);
            break;
        }
        if (area(r) > kCellSplitArea && controllerId == CONTROLLER_ID_GAME) {
            addCells(out, r);
            continue;
        }
        logMessage(LOG_RENDER_OPTIMIZE, "   * Adding rectangle (%ix%i at %i,%i) --> (%ix%i at %i,%i)\n", r.w, r.h, r.x,
                   r.y, original.w, original.h, original.x, original.y);
        out.push_back(r);
    }
    rects.swap(out);
    return cells;
}
