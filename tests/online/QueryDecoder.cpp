#include "online/QueryDecoder.h"

#include "online/QueryCodes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace corvelle_test {

namespace {

int digitOf(char code)
{
    const char* found = code ? strchr(QueryCodes::DIGIT_CODES, code) : nullptr;
    return found ? static_cast<int>(found - QueryCodes::DIGIT_CODES) : -1;
}

const QueryCodes::PairCode* pairOf(char code)
{
    for (const QueryCodes::PairCode& entry : QueryCodes::PAIR_CODES)
        if (entry.code == code)
            return &entry;
    return nullptr;
}

// Appends the digit codes a character stands for; false for a stranger.
bool expand(char code, std::string& out, int depth)
{
    if (digitOf(code) >= 0) {
        out += code;
        return true;
    }
    const QueryCodes::PairCode* pair = pairOf(code);
    if (!pair || depth > QueryCodes::PAIR_COUNT)
        return false;
    return expand(pair->key[0], out, depth + 1) && expand(pair->key[1], out, depth + 1);
}

DecodedQuery refuse(const std::string& why)
{
    DecodedQuery result;
    result.error = why;
    return result;
}

bool isDecimal(const std::string& text)
{
    size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    return text.size() > start && std::all_of(text.begin() + start, text.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
}

} // namespace

DecodedQuery decodeQuery(const std::string& scrambled)
{
    std::string reversed(scrambled.rbegin(), scrambled.rend());
    std::string digits;
    for (char code : reversed)
        if (!expand(code, digits, 0))
            return refuse("unknown code");
    if (digits.size() % 3 != 0)
        return refuse("digit count not a multiple of three");

    const long n = static_cast<long>(digits.size() / 3);
    std::string text;
    for (long i = 0; i < n; ++i) {
        int value = digitOf(digits[3 * i]) * 100 + digitOf(digits[3 * i + 1]) * 10 + digitOf(digits[3 * i + 2]);
        if (value > 255)
            return refuse("byte value above 255");
        text += static_cast<char>(static_cast<uint8_t>(((value - (n - 1 - i)) % 256 + 256) % 256));
    }

    size_t mark = text.rfind("&cs=");
    if (mark == std::string::npos)
        return refuse("no checksum");
    int32_t sum = 0;
    for (size_t i = 0; i < mark; ++i)
        sum += static_cast<int8_t>(text[i]);
    std::string stated = text.substr(mark + 4);
    if (!isDecimal(stated) || stated != std::to_string(sum))
        return refuse("checksum mismatch");

    size_t amp = text.find('&');
    std::string random = text.substr(0, amp);
    if (amp >= mark || random.compare(0, 2, "r=") != 0)
        return refuse("no random prefix");
    random.erase(0, 2);
    if (!isDecimal(random) || random[0] == '-' || random.size() > 5 || std::stoi(random) > 32767)
        return refuse("random number out of range");

    DecodedQuery result;
    result.valid = true;
    result.random = std::stoi(random);
    result.fields = text.substr(amp + 1, mark - amp - 1);
    return result;
}

} // namespace corvelle_test
