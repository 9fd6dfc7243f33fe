#pragma once

#include <functional>
#include <string>

// CI runs the tests as root, and root writes into read-only folders: what a
// player meets on a read-only or full home would never run there. These
// helpers give a child process the rights of the user "nobody" when the
// tests run as root; run by anyone else they change nothing.
namespace corvelle_test {

// In a child process: trades root's rights for nobody's. False when that
// fails (the child should then give up).
bool dropRootRights();

// Runs the body in a child process without root's rights and returns its
// exit status; -1 when it did not exit by itself.
int runWithoutRootRights(const std::function<int()>& body);

// Lets any user reach and read what lies below the temporary HOME (folders
// stay writable by their owner only), so a child without root's rights can
// work there.
void openTemporaryHomeToAll();

} // namespace corvelle_test
