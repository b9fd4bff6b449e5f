// Reads a whole task file field by field into a staging copy and checks every
// count and index on the way, so that nothing reaches the record unless the
// whole file fits it.
#pragma once

#include <string>

#include "model/taskdraft.h"
#include "storage/fieldreader.h"

// true: staged holds the file. false: message says which line is wrong and
// why (UTF-8); staged is then partly filled and must not be used.
bool ReadTaskFile(FieldReader& reader, TaskDraft& staged, std::string& message);
