#include "engine/AreaOrders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The merge only tells sprites apart, never looks into them: letters stand
// for sprites.
CSprite* sprite(char name) { return reinterpret_cast<CSprite*>(static_cast<uintptr_t>(0x1000 + 64 * name)); }

std::string names(const std::vector<const CSprite*>& order)
{
    std::string s;
    for (const CSprite* p : order)
        s += static_cast<char>((reinterpret_cast<uintptr_t>(p) - 0x1000) / 64);
    return s;
}

// Whether the letters of `area` come in `merged` in the same order.
bool keeps(const std::string& merged, const std::string& area)
{
    size_t at = 0;
    for (char c : area) {
        at = merged.find(c, at);
        if (at == std::string::npos)
            return false;
    }
    return true;
}

struct MergeCase {
    const char* what;
    std::vector<std::string> areas; // each back to front
    std::string ownOrder;           // 'x' for each area left out of the merge
    std::string sprites;            // the merged order's sprites, sorted
};

} // namespace

TEST(AreaOrdersTest, MergesAgreeingAreasAndLeavesOutThoseOnACircle)
{
    const MergeCase cases[] = {
        {"one area", {"abc"}, ".", "abc"},
        {"a chain over areas", {"ab", "bc", "cd", "d"}, "....", "abcd"},
        {"orders that agree where they share sprites", {"adb", "ac", "cb", "e", "", "eb"}, "......", "abcde"},
        {"three areas round a circle, a fourth meeting it once", {"ab", "bc", "ca", "ad", "e"}, "xxx..", "ade"},
        {"two sprites the other way round", {"pab", "ba", "aq"}, "xx.", "aq"},
        {"an area with two sprites of a circle among others", {"pabq", "ba", "qz"}, "xx.", "qz"},
        {"two circles apart", {"ab", "ba", "cd", "dc", "ce"}, "xxxx.", "ce"},
    };
    for (const MergeCase& c : cases) {
        AreaOrders orders;
        // Kept from one merge to the next, as a frame keeps it.
        for (int round = 0; round < 2; ++round) {
            orders.clear();
            for (size_t i = 0; i < c.areas.size(); ++i) {
                std::vector<CSprite*> order;
                for (char name : c.areas[i])
                    order.push_back(sprite(name));
                orders.add({static_cast<int>(i) * 32, 0, 32, 24}, order);
            }
            std::vector<const CSprite*> out;
            orders.merge(out);
            const std::string merged = names(out);
            std::string ownOrder, sorted = merged;
            std::sort(sorted.begin(), sorted.end());
            for (size_t i = 0; i < c.areas.size(); ++i) {
                ownOrder += orders.merged(i) ? '.' : 'x';
                EXPECT_EQ(orders.area(i).x, static_cast<int>(i) * 32) << c.what;
                EXPECT_EQ(names(std::vector<const CSprite*>(orders.begin(i), orders.end(i))), c.areas[i]) << c.what;
                if (orders.merged(i)) {
                    EXPECT_TRUE(keeps(merged, c.areas[i])) << c.what << ": " << merged << " against " << c.areas[i];
                }
            }
            EXPECT_EQ(ownOrder, c.ownOrder) << c.what;
            EXPECT_EQ(sorted, c.sprites) << c.what << ": each sprite of a merged area once";
        }
    }
}
