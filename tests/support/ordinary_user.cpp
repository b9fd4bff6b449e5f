#include "tests/support/ordinary_user.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

bool RunningAsRoot() {
    return ::geteuid() == 0;
}

uid_t OrdinaryUid() {
    if (!RunningAsRoot()) return ::geteuid();
    const passwd* nobody = ::getpwnam("nobody");
    return nobody ? nobody->pw_uid : 65534;
}

gid_t OrdinaryGid() {
    if (!RunningAsRoot()) return ::getegid();
    const group* nogroup = ::getgrnam("nogroup");
    return nogroup ? nogroup->gr_gid : 65534;
}

int RunAsOrdinaryUser(const std::function<int()>& body) {
    const uid_t uid = OrdinaryUid();
    const gid_t gid = OrdinaryGid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (RunningAsRoot() && (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 ||
                                ::setuid(uid) != 0 || ::geteuid() == 0))
            ::_exit(CannotDropPrivileges);
        ::_exit(body());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
