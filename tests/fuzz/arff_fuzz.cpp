// Fuzz target for the ARFF reader and the import of what it reads.
#include "dataset/datafile.h"

constexpr DataFormat FuzzedFormat = DataFormat::Arff;

#include "tests/fuzz/datafile_fuzz.inc"
