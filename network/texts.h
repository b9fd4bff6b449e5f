// Every text the network shows the user, in one place so that the words can
// be read and changed without reading the training code.
#pragma once

#include <string>

// Refusals of the train button's settings and task.
extern const char* const IterationsMessage;   // an iteration count outside 1 .. 10 million
extern const char* const CoefficientMessage;  // a coefficient outside (0, 1]
extern const char* const NoExamplesMessage;   // a task without examples
// The memory for the run could not be had; nothing changed.
extern const char* const OutOfMemoryMessage;
// Refusals of a record the panel cannot produce but a hand-built or loaded one could.
std::string HiddenSizeMessage(long long maxHidden);  // a hidden layer outside 1 .. maxHidden
extern const char* const ShapeUndefinedMessage;      // too few or too many inputs or outputs
extern const char* const TooManyExamplesMessage;
std::string NoVariantsOfInputMessage(long long input);        // 1-based input parameter
std::string ExampleNamesNoVariantMessage(long long example);  // 1-based example

// The train button's captions and the closing message of a run.
extern const char* const TrainButtonCaption;  // the button at rest
// The caption shown after a whole percentage of the run.
std::string ProgressCaption(long long percent);
// The closing message's first line, "Network is 97.50% correct\n".
std::string AccuracyLine(double percent);
// The line added to the closing message of a run that was stopped.
std::string StoppedLine(long long passes, long long plannedPasses);
