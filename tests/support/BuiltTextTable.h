#pragma once

#include "engine/FontSystem.h"
#include "platform/Folders.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace corvelle_test {

// The font system running on the text table and font the build made.
class BuiltTextTableTest : public testing::Test
{
protected:
    void SetUp() override
    {
        initDirectories();
        CFontSystem::Init((resourceDir() + "/").c_str(), (resourceDir() + "/resource5.dat").c_str());
    }
    void TearDown() override { CFontSystem::Shutdown(); }
};

} // namespace corvelle_test
