#include "engine/ByteOrder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string bytesOf(FILE* f)
{
    fflush(f);
    long size = ftell(f);
    rewind(f);
    std::string bytes(static_cast<size_t>(size), '\0');
    EXPECT_EQ(fread(bytes.data(), 1, bytes.size(), f), bytes.size());
    rewind(f);
    return bytes;
}

} // namespace

TEST(ByteOrderTest, FieldsAreLittleEndianAndRoundTrip)
{
    FILE* f = tmpfile();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ByteOrder::writeU32(258, f), 4u);
    EXPECT_EQ(ByteOrder::writeI32(-2, f), 4u);
    EXPECT_EQ(ByteOrder::writeU8(1, f), 1u);
    EXPECT_EQ(bytesOf(f), std::string("\x02\x01\x00\x00\xFE\xFF\xFF\xFF\x01", 9));

    uint32_t u = 0;
    int32_t i = 0;
    uint8_t b = 0;
    EXPECT_TRUE(ByteOrder::readU32(&u, f));
    EXPECT_TRUE(ByteOrder::readI32(&i, f));
    EXPECT_TRUE(ByteOrder::readU8(&b, f));
    EXPECT_EQ(u, 258u);
    EXPECT_EQ(i, -2);
    EXPECT_EQ(b, 1);
    fclose(f);
}

TEST(ByteOrderTest, ShortReadsReportAndLeaveTheDestination)
{
    FILE* f = tmpfile();
    fwrite("\x01\x02", 1, 2, f);
    rewind(f);
    uint32_t u = 77;
    EXPECT_FALSE(ByteOrder::readU32(&u, f));
    EXPECT_EQ(u, 77u);
    uint8_t b = 9;
    EXPECT_FALSE(ByteOrder::readU8(&b, f));
    EXPECT_EQ(b, 9);
    fclose(f);
}

TEST(ByteOrderTest, HostOrderOnLittleEndianTarget)
{
    EXPECT_FALSE(ByteOrder::isBigEndian());
    EXPECT_EQ(ByteOrder::toLittle32(0x12345678u), 0x12345678u);
    EXPECT_EQ(ByteOrder::toLittle16(0xFEFF), 0xFEFF);
    unsigned char bytes[4];
    ByteOrder::pokeU32(bytes, 0xA1B2C3D4u);
    EXPECT_EQ(bytes[0], 0xD4);
    EXPECT_EQ(ByteOrder::peekU32(bytes), 0xA1B2C3D4u);
}
