#include "engine/DrawKernels.h"

#include <cstring>
#include <initializer_list>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define CORVELLE_X86_KERNELS 1
#endif

namespace {

constexpr uint32_t kColour = 0x00FFFFFF;
constexpr uint32_t kSpare = 0xFF000000;

// Each colour byte times factor / 255, rounded to nearest as
// (x + 128 + (x + 128) / 256) / 256 (exact for x up to 255 x 255); the high
// byte is dropped. Red and blue are worked out side by side in the two
// halves of one word (no half reaches 65536, so none carries into the
// other), green on its own.
inline uint32_t scaleColour(uint32_t pixel, uint32_t factor)
{
    uint32_t redBlue = (pixel & 0x00FF00FF) * factor + 0x00800080;
    redBlue = ((redBlue + ((redBlue >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
    uint32_t green = (pixel & 0x0000FF00) * factor + 0x00008000;
    green = ((green + ((green >> 8) & 0x0000FF00)) >> 8) & 0x0000FF00;
    return redBlue | green;
}

inline uint32_t blendPremultiplied(uint32_t s, uint32_t d)
{
    return ((s & kColour) + scaleColour(d, 255 - (s >> 24))) | (d & kSpare);
}

inline uint32_t blendConstant(uint32_t s, uint32_t d, uint32_t alpha)
{
    return (scaleColour(s, alpha) + scaleColour(d, 255u - alpha)) | (d & kSpare);
}

void plainPremultiplied(uint32_t* target, const uint32_t* source, int count)
{
    for (int i = 0; i < count; ++i)
        target[i] = blendPremultiplied(source[i], target[i]);
}

void plainConstantAlpha(uint32_t* target, const uint32_t* source, int count, uint8_t alpha)
{
    for (int i = 0; i < count; ++i)
        target[i] = blendConstant(source[i], target[i], alpha);
}

// Every run of the part's rows, cut to its columns: solid runs copied as
// they stand, translucent ones blended by `premultiplied`.
template <typename Premultiplied>
__attribute__((always_inline)) inline void eachRun(const PlannedPart& part, Premultiplied premultiplied)
{
    const int left = part.x, right = part.x + part.w;
    for (int row = 0; row < part.h; ++row) {
        const int y = part.y + row;
        const uint32_t* source = reinterpret_cast<const uint32_t*>(part.pixels + y * part.pitch);
        uint32_t* target = part.target + row * part.targetPitch - left;
        // Runs lie left to right: those ending before the part are passed
        // over, the first beginning after it ends the row.
        const AlphaRun* end = part.runs + part.rowStart[y + 1];
        for (const AlphaRun* run = part.runs + part.rowStart[y]; run != end && run->begin < right; ++run) {
            if (run->end <= left)
                continue;
            int from = run->begin > left ? run->begin : left;
            int count = (run->end < right ? run->end : right) - from;
            if (run->premultiplied == AlphaRun::kSolid)
                memcpy(target + from, source + from, static_cast<size_t>(count) * 4);
            else
                premultiplied(target + from, part.premultiplied + run->premultiplied + (from - run->begin), count);
        }
    }
}

void plainPlanned(const PlannedPart& part) { eachRun(part, plainPremultiplied); }

const DrawKernels kPlain = {plainPlanned, plainPremultiplied, plainConstantAlpha};

#if CORVELLE_X86_KERNELS

// ---- SSE2: four pixels a step; a run's last few go through the plain
// arithmetic, which gives the same pixels.

#define SSE2 __attribute__((target("sse2")))

// Sixteen-bit lanes times factors / 255, rounded as scaleColour does.
SSE2 inline __m128i divide255Lanes(__m128i lanes, __m128i factors)
{
    __m128i x = _mm_add_epi16(_mm_mullo_epi16(lanes, factors), _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
}

// The factors (255 - alpha) for the colour lanes and 255 for the spare one,
// of the two pixels whose bytes are widened into `lanes`.
SSE2 inline __m128i inverseAlphaLanes(__m128i lanes)
{
    __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(lanes, 0xFF), 0xFF);
    const __m128i colourLanes = _mm_set_epi16(0, 0xFF, 0xFF, 0xFF, 0, 0xFF, 0xFF, 0xFF);
    return _mm_xor_si128(_mm_and_si128(alpha, colourLanes), _mm_set1_epi16(0xFF));
}

SSE2 inline __m128i load4(const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
SSE2 inline void store4(uint32_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

SSE2 void sse2Premultiplied(uint32_t* target, const uint32_t* source, int count)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i colour = _mm_set1_epi32(static_cast<int>(kColour));
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        __m128i s = load4(source + i), d = load4(target + i);
        __m128i low = divide255Lanes(_mm_unpacklo_epi8(d, zero), inverseAlphaLanes(_mm_unpacklo_epi8(s, zero)));
        __m128i high = divide255Lanes(_mm_unpackhi_epi8(d, zero), inverseAlphaLanes(_mm_unpackhi_epi8(s, zero)));
        store4(target + i, _mm_add_epi8(_mm_packus_epi16(low, high), _mm_and_si128(s, colour)));
    }
    plainPremultiplied(target + i, source + i, count - i);
}

SSE2 void sse2ConstantAlpha(uint32_t* target, const uint32_t* source, int count, uint8_t alpha)
{
    const __m128i zero = _mm_setzero_si128();
    const short a = alpha, inverse = static_cast<short>(255 - alpha);
    const __m128i sourceFactors = _mm_set_epi16(0, a, a, a, 0, a, a, a);
    const __m128i targetFactors = _mm_set_epi16(255, inverse, inverse, inverse, 255, inverse, inverse, inverse);
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        __m128i s = load4(source + i), d = load4(target + i);
        __m128i low = _mm_add_epi16(divide255Lanes(_mm_unpacklo_epi8(s, zero), sourceFactors),
                                    divide255Lanes(_mm_unpacklo_epi8(d, zero), targetFactors));
        __m128i high = _mm_add_epi16(divide255Lanes(_mm_unpackhi_epi8(s, zero), sourceFactors),
                                     divide255Lanes(_mm_unpackhi_epi8(d, zero), targetFactors));
        store4(target + i, _mm_packus_epi16(low, high));
    }
    plainConstantAlpha(target + i, source + i, count - i, alpha);
}

SSE2 void sse2Planned(const PlannedPart& part)
{
    eachRun(part, [](uint32_t* t, const uint32_t* s, int n) SSE2 { sse2Premultiplied(t, s, n); });
}

const DrawKernels kSse2 = {sse2Planned, sse2Premultiplied, sse2ConstantAlpha};

// ---- AVX2: eight pixels a step; a run's last few through masked loads
// and stores, touching no pixel past its end.

#define AVX2 __attribute__((target("avx2")))

AVX2 inline __m256i divide255Lanes(__m256i lanes, __m256i factors)
{
    __m256i x = _mm256_add_epi16(_mm256_mullo_epi16(lanes, factors), _mm256_set1_epi16(128));
    return _mm256_srli_epi16(_mm256_add_epi16(x, _mm256_srli_epi16(x, 8)), 8);
}

// Eight pixels times per-byte factors / 255 (every byte, the high one too).
AVX2 inline __m256i scaleBytes(__m256i pixels, __m256i factors)
{
    const __m256i zero = _mm256_setzero_si256();
    __m256i low = divide255Lanes(_mm256_unpacklo_epi8(pixels, zero), _mm256_unpacklo_epi8(factors, zero));
    __m256i high = divide255Lanes(_mm256_unpackhi_epi8(pixels, zero), _mm256_unpackhi_epi8(factors, zero));
    return _mm256_packus_epi16(low, high);
}

AVX2 inline __m256i load8(const uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
AVX2 inline void store8(uint32_t* p, __m256i v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }

AVX2 inline __m256i firstLanes(int count)
{
    return _mm256_cmpgt_epi32(_mm256_set1_epi32(count), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
}
AVX2 inline __m256i loadFirst(const uint32_t* p, __m256i lanes)
{
    return _mm256_maskload_epi32(reinterpret_cast<const int*>(p), lanes);
}
AVX2 inline void storeFirst(uint32_t* p, __m256i lanes, __m256i v)
{
    _mm256_maskstore_epi32(reinterpret_cast<int*>(p), lanes, v);
}

// Runs `step(target, source)` over eight pixels at a time, the last few
// (below eight) in one masked step.
template <typename Step>
AVX2 inline void eachEight(uint32_t* target, const uint32_t* source, int count, Step step)
{
    int i = 0;
    for (; i + 8 <= count; i += 8)
        store8(target + i, step(load8(target + i), load8(source + i)));
    if (i < count) {
        __m256i lanes = firstLanes(count - i);
        storeFirst(target + i, lanes, step(loadFirst(target + i, lanes), loadFirst(source + i, lanes)));
    }
}

AVX2 inline void avx2Premultiplied(uint32_t* target, const uint32_t* source, int count)
{
    // Each pixel's alpha into its three colour bytes, 0 into the high one;
    // inverted, that is (255 - alpha) for the colour and 255 for the spare
    // byte, which the target thus keeps.
    const __m256i spreadAlpha = _mm256_setr_epi8(3, 3, 3, -1, 7, 7, 7, -1, 11, 11, 11, -1, 15, 15, 15, -1, 3, 3, 3,
                                                 -1, 7, 7, 7, -1, 11, 11, 11, -1, 15, 15, 15, -1);
    const __m256i ones = _mm256_set1_epi32(-1);
    const __m256i colour = _mm256_set1_epi32(static_cast<int>(kColour));
    eachEight(target, source, count, [&](__m256i d, __m256i s) AVX2 {
        __m256i inverse = _mm256_xor_si256(_mm256_shuffle_epi8(s, spreadAlpha), ones);
        return _mm256_add_epi8(scaleBytes(d, inverse), _mm256_and_si256(s, colour));
    });
}

AVX2 void avx2ConstantAlpha(uint32_t* target, const uint32_t* source, int count, uint8_t alpha)
{
    const uint32_t a = alpha, inverse = 255u - alpha;
    const __m256i sourceFactors = _mm256_set1_epi32(static_cast<int>(a | a << 8 | a << 16));
    const __m256i targetFactors =
        _mm256_set1_epi32(static_cast<int>(inverse | inverse << 8 | inverse << 16 | 0xFFu << 24));
    eachEight(target, source, count, [&](__m256i d, __m256i s) AVX2 {
        return _mm256_add_epi8(scaleBytes(s, sourceFactors), scaleBytes(d, targetFactors));
    });
}

AVX2 void avx2Planned(const PlannedPart& part)
{
    eachRun(part, [](uint32_t* t, const uint32_t* s, int n) AVX2 { avx2Premultiplied(t, s, n); });
}

const DrawKernels kAvx2 = {avx2Planned, avx2Premultiplied, avx2ConstantAlpha};

bool processorHas(KernelSet set)
{
    __builtin_cpu_init();
    switch (set) {
    case KernelSet::Plain:
        return true;
    case KernelSet::Sse2:
        return __builtin_cpu_supports("sse2");
    case KernelSet::Avx2:
        return __builtin_cpu_supports("avx2");
    }
    return false;
}

const DrawKernels& kernelsOf(KernelSet set)
{
    return set == KernelSet::Avx2 ? kAvx2 : set == KernelSet::Sse2 ? kSse2 : kPlain;
}

#else

bool processorHas(KernelSet set) { return set == KernelSet::Plain; }
const DrawKernels& kernelsOf(KernelSet) { return kPlain; }

#endif

struct Selection {
    KernelSet set = bestKernelSet();
    const DrawKernels* kernels = &kernelsOf(set);
};

Selection& selection()
{
    static Selection chosen;
    return chosen;
}

} // namespace

bool kernelSetAvailable(KernelSet set)
{
    static const bool available[] = {processorHas(KernelSet::Plain), processorHas(KernelSet::Sse2),
                                     processorHas(KernelSet::Avx2)};
    return available[static_cast<int>(set)];
}

KernelSet bestKernelSet()
{
    for (KernelSet set : {KernelSet::Avx2, KernelSet::Sse2})
        if (kernelSetAvailable(set))
            return set;
    return KernelSet::Plain;
}

const char* kernelSetName(KernelSet set)
{
    return set == KernelSet::Avx2 ? "AVX2" : set == KernelSet::Sse2 ? "SSE2" : "plain";
}

const DrawKernels& drawKernels() { return *selection().kernels; }

void selectKernelSet(KernelSet set)
{
    Selection& chosen = selection();
    chosen.set = kernelSetAvailable(set) ? set : KernelSet::Plain;
    chosen.kernels = &kernelsOf(chosen.set);
}

KernelSet selectedKernelSet() { return selection().set; }

uint32_t premultiplyPixel(uint32_t pixel)
{
    uint32_t alpha = pixel >> 24;
    return scaleColour(pixel, alpha) | (alpha << 24);
}
