#include "engine/PreloadLists.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/ImagesCached.h"
#include "engine/Log.h"
#include "engine/PreloadTable.h"

namespace {

constexpr int kBarStep = 100;

// Every text image is centred both ways in its box.
SDL_Surface* renderWithFontSystem(int width, int height, int stringNumber)
{
    return CFontSystem::RenderStringEx(width, height, ALIGN_CENTRE_MIDDLE, stringNumber);
}

TextBoxRenderer textBoxRenderer = renderWithFontSystem;

// An entry that renders nothing still gives an image of the box's size, so
// whoever draws the caption finds one.
void makeTextImage(const preload::TextImage& t)
{
    SDL_Surface* text = textBoxRenderer(t.width, t.height, t.stringNumber);
    if (text)
        CDraw::LoadSurface(text, t.name.c_str());
    else
        CDraw::createImage(t.width, t.height, t.name.c_str());
}

struct ActionRunner {
    void operator()(const preload::Acquire& a) { CDraw::getImage(a.name.c_str()); }
    void operator()(const preload::AcquireSeries& a)
    {
        CDraw::getImageSeriesNames(a.prefix.c_str(), a.first, a.last, a.suffix.c_str());
    }
    void operator()(const preload::Copy& c) { CDraw::CopyImage(c.source.c_str(), c.made.c_str(), c.dA); }
    void operator()(const preload::CopySeries& c)
    {
        CDraw::copyImageSeries(c.sourcePrefix.c_str(), c.madePrefix.c_str(), c.first, c.last, c.suffix.c_str(), c.dA);
    }
    void operator()(const preload::TextImage& t) { makeTextImage(t); }
    void operator()(const preload::FadeSeries& f) { CDraw::createFadeSeries(f.name.c_str(), f.count, f.step); }
    void operator()(const preload::BarStep&) { CDraw::addLoadProgress(kBarStep); }
};

void runList(const char* function)
{
    const preload::List& list = preload::list(function);
    std::string title = list.function + "()";
    logMessage(LOG_TICKS, "%-20s   %s\n", title.c_str(), list.heading.c_str());
    for (const preload::Group& group : list.groups) {
        for (const preload::Action& action : group.actions)
            std::visit(ActionRunner{}, action);
        logMessage(LOG_TICKS, "%-20s      Loaded:  %s\n", title.c_str(), group.name.c_str());
    }
}

} // namespace

void setTextBoxRendererForTesting(TextBoxRenderer renderer)
{
    textBoxRenderer = renderer ? std::move(renderer) : renderWithFontSystem;
}

int64_t preloadListProgress()
{
    int64_t steps = 0;
    for (const preload::List& list : preload::lists())
        for (const preload::Group& group : list.groups)
            for (const preload::Action& action : group.actions)
                steps += std::holds_alternative<preload::BarStep>(action) ? 1 : 0;
    return steps * kBarStep;
}

void runPreloadLists()
{
    cacheMain();
    logMessage(LOG_MILESTONE, "ID_000b: INIT:     Main Menu Cached\n");
    cacheMap();
    logMessage(LOG_MILESTONE, "ID_000c: INIT:     Map Cached\n");
    cacheGame();
    logMessage(LOG_MILESTONE, "ID_000d: INIT:     Game Cached\n");
    cacheButtons();
    logMessage(LOG_MILESTONE, "ID_000e: INIT:     Buttons Cached\n");
    cacheFadedImages();
    logMessage(LOG_MILESTONE, "ID_000f: INIT:     Faded Cached\n");
}

void cacheMain() { runList("cacheMain"); }
void cacheMap() { runList("cacheMap"); }

void cacheGame()
{
    runList("cacheGame");
    cacheGameBot();
    cacheGameButton();
    cacheGameGunshot();
    cacheGameGate();
    cacheGamePowerup();
    cacheGameTramp();
    cacheGameTerrain();
    cacheGameBarrels();
    cacheGameMagnets();
    cacheGameCrates();
    cacheGameTubes();
    cacheGameProf();
    cacheGameTeleports();
    markImagesCached();
}

void cacheButtons() { runList("cacheButtons"); }
void cacheFadedImages() { runList("cacheFadedImages"); }

void cacheGameBot() { runList("cacheGameBot"); }
void cacheGameButton() { runList("cacheGameButton"); }
void cacheGameGunshot() { runList("cacheGameGunshot"); }
void cacheGameGate() { runList("cacheGameGate"); }
void cacheGamePowerup() { runList("cacheGamePowerup"); }
void cacheGameTramp() { runList("cacheGameTramp"); }
void cacheGameTerrain() { runList("cacheGameTerrain"); }
void cacheGameBarrels() { runList("cacheGameBarrels"); }
void cacheGameMagnets() { runList("cacheGameMagnets"); }
void cacheGameCrates() { runList("cacheGameCrates"); }
void cacheGameTubes() { runList("cacheGameTubes"); }
void cacheGameProf() { runList("cacheGameProf"); }
void cacheGameTeleports() { runList("cacheGameTeleports"); }
