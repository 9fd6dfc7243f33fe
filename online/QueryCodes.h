#pragma once

#include <cstdint>
#include <string>

// The scrambling of a score-server query, and the code tables it shares with
// the server. The server undoes the steps in reverse order: reverse the text,
// expand every pair code (again, while an expansion yields another pair
// code), read three digit codes per byte, subtract n - 1 - i modulo 256 and
// check the "&cs=" sum.
//
// Every code is a URL-unreserved character, so the scrambled text goes into
// the address without escaping. Pair codes never equal a digit code, so an
// expanded text holds digit codes only. A pair key starts with a digit code;
// its second character is a digit code or an earlier pair's code, which lets
// the right-to-left packing fold a code it has just made into the next pair.
namespace QueryCodes {

constexpr int DIGIT_COUNT = 10;
constexpr int PAIR_COUNT = 10;

// The code of each decimal digit, indexed by the digit.
extern const char DIGIT_CODES[DIGIT_COUNT + 1];

struct PairCode {
    char key[3]; // two characters and the terminator
    char code;
};
extern const PairCode PAIR_CODES[PAIR_COUNT];

// The text + "&cs=" + the sum of its bytes, each taken as a signed 8-bit value.
std::string appendChecksum(std::string text);

// Three digit codes per byte: the decimal digits of (byte + n - 1 - i) mod 256,
// most significant first, for the byte at i of a text of n bytes.
std::string encodeQuery(std::string text);

// The code of a digit 0-9; any other value gives the code of 0.
char encodeDigit(int32_t digit);

// Folds pairs of characters into their pair codes, scanning from right to left.
std::string packPairs(std::string text);

// The pair code of a two-character text, or the two characters unchanged.
std::string pairToChar(std::string pair);

std::string reverseString(std::string text);

std::string intToString(int32_t value);

} // namespace QueryCodes
