// Every text the task file's reading and writing shows the user (UTF-8), in
// one place so that the words can be read and changed without the file code.
#pragma once

#include <string>

// Loading a task file.
extern const char* const CannotOpenMessage;      // the file could not be opened
extern const char* const NetworkDamagedMessage;  // the network section failed its check
extern const char* const ScalesDamagedMessage;   // the numeric scales failed their check
// Said before the path of the copy of a file an in-place save left unfinished.
extern const char* const RecoveryCopyMessage;

// A refused task file: the whole message, naming the line (1-based) and
// whether the file ended before it, and what is wrong there (a reason below).
std::string NotLoadedMessage(long long line, bool pastEnd, const std::string& reason);
// Reasons for NotLoadedMessage: a field that could not be read.
std::string NumberTooLongReason(long long maxBytes);
std::string NameTooLongReason(long long maxBytes);
extern const char* const ReadFailedReason;
// Reasons for NotLoadedMessage: a count outside 0 .. capacity, named by one of
// the count names that follow.
std::string CountOutOfRangeReason(const std::string& count, long long value, long long capacity);
extern const char* const InputCountName;
extern const char* const OutputCountName;
extern const char* const ExampleCountName;
std::string VariantCountName(long long input);  // 1-based input parameter
// Reasons for NotLoadedMessage: values and examples (numbers 1-based unless noted).
std::string VariantValueNotFiniteReason(long long variant, long long input);
// variant is the 0-based number as read; the parameter has no variants.
std::string ExampleVariantOfEmptyParamReason(long long example, long long variant, long long input);
// variant as read lies outside 0 .. last.
std::string ExampleVariantOutOfRangeReason(long long example, long long input, long long variant,
                                           long long last);
// result as read; the task has no output variants.
std::string ExampleResultWithoutOutputsReason(long long example, long long result);
// result as read lies outside 0 .. last.
std::string ExampleResultOutOfRangeReason(long long example, long long result, long long last);

// Why a file could not be written, in words.
extern const char* const BusyReason;            // another program holds the file's lock
extern const char* const NotAllowedReason;      // no permission to write
extern const char* const NotRegularReason;      // the path is not a regular file
extern const char* const NoFolderReason;        // the folder does not exist
extern const char* const NoRecoveryRoomReason;  // no room for the copy of the old contents
extern const char* const DiskFullReason;        // ENOSPC, EDQUOT
extern const char* const FileTooBigReason;      // EFBIG
extern const char* const ReadOnlyDiskReason;    // EROFS
extern const char* const ContentRefusedReason;  // the bytes failed their check before writing
std::string WriteErrorReason(int error);        // any other errno
