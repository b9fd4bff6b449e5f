// Everything zarn-cli itself says to its user (UTF-8), in one place; the
// core's messages it passes on come from the core's own text files.
#pragma once

#include <cstddef>
#include <string>

// Loading and reading files.
std::string CannotOpenFileMessage(const std::string& path);
std::string NotDataFileMessage(const std::string& path);
std::string TableTooLargeMessage(const std::string& path);

// Writing files: checked before the work, and a write that failed.
std::string CannotWriteMessage(const std::string& path, const std::string& why);
std::string SameFileMessage(const std::string& output, const std::string& other);
std::string WriteFailedMessage(const std::string& path, const std::string& why);
extern const char* const NetworkNotSavedMessage;

// Asking the trained network.
extern const char* const NoSavedNetworkMessage;
extern const char* const NoAnswerMessage;
std::string NoColumnMessage(const std::string& name);
std::string QuestionPrefix(std::size_t number);
extern const char* const NoOtherVariantChangesMessage;

// The words of a question.
std::string NamesOnOffer(const std::string& joinedNames);
std::string NumberWanted(const std::string& low, const std::string& high);
std::string NoVariantMessage(const std::string& name, const std::string& param);
std::string NoParamMessage(const std::string& name);
std::string ExtraVariantMessage(const std::string& word, int paramCount);
std::string VariantTwiceMessage(const std::string& param);
std::string VariantMissingMessage(const std::string& param);

// The import's reading options.
std::string SeparatorOptionMessage(const std::string& given);
std::string DecimalOptionMessage(const std::string& given);
std::string EncodingOptionMessage(const std::string& given);
extern const char* const ColumnsHeading;

// Showing a task.
extern const char* const InputsHeading;
extern const char* const NoVariantsNote;
extern const char* const OutputsHeading;
extern const char* const HiddenHeading;
extern const char* const ExamplesHeading;

// Training, evaluating and tuning.
extern const char* const UnknownKernelMessage;
extern const char* const NoAvx2Message;
std::string TrainingProgressLine(const std::string& percent, const std::string& done,
                                 const std::string& planned, const std::string& elapsed,
                                 const std::string& rest);
std::string EvaluationProgressLine(int percent);
std::string TuningProgressLine(int percent);
extern const char* const TuningStoppedMessage;
