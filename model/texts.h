// Every text the task model shows the user (UTF-8), in one place so that the
// words can be read, compared and changed without reading the rules.
#pragma once

#include <string>

// Definition rules: adding, changing and deleting parameters.
extern const char* const InputsLimitMessage;   // a 13th input parameter
extern const char* const AddParamQuestion;     // adding a parameter while examples exist
extern const char* const ChangeParamQuestion;  // changing inputs or outputs, deleting an output
extern const char* const DeleteParamQuestion;  // deleting an input parameter
extern const char* const DeletedMessage;       // after either delete

// Examples.
extern const char* const ExamplesFullMessage;  // a 501st example

// The parameter editor's sheet.
extern const char* const VariantNameEmptyMessage;  // add with an empty variant name
extern const char* const DuplicateValueMessage;    // add of a duplicate
extern const char* const ParamNameEmptyMessage;    // commit of an input role without a name
extern const char* const NoVariantsMessage;        // commit of an input role without rows
extern const char* const NoOutputsMessage;         // commit of the output role without rows
extern const char* const VariantsFullMessage;      // a 501st variant of an input parameter
extern const char* const OutputsFullMessage;       // a 501st output variant
extern const char* const ValueNotFiniteMessage;    // a value that reads as NaN or infinity
extern const char* const ValueNotNumberMessage;    // value field text that is not a number
// Heading of the name column; in the output role it counts as an existing name.
extern const char* const NameHeading;

// Saving.
extern const char* const NotEnoughToSaveMessage;  // no input parameter or no output variant

// Table headings shared by every layer.
extern const char* const ResultHeading;  // the column of the answer the network should give

// A number given for a parameter: the exact values on either side of it
// (both already quoted), and the trained range it lies outside of.
std::string BetweenValuesText(const std::string& below, const std::string& above);
std::string OutsideRangeText(const std::string& low, const std::string& high);
