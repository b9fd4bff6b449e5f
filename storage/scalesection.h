// What the numeric input parameters measure, kept after the last field of a
// task file (after the network section, when there is one). A reader that
// follows the counts never reaches it; a task without a numeric scale is
// written without it, byte for byte as before.
//
//   #zarn-scale 1                       marker and version
//   P exact LOW HIGH                    parameter P (0-based): one variant per number
//   P intervals LOW HIGH C1 ... Ck      parameter P: k + 1 intervals cut at C1 < ... < Ck
//   #end 0123456789abcdef               FNV-1a 64 of the lines between, LF included
//
// LOW and HIGH are the smallest and largest number trained on (exact values:
// the numbers that map to 0 and 1). Parameters stand in rising order; numbers
// are written shortest round-trip with a decimal point.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/task.h"
#include "storage/texts.h"  // ScalesDamagedMessage

enum class ScaleLoad {
    None,     // the file has no scale section
    Loaded,   // the scales it lists are set
    Damaged,  // unreadable, of another version, or not fitting the parameters; ignored
};

// The longest section this program writes, with room to spare.
constexpr std::size_t MaxScaleSectionBytes = MaxInputs * (MaxVariants + 8) * 25 + 4096;

// The section for every input parameter whose scale fits its variants, or
// empty text when none has one.
std::string FormatScaleSection(const NetTask& task);

// Where the section starts among the bytes after the task's last field: the
// first line that begins "#zarn-scale " (any version); npos when none does.
std::size_t FindScaleSection(std::string_view bytes);

// Reads the section (bytes from its marker on) and sets the scales it lists
// on the task's parameters below inputCount. All or nothing: when Damaged,
// no scale changes.
ScaleLoad ParseScaleSection(std::string_view bytes, NetTask& task);
