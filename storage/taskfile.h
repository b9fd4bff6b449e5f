// The task file: plain text lines (LF), counts first, then parameters,
// variants, output names and examples. Names are Windows-1251 bytes.
#pragma once

#include <string>
#include <string_view>

#include "model/task.h"
#include "storage/atomicfile.h"
#include "storage/networksection.h"
#include "storage/scalesection.h"
#include "storage/texts.h"  // CannotOpenMessage

struct LoadResult {
    // Ok: read into the task. CannotOpen (CannotOpenMessage): the file could
    // not be opened. Refused: opened, but it breaks a capacity or an index;
    // the message says what and on which line. Either way the task is then
    // unchanged.
    Status status;
    // Loaded: whether a saved network came with the task. Damaged is for the
    // caller to report (NetworkDamagedMessage) after the load's own message.
    NetworkLoad network = NetworkLoad::None;
    // Loaded: whether numeric scales came with it (Damaged: ScalesDamagedMessage).
    ScaleLoad scales = ScaleLoad::None;
    // Refused or Loaded: the copy of the file's old bytes kept by an in-place
    // save that did not finish, when there is one and the file differs from
    // it. The caller says RecoveryCopyMessage (storage/texts.h) and
    // this path, after the load's own messages.
    std::string recoveryCopy = {};
    int code() const { return status.ok() ? 1 : -1; }
};

// Writes the task, and after it the network section when the task has a
// usable network of its current shape and the scale section when an input
// parameter has a numeric scale; 1 when the whole file was written, -1 otherwise (the old
// file, if any, is then left intact), also for a task that would not read back
// the same (FormatTaskFile in storage/taskwriter.h). The task is not changed.
int SaveToFile(const NetTask& task, const std::string& path);
// The same, saying why the file was not written as ReplaceFileContents says
// it (ContentRefused for a task that would not read back).
Status SaveTaskFile(const NetTask& task, const std::string& path);

// Reads a task file into the task (definition, hidden size, examples) and a
// network section that matches it. A file that breaks a capacity or an index
// is refused as a whole; a damaged network section never refuses the task.
LoadResult LoadFromFile(NetTask& task, const std::string& path);

// The same reading over bytes already in memory (never CannotOpen).
LoadResult LoadFromBytes(NetTask& task, std::string_view bytes);
