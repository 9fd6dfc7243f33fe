#pragma once

#include <string>
#include <vector>

// Upper-case copy of a text (any length).
std::string toUpperCopy(const std::string& text);

// The first `characters` characters of a UTF-8 text: a cut never splits a
// character's bytes.
std::string utf8Prefix(const std::string& text, size_t characters);

// The value with "," between groups of three digits; values below 1 give "0".
std::string formatThousands(int value);

// Appends to out the tokens of text separated by any of the delimiters;
// runs of delimiters and delimiters at either end give no empty tokens.
void splitString(const std::string& text, std::vector<std::string>& out, const char* delimiters);
