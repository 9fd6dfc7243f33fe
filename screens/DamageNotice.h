#pragma once

#include "levels/ProfileBase.h"

#include <string>
#include <vector>

// What the main menu tells the player of damaged player data: the title
// and body of a notice box, and the texts that fill the body's arguments.
struct DamageNotice {
    int titleString;
    int bodyString;
    std::vector<std::string> arguments;
};

DamageNotice damageNoticeFor(const CProfileBase::DamageNote& note);
