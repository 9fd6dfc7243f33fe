#include "engine/Strings.h"

#include <cctype>
#include <cstdio>
#include <cstring>

std::string toUpperCopy(const std::string& text)
{
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return upper;
}

std::string utf8Prefix(const std::string& text, size_t characters)
{
    size_t starts = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && starts++ == characters)
            return text.substr(0, i);
    }
    return text;
}

std::string formatThousands(int value)
{
    if (value < 1)
        return "0";
    std::string out;
    char group[16];
    while (value > 999) {
        snprintf(group, sizeof group, ",%03i", value % 1000);
        out = group + out;
        value /= 1000;
    }
    snprintf(group, sizeof group, "%i", value);
    return group + out;
}

void splitString(const std::string& text, std::vector<std::string>& out, const char* delimiters)
{
    size_t start = text.find_first_not_of(delimiters);
    while (start != std::string::npos) {
        size_t end = text.find_first_of(delimiters, start);
        out.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = text.find_first_not_of(delimiters, end);
    }
}
