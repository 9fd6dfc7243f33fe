#pragma once

#include <SDL.h>

#include <cstdint>

#include <functional>

// The start-up lists of images that are decoded once and held for the whole
// run, with the derived images made from them (engine/PreloadTable.cpp holds
// what each does). They run right after the image preload has put every
// image file in memory.
//
// The five lists in their order, each followed by its milestone log line.
void runPreloadLists();
// What runPreloadLists adds to the loading bar.
int64_t preloadListProgress();

// The game list runs its element groups in the order below and then marks
// every element class's images as cached (engine/ImagesCached.h).
void cacheMain();
void cacheMap();
void cacheGame();
void cacheButtons();
void cacheFadedImages();

void cacheGameBot();
void cacheGameButton();
void cacheGameGunshot();
void cacheGameGate();
void cacheGamePowerup();
void cacheGameTramp();
void cacheGameTerrain();
void cacheGameBarrels();
void cacheGameMagnets();
void cacheGameCrates();
void cacheGameTubes();
void cacheGameProf();
void cacheGameTeleports();

// Renders a text-table entry centred (across and down) into a new surface of
// width x height; null when the entry renders nothing.
using TextBoxRenderer = std::function<SDL_Surface*(int width, int height, int stringNumber)>;
// Tests draw the lists' text images with a renderer of their own; null puts
// the font system back.
void setTextBoxRendererForTesting(TextBoxRenderer renderer);
