#pragma once

#include <cstdint>

// The inner loops of the display's blitter, over one run of 32-bit pixels
// (red, green and blue in the low three bytes, the high byte spare or
// alpha). Each blend keeps the target's high byte, as SDL does, and rounds
// every product to the nearest of 255 steps, so that a run drawn whole and
// the same run drawn in pieces give the same pixels. Solid runs are plain
// copies.
//
// Three sets do the same arithmetic: a plain one that runs anywhere, and
// SSE2 and AVX2 ones for the processors that have them; the best the
// processor has is picked at the first draw.

// One run of a row of a picture with alpha: pixels begin..end - 1, solid
// (copied from the picture) or translucent (blended from its premultiplied
// copy, which starts at `premultiplied`).
struct AlphaRun {
    static constexpr uint32_t kSolid = UINT32_MAX;
    uint16_t begin;
    uint16_t end;
    uint32_t premultiplied;
};

// A part of a picture with alpha to draw by its runs: the part's columns
// x..x + w - 1 of rows y..y + h - 1, onto `target` (the target pixel of the
// part's top-left corner; rows `targetPitch` pixels apart).
struct PlannedPart {
    const unsigned char* pixels;
    int pitch;
    // Row r's runs are runs[rowStart[r]] up to runs[rowStart[r + 1]].
    const uint32_t* rowStart;
    const AlphaRun* runs;
    const uint32_t* premultiplied;
    int x, y, w, h;
    uint32_t* target;
    int targetPitch;
};

struct DrawKernels {
    // A part of a picture with alpha, run by run: solid runs copied whole
    // (high byte too), translucent ones blended by `premultiplied`.
    void (*planned)(const PlannedPart& part);
    // Translucent pixels, premultiplied (colour already times alpha / 255,
    // alpha in the high byte): target = source + target x (255 - alpha) / 255.
    void (*premultiplied)(uint32_t* target, const uint32_t* source, int count);
    // A picture without alpha drawn with one alpha for the whole picture:
    // target = source x alpha / 255 + target x (255 - alpha) / 255.
    void (*constantAlpha)(uint32_t* target, const uint32_t* source, int count, uint8_t alpha);
};

enum class KernelSet { Plain, Sse2, Avx2 };

// Whether this processor runs the set.
bool kernelSetAvailable(KernelSet set);
// The fastest set this processor runs.
KernelSet bestKernelSet();
const char* kernelSetName(KernelSet set);
// The set in use: the best one, until another is chosen. Choosing a set
// the processor lacks chooses the plain one.
const DrawKernels& drawKernels();
void selectKernelSet(KernelSet set);
KernelSet selectedKernelSet();

// The premultiplied form of one pixel with straight alpha in its high byte.
uint32_t premultiplyPixel(uint32_t pixel);
