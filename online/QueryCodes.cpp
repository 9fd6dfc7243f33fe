#include "online/QueryCodes.h"

#include <algorithm>
#include <cstdio>

namespace QueryCodes {

const char DIGIT_CODES[DIGIT_COUNT + 1] = "kR7wDp3ZfM";

const PairCode PAIR_CODES[PAIR_COUNT] = {
    {"kR", 'a'}, {"R7", 'B'}, {"Mf", 'c'}, {"wD", 'G'}, {"kk", 'h'},
    {"pZ", 'J'}, {"Ra", 'n'}, {"7h", 'S'}, {"3c", 'u'}, {"fn", 'Y'},
};

std::string appendChecksum(std::string text)
{
    uint32_t sum = 0;
    for (char c : text)
        sum += static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(c)));
    return text + "&cs=" + intToString(static_cast<int32_t>(sum));
}

std::string encodeQuery(std::string text)
{
    const long long n = static_cast<long long>(text.size());
    std::string coded;
    coded.reserve(text.size() * 3);
    for (long long i = 0; i < n; ++i) {
        long long c = static_cast<int8_t>(text[static_cast<size_t>(i)]);
        // A true modulo: bytes above 127 would otherwise give negative digits
        // that no server can read back.
        int v = static_cast<int>(((c + n - 1 - i) % 256 + 256) % 256);
        coded += encodeDigit(v / 100);
        coded += encodeDigit(v % 100 / 10);
        coded += encodeDigit(v % 10);
    }
    return coded;
}

char encodeDigit(int32_t digit)
{
    return DIGIT_CODES[digit >= 1 && digit <= 9 ? digit : 0];
}

std::string pairToChar(std::string pair)
{
    for (const PairCode& entry : PAIR_CODES)
        if (pair == entry.key)
            return std::string(1, entry.code);
    return pair;
}

std::string packPairs(std::string text)
{
    if (text.size() < 2)
        return text;
    // Scanning right to left, everything right of position i is final except
    // the character at i + 1, which may still pair with the one at i. Keep
    // the final part as a stack whose top is that character.
    std::string done(1, text.back());
    for (size_t i = text.size() - 1; i-- > 0;) {
        std::string folded = pairToChar(std::string{text[i], done.back()});
        if (folded.size() == 1)
            done.back() = folded[0];
        else
            done += text[i];
    }
    std::reverse(done.begin(), done.end());
    return done;
}

std::string reverseString(std::string text)
{
    std::reverse(text.begin(), text.end());
    return text;
}

std::string intToString(int32_t value)
{
    char buffer[16];
    snprintf(buffer, sizeof buffer, "%d", value);
    return buffer;
}

} // namespace QueryCodes
