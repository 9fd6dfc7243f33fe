#include "online/QueryCodes.h"
#include "online/QueryDecoder.h"
#include "online/WebRequest.h"
#include "platform/Random.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>

using namespace QueryCodes;

namespace {

// The codes of a run of decimal digits.
std::string codesOf(const char* digits)
{
    std::string codes;
    for (const char* d = digits; *d; ++d)
        codes += DIGIT_CODES[*d - '0'];
    return codes;
}

bool urlUnreserved(char c)
{
    return isalnum(static_cast<unsigned char>(c)) || strchr("-._~", c);
}

} // namespace

// The server undoes the packing only if every code is unambiguous and every
// expansion ends in digit codes.
TEST(QueryCodesTest, TablesCanBeUndone)
{
    std::set<char> digits(DIGIT_CODES, DIGIT_CODES + DIGIT_COUNT);
    EXPECT_EQ(digits.size(), static_cast<size_t>(DIGIT_COUNT));
    std::set<char> earlierCodes;
    std::set<std::string> keys;
    for (const PairCode& pair : PAIR_CODES) {
        EXPECT_TRUE(urlUnreserved(pair.code)) << pair.code;
        EXPECT_EQ(digits.count(pair.code), 0u) << pair.code;
        EXPECT_EQ(strlen(pair.key), 2u);
        EXPECT_EQ(digits.count(pair.key[0]), 1u) << pair.key;
        EXPECT_TRUE(digits.count(pair.key[1]) || earlierCodes.count(pair.key[1])) << pair.key;
        EXPECT_TRUE(earlierCodes.insert(pair.code).second) << pair.code;
        EXPECT_TRUE(keys.insert(pair.key).second) << pair.key;
    }
    for (char c : digits)
        EXPECT_TRUE(urlUnreserved(c)) << c;
}

TEST(QueryCodesTest, StepsOnKnownTexts)
{
    EXPECT_EQ(appendChecksum("abc"), "abc&cs=294");
    EXPECT_EQ(appendChecksum(""), "&cs=0");
    EXPECT_EQ(appendChecksum("a\xff"), "a\xff&cs=96");

    EXPECT_EQ(encodeQuery("abc"), codesOf("099099099"));
    EXPECT_EQ(encodeQuery(""), "");
    EXPECT_EQ(encodeQuery("A "), codesOf("066032"));
    // Bytes above 127 still give three readable digits.
    EXPECT_EQ(encodeQuery("\xc8"), codesOf("200"));
    EXPECT_EQ(encodeQuery(std::string(300, '~')).substr(0, 3), codesOf("169")); // (126 + 299) mod 256

    for (int d = 0; d <= 9; ++d)
        EXPECT_EQ(encodeDigit(d), DIGIT_CODES[d]);
    EXPECT_EQ(encodeDigit(-1), DIGIT_CODES[0]);
    EXPECT_EQ(encodeDigit(10), DIGIT_CODES[0]);

    EXPECT_EQ(reverseString(""), "");
    EXPECT_EQ(reverseString("k"), "k");
    EXPECT_EQ(reverseString("kRw"), "wRk");
    EXPECT_EQ(intToString(-12), "-12");
}

// The codes are the protocol: a change here breaks every server in use.
TEST(QueryCodesTest, PairPacking)
{
    struct Case {
        const char* text;
        const char* packed;
    } cases[] = {
        {"", ""},
        {"k", "k"},
        {"kR", "a"},
        {"MMM", "MMM"},       // no key anywhere
        {"kkp", "hp"},        // odd length: the first character takes part
        {"kkR", "ka"},        // the right pair folds first
        {"RkR", "n"},         // a fresh code pairs with its left neighbour
        {"fRkR", "Y"},        // and again
        {"MfRkR", "MY"},
        {"3MfkR", "ua"},
        {"ZMfkR", "Zca"},     // Z and c are no key
        {"33Mf", "3u"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(packPairs(c.text), c.packed) << c.text;
    EXPECT_EQ(pairToChar("kR"), "a");
    EXPECT_EQ(pairToChar("Rk"), "Rk");
}

TEST(QueryCodesTest, BuiltQueriesDecodeToTheirFields)
{
    std::mt19937 generator(20240611);
    for (int round = 0; round < 400; ++round) {
        std::string fields(generator() % 160, ' ');
        for (char& c : fields)
            c = static_cast<char>(round % 4 == 0 ? generator() % 256 : 32 + generator() % 95);
        gameSrand(static_cast<unsigned>(round));
        int expectedRandom = gameRand();
        gameSrand(static_cast<unsigned>(round));
        std::string scrambled = WebRequest::BuildQuery(fields);

        for (char c : scrambled)
            ASSERT_TRUE(urlUnreserved(c)) << "round " << round;
        corvelle_test::DecodedQuery decoded = corvelle_test::decodeQuery(scrambled);
        ASSERT_TRUE(decoded.valid) << decoded.error << " in round " << round;
        EXPECT_EQ(decoded.random, expectedRandom);
        EXPECT_EQ(decoded.fields, fields) << "round " << round;
    }
}
