// Permission tests need a user that permissions apply to: root may write
// anything. The body runs in a child process as `nobody` when the tests run
// as root, and as the current user otherwise.
#pragma once

#include <sys/types.h>

#include <functional>

// Exit status of a child that could not drop root privileges.
constexpr int CannotDropPrivileges = 77;

// The user and group the body runs as.
uid_t OrdinaryUid();
gid_t OrdinaryGid();
// Whether the tests run as root (so files can be given to other owners).
bool RunningAsRoot();

// Runs body in a child process as the ordinary user and returns its exit
// status (128 + signal when it was killed).
int RunAsOrdinaryUser(const std::function<int()>& body);
