// Rendering benchmark: a game-like scene (a background picture and 400
// sprites of 24 to 48 pixels in the game's layers, drawn by the game
// screen's rules) measured per frame for
//   (a) a typical frame, in which 40 sprites (10 %) move,
//   (b) a full repaint (CRender::InvalidateAll),
//   (c) the baseline: one full-screen blit of an 800 x 600 32-bit opaque
//       picture onto the screen by SDL_BlitSurface (what the display did
//       before it had a blitter of its own), and beside it a plain memcpy
//       of the same pixels,
// all in the same run, as time per frame and as a ratio to each baseline.
// The ratios move with the machine: the frame is mostly blending and the
// baseline copying, so a machine that copies fast against its arithmetic
// shows higher ratios.
//
//   RenderBench [--frames N] [--rounds R] [--only typical|full|baseline]
//               [--kernels plain|sse2|avx2]
//
// Each part runs R rounds of N frames, the parts taking turns, and every
// frame is timed: the figures are medians over all frames of a part, so
// that a frame cut short by other work on the machine (this process
// preempted, its caches emptied) counts no more than any one frame. --kernels picks the
// blitter's loops (by default the best the processor has; a set it lacks
// runs the plain loops).
//
// It runs headless (SDL's dummy video driver) in the game folder of the
// build, which holds the start-up pictures the display needs. Instructions
// per frame: run one part under callgrind, collecting only in its loop, and
// divide the instruction count by N:
//   valgrind --tool=callgrind --toggle-collect='*runFullRepaints*'
//            build/bench/RenderBench --frames 50 --rounds 1 --only full
// (the loops are runTypicalFrames, runFullRepaints and runBaselineBlits).
#include "engine/Draw.h"
#include "engine/DrawKernels.h"
#include "engine/Render.h"
#include "engine/Sprite.h"
#include "platform/Random.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kTile = 24;
constexpr int kBoardX = 16;
constexpr int kBoardY = 12;
constexpr int kColumns = 32;
constexpr int kRows = 24;
constexpr int kGameScreen = 5;

// A picture in the shape of the game's art: an opaque backdrop, or a
// sprite with transparent corners and a soft edge (per-pixel alpha).
int makePicture(const std::string& name, int w, int h, bool alpha, Uint32 seed)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000, 0x0000FF00, 0x000000FF,
                                          alpha ? 0xFF000000 : 0);
    SDL_LockSurface(s);
    for (int y = 0; y < h; ++y) {
        Uint32* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < w; ++x) {
            Uint32 colour = ((x * 7 + seed * 31) & 0xFF) << 16 | ((y * 5 + seed * 17) & 0xFF) << 8 | (seed * 53 & 0xFF);
            Uint32 a = 0xFF;
            if (alpha) {
                int dx = 2 * x - w + 1;
                int dy = 2 * y - h + 1;
                long d = static_cast<long>(dx) * dx * h * h + static_cast<long>(dy) * dy * w * w;
                long r = static_cast<long>(w) * w * h * h;
                a = d > r ? 0 : d > r * 8 / 10 ? 0x80 : 0xFF;
            }
            row[x] = a << 24 | colour;
        }
    }
    SDL_UnlockSurface(s);
    return CDraw::LoadSurface(s, name.c_str());
}

struct Kind {
    int type;
    int w, h;
    int count;
    bool moves;
};

// The layers of a level: terrain, gates and buttons, trampolines, tubes,
// shots, bots, the professor, a teleport, power-ups and ladders.
const Kind kKinds[] = {
    {KIND_GATE_BACK, 24, 24, 75, false},
    {KIND_GATE_FRONT, 24, 24, 40, false},
    {KIND_GATE_LIGHTS, 24, 30, 20, false},
    {KIND_BUTTON, 24, 24, 20, false},
    {KIND_GATE_BACK_CLOSING, 24, 24, 20, false},
    {KIND_TERRAIN, 24, 48, 40, false},
    {KIND_TRAMPOLINE_BACK, 30, 30, 20, false},
    {KIND_TRAMPOLINE_FRONT, 24, 36, 15, false},
    {KIND_TRAMPOLINE_CANVAS, 36, 36, 15, false},
    {KIND_TUBE, 24, 24, 20, true},
    {KIND_TUBE_EXIT_LIGHTS, 30, 30, 15, false},
    {KIND_SHOT, 24, 24, 20, false},
    {KIND_BOT, 32, 40, 10, true},
    {KIND_PROFESSOR, 32, 40, 10, true},
    {KIND_TELEPORT_FRONT, 40, 48, 1, false},
    {KIND_POWERUP_ITEM, 48, 48, 20, false},
    {KIND_BOARD_SPARE_55, 36, 36, 19, false},
    {KIND_LADDER, 48, 24, 10, false},
    {KIND_LADDER_PLATFORM, 48, 24, 10, false},
};

struct Mover {
    CSprite* sprite;
    int step;
    int travelled;
};

class Scene
{
public:
    Scene()
    {
        backgroundImage_ = makePicture("bench_background.jpg", SCREEN_WIDTH, SCREEN_HEIGHT, false, 1);
        background_ = std::make_unique<CSprite>(29, 20, KIND_BACKGROUND, 0, false, 1, 1);
        background_->addFrameSurface(backgroundImage_);
        background_->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
        gameSrand(12345);
        Uint32 seed = 2;
        for (const Kind& kind : kKinds) {
            std::string name = "bench_" + std::to_string(kind.type) + ".tga";
            makePicture(name, kind.w, kind.h, true, seed++);
            for (int i = 0; i < kind.count; ++i)
                addSprite(kind, name);
        }
    }

    void moveSome()
    {
        for (Mover& m : movers_) {
            m.sprite->setLocation(m.sprite->getX(false) + m.step, m.sprite->getY(false), false);
            m.travelled += 2;
            if (m.travelled >= 2 * kTile) {
                m.travelled = 0;
                m.step = -m.step;
            }
        }
    }

    size_t spriteCount() const { return sprites_.size(); }
    size_t moverCount() const { return movers_.size(); }
    int backgroundImage() const { return backgroundImage_; }

private:
    // Stands on a random cell and reaches up (ladders hang down).
    void addSprite(const Kind& kind, const std::string& name)
    {
        int tileW = (kind.w + kTile - 1) / kTile;
        int tileH = (kind.h + kTile - 1) / kTile;
        int reach = kind.type == 10 ? 0 : kind.h - kTile;
        auto s = std::make_unique<CSprite>(29 + (kind.w - kTile) / 2, 20 + reach, kind.type, 0, true, tileW, tileH);
        s->addFrame(name.c_str());
        int column = 1 + gameRand() % (kColumns - 2);
        int row = 2 + gameRand() % (kRows - 3);
        s->setLocation(kBoardX + column * kTile, kBoardY + row * kTile, false);
        s->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
        if (kind.moves)
            movers_.push_back({s.get(), gameRand() % 2 ? 2 : -2, 0});
        sprites_.push_back(std::move(s));
    }

    int backgroundImage_;
    std::unique_ptr<CSprite> background_;
    std::vector<std::unique_ptr<CSprite>> sprites_;
    std::vector<Mover> movers_;
};

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

size_t g_dirtyRects = 0;

// Every frame's time of each part, over all rounds.
struct Times {
    std::vector<double> typical, full, baseline, copy;
};

// The loops are kept out of line so that callgrind can collect in them alone.
__attribute__((noinline)) void runTypicalFrames(Scene& scene, int frames, std::vector<double>& times)
{
    for (int i = 0; i < frames; ++i) {
        scene.moveSome();
        Clock::time_point start = Clock::now();
        CRender::Render(true);
        g_dirtyRects += CRender::GetDirtyRects().size();
        CRender::Clear();
        times.push_back(millisecondsSince(start));
    }
}

__attribute__((noinline)) void runFullRepaints(int frames, std::vector<double>& times)
{
    for (int i = 0; i < frames; ++i) {
        Clock::time_point start = Clock::now();
        CRender::InvalidateAll();
        CRender::Render(true);
        CRender::Clear();
        times.push_back(millisecondsSince(start));
    }
}

__attribute__((noinline)) void runBaselineBlits(int image, int frames, std::vector<double>& times)
{
    SDL_Surface* picture = CDraw::getImageSurface(image);
    for (int i = 0; i < frames; ++i) {
        Clock::time_point start = Clock::now();
        SDL_Rect at = {0, 0, 0, 0};
        SDL_BlitSurface(picture, nullptr, CDraw::getScreen(), &at);
        times.push_back(millisecondsSince(start));
    }
}

__attribute__((noinline)) void runBaselineCopies(int image, int frames, std::vector<double>& times)
{
    SDL_Surface* picture = CDraw::getImageSurface(image);
    SDL_Surface* screen = CDraw::getScreen();
    for (int i = 0; i < frames; ++i) {
        Clock::time_point start = Clock::now();
        memcpy(screen->pixels, picture->pixels, static_cast<size_t>(picture->pitch) * picture->h);
        times.push_back(millisecondsSince(start));
    }
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        CRender::Render(true);
        CRender::Clear();
    }
}

} // namespace

int main(int argc, char** argv)
{
    int frames = 200;
    int rounds = 5;
    std::string only;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!strcmp(argv[i], "--frames"))
            frames = std::max(1, atoi(argv[i + 1]));
        else if (!strcmp(argv[i], "--rounds"))
            rounds = std::max(1, atoi(argv[i + 1]));
        else if (!strcmp(argv[i], "--only"))
            only = argv[i + 1];
        else if (!strcmp(argv[i], "--kernels"))
            selectKernelSet(!strcmp(argv[i + 1], "avx2")   ? KernelSet::Avx2
                            : !strcmp(argv[i + 1], "sse2") ? KernelSet::Sse2
                                                           : KernelSet::Plain);
    }
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (chdir(CORVELLE_GAME_DIR) != 0) {
        fprintf(stderr, "No game folder at %s\n", CORVELLE_GAME_DIR);
        return 1;
    }
    CDraw::setDeveloperMode(false);
    CDraw display;
    CRender renderer;
    CRender::setControllerIdSource([] { return kGameScreen; });
    Scene scene;
    settle();
    printf("Scene: %zu sprites over a background, %zu moving each frame; median frame of %d rounds of %d frames\n",
           scene.spriteCount(), scene.moverCount(), rounds, frames);
    printf("Blitter loops: %s\n", kernelSetName(selectedKernelSet()));

    Times times;
    for (int round = 0; round < rounds; ++round) {
        if (only.empty() || only == "baseline") {
            runBaselineBlits(scene.backgroundImage(), frames, times.baseline);
            runBaselineCopies(scene.backgroundImage(), frames, times.copy);
        }
        if (only.empty() || only == "typical")
            runTypicalFrames(scene, frames, times.typical);
        settle();
        if (only.empty() || only == "full")
            runFullRepaints(frames, times.full);
    }
    const double typical = median(times.typical), full = median(times.full);
    const double baseline = median(times.baseline), copy = median(times.copy);

    auto report = [&](const char* what, double ms) {
        if (ms > 0)
            printf("%-32s %8.3f ms/frame", what, ms);
        if (ms > 0 && baseline > 0)
            printf("   %5.2f x SDL blit   %5.2f x memcpy", ms / baseline, ms / copy);
        if (ms > 0)
            printf("\n");
    };
    report("(c) full-screen SDL blit", baseline);
    report("    full-screen memcpy", copy);
    report("(a) typical frame (10% moving)", typical);
    if (typical > 0)
        printf("%-32s %8.1f\n", "    dirty rectangles per frame",
               static_cast<double>(g_dirtyRects) / static_cast<double>(times.typical.size()));
    report("(b) full repaint", full);
    return 0;
}
