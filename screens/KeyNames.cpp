#include "screens/KeyNames.h"

#include <map>

namespace {

const std::map<int, const char*>& namedKeys()
{
    static const std::map<int, const char*> names = {
        {8, "Backspace"},   {9, "Tab"},          {12, "Clear"},       {13, "Return"},      {19, "Pause"},
        {27, "Escape"},     {32, "Spacebar"},    {33, "Exclam'tn"},   {34, "Dbl Quote"},   {35, "Hash"},
        {36, "Dollar"},     {38, "Ampersand"},   {39, "Quote"},       {40, "Left Paren"},  {41, "Rght Paren"},
        {42, "Asterix"},    {43, "Plus"},        {44, "Comma"},       {45, "Minus"},       {46, "Period"},
        {47, "Slash"},      {58, "Colon"},       {59, "Semicolon"},   {60, "Less"},        {61, "Equals"},
        {62, "Greater"},    {63, "Question"},    {64, "At"},          {91, "Left Brack"},  {92, "Backslash"},
        {93, "Rght Brack"}, {94, "Caret"},       {95, "Underscore"},  {96, "Backquote"},   {127, "Delete"},
        {266, "NP Period"}, {267, "NP Divide"},  {268, "NP Mltply"},  {269, "NP Minus"},   {270, "NP Plus"},
        {271, "NP Enter"},  {272, "NP Equals"},  {273, "Up Arrow"},   {274, "Dwn Arrow"},  {275, "Rgt Arrow"},
        {276, "Lft Arrow"}, {277, "Insert"},     {278, "Home"},       {279, "End"},        {280, "Page Up"},
        {281, "Page Down"}, {300, "Num Lock"},   {301, "Caps Lock"},  {302, "Scrl Lock"},  {303, "Rgt Shift"},
        {304, "Lft Shift"}, {305, "Rght CTRL"},  {306, "Left CTRL"},  {307, "Right ALT"},  {308, "Left ALT"},
        {309, "Rght Meta"}, {310, "Left Meta"},  {311, "Lft Wndws"},  {312, "Rgt Wndws"},  {313, "Mode"},
        {314, "Compose"},   {315, "Help"},       {316, "Print"},      {317, "SysReq"},     {318, "Break"},
        {319, "Menu"},      {320, "Power"},      {321, "Euro"},       {322, "Undo"},
    };
    return names;
}

} // namespace

std::string KeyName(int key)
{
    if (key >= '0' && key <= '9')
        return std::string(1, static_cast<char>(key));
    if (key >= 'a' && key <= 'z')
        return std::string(1, static_cast<char>(key - 'a' + 'A'));
    if (key >= 256 && key <= 265)
        return "Numpad " + std::to_string(key - 256);
    if (key >= 282 && key <= 296)
        return "F" + std::to_string(key - 281);
    auto found = namedKeys().find(key);
    return found == namedKeys().end() ? "UNKNOWN" : found->second;
}
