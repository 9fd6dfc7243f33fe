#include "support/WithoutRootRights.h"

#include "support/TestEnvironment.h"

#include <filesystem>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace corvelle_test {

namespace {

constexpr uid_t NOBODY = 65534;

void openToAll(const fs::path& path)
{
    std::error_code ignored;
    fs::permissions(path, fs::perms::others_read | fs::perms::group_read, fs::perm_options::add, ignored);
    if (fs::is_directory(path, ignored))
        fs::permissions(path, fs::perms::others_exec | fs::perms::group_exec, fs::perm_options::add, ignored);
}

} // namespace

bool dropRootRights()
{
    if (geteuid() != 0)
        return true;
    return setgroups(0, nullptr) == 0 && setgid(NOBODY) == 0 && setuid(NOBODY) == 0 && geteuid() == NOBODY;
}

int runWithoutRootRights(const std::function<int()>& body)
{
    openTemporaryHomeToAll();
    pid_t child = fork();
    if (child == 0)
        _exit(dropRootRights() ? body() : 127);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

void openTemporaryHomeToAll()
{
    const fs::path home = TemporaryHome::path();
    openToAll(home);
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(home, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error))
        openToAll(it->path());
}

} // namespace corvelle_test
