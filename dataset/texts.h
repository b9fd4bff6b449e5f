// Every text the data sets' reading, import, checks, evaluation, tuning and
// answers show the user (UTF-8), in one place so that the words can be read
// and changed without reading the code that uses them. Names passed in are
// UTF-8 and are quoted here where the sentence quotes them.
#pragma once

#include <cstddef>
#include <string>

// Reading tables: the place of a problem, and what the whole file lacks.
std::string LineText(long long line);      // "the line N: " before a reason
extern const char* const NoHeaderMessage;  // no line with the column names
std::string FileTooLargeMessage(long long megabytes);
std::string TooManyRowsMessage();             // more data rows than a task holds examples
std::string NumberedColumnName(long long n);  // a column without a header, by its place

// CSV reading (whole messages, with the line).
std::string CsvTooManyFieldsMessage(long long line, long long maxFields);
std::string CsvQuoteNotClosedMessage(long long line);  // line where the quote opened
std::string CsvTextAfterQuoteMessage(long long line, char found);
// A row of another length than the header.
std::string FieldCountMessage(int line, std::size_t fields, std::size_t headerFields);

// ARFF reading: the whole-file refusal, and reasons that follow LineText.
extern const char* const NotArffMessage;
std::string ArffQuoteNotClosedReason(char quote);
std::string ArffRelationFirstReason(const std::string& found);
extern const char* const ArffNoAttributesReason;
std::string ArffUnexpectedReason(const std::string& found);
extern const char* const ArffNoDataReason;
extern const char* const ArffNoNameReason;
std::string ArffTooManyAttributesReason(long long maxColumns);
std::string ArffDuplicateAttributeReason(const std::string& attribute);
std::string ArffNoTypeReason(const std::string& attribute);
std::string ArffUnsupportedTypeReason(const std::string& type, const std::string& attribute);
std::string ArffExtraTextReason(const std::string& extra);
std::string ArffEmptyValueListReason(const std::string& attribute);
std::string ArffValueExpectedReason(const std::string& attribute);
std::string ArffValueTwiceReason(const std::string& value, const std::string& attribute);
std::string ArffCommaOrCloseExpectedReason(const std::string& attribute);
extern const char* const ArffSparseReason;
extern const char* const ArffCommaAfterQuoteReason;
extern const char* const ArffEmptyValueReason;
std::string ArffValueCountReason(long long values, long long attributes);
std::string ArffNotNumberReason(const std::string& value, const std::string& attribute);
std::string ArffUndeclaredValueReason(const std::string& value, const std::string& attribute);

// The reading's decisions, for the user.
extern const char* const NumbersKindName;  // kinds of column values
extern const char* const DatesKindName;
extern const char* const WordsKindName;
extern const char* const TabMarkName;  // separator and decimal marks without a glyph
extern const char* const SpaceMarkName;
extern const char* const AnyDecimalMarkName;  // a point or a comma, whichever the cell holds
extern const char* const ReadingHeading;
std::string ReadingSeparatorText(const std::string& mark, bool sepLine);
std::string ReadingEncodingText(const std::string& encoding, const std::string& decimal);
// Bytes not valid in the encoding: read as Windows-1251 (UTF-8) or replaced.
std::string ReplacedBytesText(const std::string& encoding, bool readAsCp1251);
std::string AndMoreText(long long more);  // after a shortened list

// Import refusals.
std::string ResultClassesTooManyMessage(const std::string& column, long long classes,
                                        long long maxOutputs);
extern const char* const NoDataRowsMessage;
std::string NoResultValuesMessage(const std::string& column);
std::string TooManyDataRowsMessage(long long rows, long long maxExamples);
std::string SpreadTooWideMessage(const std::string& column);
std::string TooManyVariantsMessage(const std::string& column, long long variants,
                                   long long maxVariants);
std::string BinsRangeMessage(long long maxVariants);
std::string ImportHiddenRangeMessage(long long maxHidden);
extern const char* const OneColumnMessage;
std::string AmbiguousColumnMessage(const std::string& column);
// allColumns: every column's name, already quoted and joined.
std::string NoSuchColumnMessage(const std::string& column, const std::string& allColumns);
std::string ResultAndInputMessage(const std::string& column);
std::string InputTwiceMessage(const std::string& column);
std::string TooManyInputsMessage(long long inputs, long long maxInputs);
std::string NotCp1251Message(const std::string& text, const std::string& column);
std::string NameTooLongMessage(const std::string& column, long long maxBytes);

// The import's summary.
std::string ImportedText(long long examples, long long params, long long classes,
                         const std::string& resultColumn, long long hidden);
std::string SkippedRowsText(long long rows);
extern const char* const BinnedHeading;
extern const char* const RenamedColumnsHeading;
extern const char* const DistinguishedHeading;

// The data check's findings (a list follows each heading).
std::string MoreGroupsText(long long groups);
extern const char* const ContradictionsHeading;
extern const char* const DuplicatesHeading;
extern const char* const UnusedClassesHeading;
extern const char* const UnusedVariantsHeading;
extern const char* const SaturatingHeading;
extern const char* const SaturatingExamplesText;
extern const char* const NoFindingsReport;
extern const char* const FindingsHeading;

// Refusals of an evaluation or a tuning run.
extern const char* const NeedsTaskToEvaluateMessage;
extern const char* const NeedsTaskToTuneMessage;
std::string ExampleWithoutResultMessage(long long example);  // 1-based
std::string FoldsRangeMessage(long long examples);
extern const char* const RepeatRangeMessage;
extern const char* const HoldoutRangeMessage;
extern const char* const HoldoutLeavesNoneMessage;
std::string MaxIterationsRangeMessage(long long maxIterations);
extern const char* const BudgetMessage;
extern const char* const CoefRangeMessage;

// The evaluation's report (numbers come formatted) and its verdict.
std::string HeldOutShareText(const std::string& percent);
std::string CrossValidationText(long long folds);
std::string RepeatsAndExamplesText(long long repeats, long long examples);
std::string TunedPerFoldText(long long folds);
std::string FixedSettingsText(long long hidden, const std::string& iterations,
                              const std::string& coef);
std::string SeedText(long long seed);
extern const char* const ChosenSettingsHeading;
std::string HeldOutAccuracyLine(const std::string& mean, const std::string& deviation,
                                long long runs);
std::string TrainAccuracyLine(const std::string& mean);
std::string MajorityClassLine(const std::string& className, const std::string& percent);
extern const char* const ConfusionHeading;
extern const char* const ConfusionCorner;  // the corner cell: rows true class, columns answer
std::string WorseThanMajorityVerdict(const std::string& className);
std::string MemorisingVerdict(const std::string& training, const std::string& heldOut);
std::string GoodVerdict(const std::string& heldOut, const std::string& className,
                        const std::string& majorityPercent);

// The tuning's settings and report (numbers come formatted).
std::string HiddenSettingName(long long hidden);
std::string CoefSettingName(const std::string& coef);
std::string IterationsSettingName(long long iterations);
std::string TuningHeadText(long long folds, long long examples, long long seed);
extern const char* const TriedCoefsHeading;
extern const char* const TriedIterationsHeading;
std::string LeftOutHeading(const std::string& seconds);
std::string ChosenLine(const std::string& setting, const std::string& mean,
                       const std::string& deviation);
std::string TieRuleLine(const std::string& tolerance);
extern const char* const BestSettingsHeading;
std::string MajorityAlwaysLine(const std::string& percent);

// Answers for a table.
extern const char* const AnswerHeading;  // headings of the columns added to every row
extern const char* const SignalHeading;
extern const char* const ReasonHeading;
std::string NoSuchVariantReason(const std::string& param, const std::string& value);
std::string NoValueReason(const std::string& param);
extern const char* const NoAnswerReason;  // the network gives no answer
std::string TooManyRowsToAnswerMessage(long long maxExamples);
std::string NoInputColumnMessage(const std::string& param);
std::string NoResultColumnMessage(const std::string& column);
std::string AnsweredText(long long answered, long long rows);
std::string UnansweredText(long long rows);
std::string CorrectText(long long correct, long long withResult, const std::string& percent,
                        const std::string& column);
