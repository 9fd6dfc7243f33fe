#include "engine/DrawKernels.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define CORVELLE_AVX2_KERNELS 1
#endif

namespace {

constexpr uint32_t kColour = 0x00FFFFFF;
constexpr uint32_t kSpare = 0xFF000000;

// x / 255 rounded to nearest, for x up to 255 x 255.
inline uint32_t divide255(uint32_t x)
{
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// Each colour byte times factor / 255; the high byte is dropped.
inline uint32_t scaleColour(uint32_t pixel, uint32_t factor)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8)
        out |= divide255(((pixel >> shift) & 0xFF) * factor) << shift;
    return out;
}

void plainSolid(uint32_t* target, const uint32_t* source, int count)
{
    for (int i = 0; i < count; ++i)
        target[i] = (source[i] & kColour) | (target[i] & kSpare);
}

void plainPremultiplied(uint32_t* target, const uint32_t* source, int count)
{
    for (int i = 0; i < count; ++i) {
        uint32_t s = source[i], d = target[i];
        target[i] = ((s & kColour) + scaleColour(d, 255 - (s >> 24))) | (d & kSpare);
    }
}

void plainConstantAlpha(uint32_t* target, const uint32_t* source, int count, uint8_t alpha)
{
    for (int i = 0; i < count; ++i) {
        uint32_t d = target[i];
        target[i] = (scaleColour(source[i], alpha) + scaleColour(d, 255u - alpha)) | (d & kSpare);
    }
}

// Every run of the part's rows, cut to its columns.
template <typename Solid, typename Premultiplied>
__attribute__((always_inline)) inline void eachRun(const PlannedPart& part, Solid solid, Premultiplied premultiplied)
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
                solid(target + from, source + from, count);
            else
                premultiplied(target + from, part.premultiplied + run->premultiplied + (from - run->begin), count);
        }
    }
}

void plainPlanned(const PlannedPart& part) { eachRun(part, plainSolid, plainPremultiplied); }

const DrawKernels kPlain = {plainPlanned, plainSolid, plainPremultiplied, plainConstantAlpha};

#if CORVELLE_AVX2_KERNELS

#define AVX2 __attribute__((target("avx2")))

// Sixteen-bit lanes times factors / 255, rounded as divide255 does.
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

AVX2 inline __m256i load(const uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
AVX2 inline void store(uint32_t* p, __m256i v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }

// The first `count` (below 8) of eight pixels: the rest of a run in one step,
// touching no pixel past its end.
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
// through masked loads and stores.
template <typename Step>
AVX2 inline void eachEight(uint32_t* target, const uint32_t* source, int count, Step step)
{
    int i = 0;
    for (; i + 8 <= count; i += 8)
        store(target + i, step(load(target + i), load(source + i)));
    if (i < count) {
        __m256i lanes = firstLanes(count - i);
        storeFirst(target + i, lanes, step(loadFirst(target + i, lanes), loadFirst(source + i, lanes)));
    }
}

AVX2 inline void simdSolid(uint32_t* target, const uint32_t* source, int count)
{
    const __m256i colour = _mm256_set1_epi32(static_cast<int>(kColour));
    eachEight(target, source, count, [&](__m256i d, __m256i s) AVX2 { return _mm256_blendv_epi8(d, s, colour); });
}

AVX2 inline void simdPremultiplied(uint32_t* target, const uint32_t* source, int count)
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

AVX2 void simdConstantAlpha(uint32_t* target, const uint32_t* source, int count, uint8_t alpha)
{
    const uint32_t a = alpha, inverse = 255u - alpha;
    const __m256i sourceFactors = _mm256_set1_epi32(static_cast<int>(a | a << 8 | a << 16));
    const __m256i targetFactors =
        _mm256_set1_epi32(static_cast<int>(inverse | inverse << 8 | inverse << 16 | 0xFFu << 24));
    eachEight(target, source, count, [&](__m256i d, __m256i s) AVX2 {
        return _mm256_add_epi8(scaleBytes(s, sourceFactors), scaleBytes(d, targetFactors));
    });
}

AVX2 void simdPlanned(const PlannedPart& part)
{
    eachRun(
        part, [](uint32_t* t, const uint32_t* s, int n) AVX2 { simdSolid(t, s, n); },
        [](uint32_t* t, const uint32_t* s, int n) AVX2 { simdPremultiplied(t, s, n); });
}

const DrawKernels kSimd = {simdPlanned, simdSolid, simdPremultiplied, simdConstantAlpha};

bool processorHasAvx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

#else

const DrawKernels kSimd = kPlain;
bool processorHasAvx2() { return false; }

#endif

struct Selection {
    bool simd = simdKernelsAvailable();
};

Selection& selection()
{
    static Selection chosen;
    return chosen;
}

} // namespace

bool simdKernelsAvailable()
{
    static const bool available = processorHasAvx2();
    return available;
}

const DrawKernels& drawKernels() { return selection().simd ? kSimd : kPlain; }

void selectKernelSet(KernelSet set) { selection().simd = set == KernelSet::Simd && simdKernelsAvailable(); }

KernelSet selectedKernelSet() { return selection().simd ? KernelSet::Simd : KernelSet::Plain; }

uint32_t premultiplyPixel(uint32_t pixel)
{
    uint32_t alpha = pixel >> 24;
    return scaleColour(pixel, alpha) | (alpha << 24);
}
