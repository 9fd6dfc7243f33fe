#include "engine/Motion.h"
#include "platform/Random.h"

#include <gtest/gtest.h>

TEST(OscillatorTest, TriangleWaveFollowsDirection)
{
    Oscillator wave(0, 10, 1.0f, 5.0f, 0);
    wave.step();
    EXPECT_EQ(wave.getPhase(), 1);
    EXPECT_FLOAT_EQ(wave.getSwing(), 4.5f);
    EXPECT_EQ(wave.getValue(), 4);
    for (int i = 0; i < 9; ++i)
        wave.step();
    EXPECT_EQ(wave.getPhase(), 10);
    EXPECT_EQ(wave.getDirection(), -1);
    EXPECT_FLOAT_EQ(wave.getSwing(), 0.0f);
    wave.step();
    EXPECT_EQ(wave.getPhase(), 9);
    EXPECT_FLOAT_EQ(wave.getSwing(), -0.5f);
    EXPECT_EQ(wave.getValue(), 0);
}

TEST(OscillatorTest, StartStepPlacesThePhase)
{
    struct Case {
        int startStep, phase, direction;
    } cases[] = {{0, 0, 1}, {3, 3, 1}, {13, 7, -1}, {25, -5, -1}, {37, -3, 1}, {-5, -5, 1}, {-15, -15, 1}};
    for (const Case& c : cases) {
        Oscillator wave(0, 10, 1.0f, 1.0f, c.startStep);
        EXPECT_EQ(wave.getPhase(), c.phase) << c.startStep;
        EXPECT_EQ(wave.getDirection(), c.direction) << c.startStep;
    }
}

TEST(OscillatorTest, ZeroAmplitudeDoesNotDivideByZero)
{
    Oscillator wave(3, 0, 1.0f, 2.0f, 7);
    for (int i = 0; i < 4; ++i)
        wave.step();
    EXPECT_GE(wave.getValue(), 1);
    EXPECT_LE(wave.getValue(), 5);
}

TEST(LinearMoverTest, MovesOnFirstAndEveryPeriodthCall)
{
    LinearMover mover(0, 0, 2, 0, 3);
    float expected[] = {2, 2, 2, 4, 4, 4, 6};
    for (float x : expected) {
        mover.step();
        EXPECT_FLOAT_EQ(mover.getX(), x);
    }
    LinearMover everyCall(0, 0, 1, 1, 0);
    everyCall.step();
    everyCall.step();
    EXPECT_FLOAT_EQ(everyCall.getY(), 2);
}

TEST(RectTest, OverlapIsStrictAndUnionBounds)
{
    struct Case {
        DirtyRect a, b;
        bool overlap;
    } cases[] = {
        {{0, 0, 10, 10}, {10, 0, 5, 5}, false},
        {{0, 0, 10, 10}, {0, 10, 5, 5}, false},
        {{0, 0, 10, 10}, {9, 9, 5, 5}, true},
        {{0, 0, 10, 10}, {-5, -5, 6, 6}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rectsOverlap(c.a, c.b), c.overlap);
        EXPECT_EQ(rectsOverlap(c.b, c.a), c.overlap);
    }
    DirtyRect u = rectUnion({0, 0, 10, 10}, {20, 5, 5, 20});
    EXPECT_EQ(u.x, 0);
    EXPECT_EQ(u.y, 0);
    EXPECT_EQ(u.w, 25);
    EXPECT_EQ(u.h, 25);
}

TEST(RandomTest, FifteenBitRangesAndEmptyRanges)
{
    gameSrand(42);
    int largest = 0;
    for (int i = 0; i < 200000; ++i) {
        int r = gameRand();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, GAME_RAND_MAX);
        largest = std::max(largest, r);
    }
    EXPECT_GT(largest, 32000);

    int counts[4] = {};
    for (int i = 0; i < 30000; ++i) {
        int value = randomInt(0, 3);
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 3);
        ++counts[value];
    }
    EXPECT_GT(counts[0], 9000);
    EXPECT_GT(counts[2], 9000);
    EXPECT_LT(counts[3], 10);
    EXPECT_EQ(randomInt(5, 5), 5);
    EXPECT_FLOAT_EQ(randomFloat(2.5f, 2.5f), 2.5f);
    float f = randomFloat(-1.0f, 1.0f);
    EXPECT_GE(f, -1.0f);
    EXPECT_LE(f, 1.0f);
}

TEST(RandomTest, SameSeedSameSequence)
{
    gameSrand(7);
    int a = gameRand(), b = gameRand();
    gameSrand(7);
    EXPECT_EQ(gameRand(), a);
    EXPECT_EQ(gameRand(), b);
}
