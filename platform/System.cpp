#include "platform/System.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

bool openUrl(const char* target)
{
    if (!target || !*target)
        return false;
    char program[] = "xdg-open";
    char* argv[] = {program, const_cast<char*>(target), nullptr};
    pid_t child;
    return posix_spawnp(&child, program, nullptr, nullptr, argv, environ) == 0;
}

bool isVistaOrLater()
{
    return false;
}
