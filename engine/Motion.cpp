#include "engine/Motion.h"

#include "platform/Random.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

Oscillator::Oscillator(int base, int amplitude, float exponent, float scale, int startStep)
    : base_(static_cast<float>(base)), phase_(0), amplitude_(amplitude), exponent_(exponent),
      scale_(scale), direction_(1), value_(0.0f)
{
    // An amplitude of 0 would divide by zero; the smallest wave is one step.
    if (amplitude_ < 1)
        amplitude_ = 1;
    int q = startStep / amplitude_;
    int r = startStep % amplitude_;
    switch (q % 4) {
    case 0:
        phase_ = r;
        direction_ = 1;
        break;
    case 1:
        phase_ = amplitude_ - r;
        direction_ = -1;
        break;
    case 2:
        phase_ = -r;
        direction_ = -1;
        break;
    default:
        phase_ = r - amplitude_;
        direction_ = 1;
        break;
    }
}

void Oscillator::step()
{
    phase_ += direction_;
    if (phase_ >= amplitude_)
        direction_ = -1;
    if (phase_ <= -amplitude_)
        direction_ = 1;
    double ratio = static_cast<double>(std::abs(phase_)) / amplitude_;
    value_ = static_cast<float>((1.0 - pow(ratio, exponent_)) * scale_);
    if (direction_ == -1)
        value_ = -value_;
}

int Oscillator::getValue() const
{
    return static_cast<int>(base_ + value_);
}

LinearMover::LinearMover(float x, float y, float dx, float dy, int period)
    : x_(x), y_(y), dx_(dx), dy_(dy), period_(period < 1 ? 1 : period), counter_(0)
{
}

void LinearMover::step()
{
    if (counter_ == 0) {
        x_ += dx_;
        y_ += dy_;
    }
    counter_ = (counter_ + 1) % period_;
}

bool rectsOverlap(const DirtyRect& a, const DirtyRect& b)
{
    return a.x + a.w > b.x && a.x < b.x + b.w && a.y + a.h > b.y && a.y < b.y + b.h;
}

DirtyRect rectUnion(const DirtyRect& a, const DirtyRect& b)
{
    DirtyRect u;
    u.x = std::min(a.x, b.x);
    u.y = std::min(a.y, b.y);
    u.w = std::max(a.x + a.w, b.x + b.w) - u.x;
    u.h = std::max(a.y + a.h, b.y + b.h) - u.y;
    return u;
}

float randomFloat(float lo, float hi)
{
    float span = hi - lo;
    return static_cast<float>(lo + gameRand() / 32767.0 * span);
}

int randomInt(float lo, float hi)
{
    return static_cast<int>(randomFloat(lo, hi));
}
