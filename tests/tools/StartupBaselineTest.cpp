// StartupBench compares start-up with decoding every picture of the image
// archive; a picture its baseline could not decode would drop out of both
// the time and the pixel count and flatter the figures.
#include "BaselineDecode.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace corvelle_test;

TEST(StartupBaselineTest, EveryPictureOfTheBuiltImageArchiveDecodes)
{
    BaselineDecode d = decodeImageArchive(resourceDir() + "/resource2.dat", 2);
    EXPECT_GT(d.entries, 0u);
    EXPECT_TRUE(d.failed.empty()) << d.failed.size() << " did not decode, the first " << d.failed.front();
    EXPECT_GT(d.pixelBytes, d.archiveBytes);
}
