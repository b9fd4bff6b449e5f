// Reads a whole task file field by field into a staging copy and checks every
// count and index on the way, so that nothing reaches the record unless the
// whole file fits it.
#pragma once

#include <string>

#include "model/status.h"
#include "model/taskdraft.h"
#include "storage/fieldreader.h"

// Ok: staged holds the file. Refused: the message says which line is wrong and
// why (UTF-8); staged is then partly filled and must not be used.
Status ReadTaskFile(FieldReader& reader, TaskDraft& staged);
