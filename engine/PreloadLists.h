#pragma once

// The start-up lists of images that are decoded once and held for the whole
// run, with the derived images made from them. The image preload runs them
// in this order, after every image file is in memory, and logs a milestone
// after each.
void cacheMain();
void cacheMap();
void cacheGame();
void cacheButtons();
void cacheFadedImages();
