// Test entry point: every test process runs headless with a HOME of its own,
// so no test can touch the developer's profiles, levels or error log.
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::GTEST_FLAG(death_test_style) = "threadsafe";
    corvelle_test::TemporaryHome home;
    return RUN_ALL_TESTS();
}
