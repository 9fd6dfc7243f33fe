#pragma once

#include <string>

namespace corvelle_test {

// What the score server makes of a scrambled query: the plain fields between
// the random prefix and the checksum, or the reason it is no genuine query.
struct DecodedQuery {
    bool valid = false;
    std::string error;
    int random = -1;
    std::string fields;
};

// Undoes the client's steps in reverse order with the client's code tables:
// reverse, expand pair codes, read three digit codes per byte, remove the
// position offsets, then check the "&cs=" sum and the "r=" prefix.
DecodedQuery decodeQuery(const std::string& scrambled);

} // namespace corvelle_test
