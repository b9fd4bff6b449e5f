// The files a command writes: checked before its work starts, written carefully after.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Whether every non-empty path could be written now; each one that could not
// is named on stderr ("Нельзя записать PATH: why"). Called before long work,
// so a result that cannot be kept is refused at once.
bool OutputsWritable(std::initializer_list<std::string_view> paths);

// Writes one output carefully; false, with the failure named on stderr
// ("Не удалось записать PATH: why"), when it is not written.
bool WriteOutput(const std::string& path, std::string_view bytes);
