// The trained network kept after the last field of a task file. A reader
// that follows the counts never reaches it, so such a file still loads
// everywhere; a file without it is exactly the task file of old.
//
//   #zarn-network 1                     marker and version
//   n m k                               trained shape (= the header's counts)
//   accuracyPercent learningCoef
//   n + 1 lines of m weights            input-to-hidden rows 0..n (row n: biases)
//   m + 1 lines of k weights            hidden-to-output rows 0..m (row m: biases)
//   #end 0123456789abcdef               FNV-1a 64 of the numbers' bits
//
// Numbers are separated by one space and written shortest round-trip, so each
// reads back bit for bit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/task.h"
#include "storage/texts.h"  // NetworkDamagedMessage

enum class NetworkLoad {
    None,     // the file has no network after its task
    Loaded,   // weights, accuracyPercent, learningCoef and the trained shape restored
    Damaged,  // a network is there but unreadable or of another version or shape; ignored
};

// The section for the task's network, or empty text when there is no usable
// network of the current shape (or its numbers would not read back).
std::string FormatNetworkSection(const NetTask& task);

// The largest tables with every number at its longest (24 characters) and a
// separator; anything longer is no section this program wrote.
constexpr std::size_t MaxNetworkSectionBytes =
    (2 + (MaxInputs + 1) * MaxHidden + (MaxHidden + 1) * MaxOutputs) * 25 + 4096;

// Reads the section from the bytes after the task's last field (bytes after
// its end line are not its business); shape is the one the file's header
// gives. The task's network changes only when Loaded.
NetworkLoad ParseNetworkSection(std::string_view bytes, const NetworkShape& shape, NetTask& task);
