// Where a save's bytes finally go: the file a path names through its links.
#pragma once

#include <string>

// The folder part of a path with its closing slash ("" for a bare name).
std::string FolderOf(const std::string& path);

// The file a path finally names, symbolic links followed, also when the last
// link points at nothing yet. false for a loop of links.
bool ResolveTarget(const std::string& path, std::string& target);
