#pragma once

#include <cstdint>

// A triangle wave shaped by an exponent, for bobbing and pulsing effects.
// It advances one step per call, not by time.
class Oscillator
{
public:
    Oscillator(int base, int amplitude, float exponent, float scale, int startStep);
    ~Oscillator() = default;

    void step();
    int getValue() const;
    int getPhase() const { return phase_; }
    int getDirection() const { return direction_; }
    float getSwing() const { return value_; }

private:
    float base_;
    int32_t phase_;
    int32_t amplitude_;
    float exponent_;
    float scale_;
    int32_t direction_;
    float value_;
};

// Moves by a fixed step on the first call and then on every period-th call.
class LinearMover
{
public:
    LinearMover(float x, float y, float dx, float dy, int period);
    ~LinearMover() = default;

    void step();
    float getX() const { return x_; }
    float getY() const { return y_; }

private:
    float x_, y_, dx_, dy_;
    int32_t period_;
    int32_t counter_;
};

// Screen rectangle; two rectangles overlap only strictly (touching edges don't).
struct DirtyRect {
    int32_t x, y, w, h;
};

bool rectsOverlap(const DirtyRect& a, const DirtyRect& b);
DirtyRect rectUnion(const DirtyRect& a, const DirtyRect& b);

// lo + r / 32767 * (hi - lo) for the game's 15-bit random number r.
float randomFloat(float lo, float hi);
int randomInt(float lo, float hi);
