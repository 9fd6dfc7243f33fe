#include "engine/PreloadTable.h"
#include "support/ArchiveCases.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <set>

using namespace corvelle_test;

// Every picture the start-up lists read (the board's devices, objects,
// terrain, overlays and backgrounds among them) must be drawn into the
// built image archive; the derived images are made at start-up and must
// not be in it.
TEST(StartUpArchiveTest, HoldsEveryStartUpImageAndNoDerivedOne)
{
    std::set<std::string> stored = archiveNames(resourceDir() + "/resource2.dat");
    preload::Names names = preload::startUpNames();
    std::string missing;
    for (const std::string& name : names.archived)
        if (!stored.count(name))
            missing += " " + name;
    EXPECT_EQ(missing, "") << "missing from resource2.dat";
    std::string drawn;
    for (const std::string& name : names.made)
        if (stored.count(name))
            drawn += " " + name;
    EXPECT_EQ(drawn, "") << "made at start-up, yet drawn";
}
