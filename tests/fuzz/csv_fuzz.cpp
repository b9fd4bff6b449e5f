// Fuzz target for the CSV reader and the import of what it reads.
#include "dataset/datafile.h"

constexpr DataFormat FuzzedFormat = DataFormat::Csv;

#include "tests/fuzz/datafile_fuzz.inc"
