// Replaces a file's contents so that a failure never leaves a damaged file:
// the bytes go to a temporary file in the same folder, which is flushed to disk
// and then renamed over the target.
#pragma once

#include <string>
#include <string_view>

// false when anything fails (the folder is not writable, a write or the flush
// fails, the target is a directory or another non-regular file); the temporary
// file is then removed and the old file is left as it was. A symbolic link is
// followed, so the file it names is replaced and the link stays.
bool ReplaceFileContents(const std::string& path, std::string_view bytes);
