// What the rest of the program uses of the network: train a task's network
// (and stop a run), get its answer, rank its outputs, read the typed
// settings, and the kernel override. The kernels, the pass loop and the
// forward pass behind these are internal to network/ (and its tests).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/status.h"
#include "model/task.h"
#include "network/texts.h"

// --- Settings ---------------------------------------------------------------
// The network settings typed by the user, one rule for the desktop program
// and zarn-cli: the hidden-layer size and the training defaults.

// The hidden-layer size the network can hold: below 1 becomes 1, above
// MaxHidden becomes MaxHidden.
int ClampHiddenCount(int count);
// A typed hidden-layer size, read leniently (atoi), then clamped.
int HiddenCountFromText(std::string_view text);

// The settings every entry into the training panel starts from, and zarn-cli
// train without options (texts as typed into the two edits).
extern const char* const DefaultIterationsText;  // "10000"
extern const char* const DefaultCoefText;        // "0.2"

// The learning coefficient as typed into the program's edit, for the lenient
// reading of training: a decimal comma (as a Russian keyboard types it) is
// the decimal point, so "0,3" is 0.3 like "0.3". A text that already holds a
// point is left as it is.
std::string CoefTextWithPoint(std::string_view typed);

// --- Train and stop -----------------------------------------------------------
// Training by online back-propagation: validation, random weights, N + 2
// passes with an error record and progress captions, and the accuracy pass.

// Receives each progress caption of the train button as it changes (UTF-8).
using ProgressCallback = std::function<void(const std::string& caption)>;

// How another thread follows a run and ends it early. Both are optional.
struct TrainingControl {
    // Once set, the run ends after the pass in progress.
    const std::atomic<bool>* stop = nullptr;
    // Passes completed so far, updated after every pass.
    std::atomic<long long>* passesDone = nullptr;
};

struct TrainingOutcome {
    // Ok: trained, its message the closing message (UTF-8). Refused: the
    // settings or the task refused, or no memory for the run (OutOfMemoryMessage),
    // its message saying so, and nothing in the task changed.
    Status status;
    std::string coefText;         // what the two edits read afterwards
    std::string iterText;         //   (unchanged texts when refused)
    long long passes = 0;         // passes run (N + 2 for a whole run)
    long long plannedPasses = 0;  // N + 2
    bool stopped = false;         // ended early: fewer passes than planned
};

// The refusals, captions and closing lines of a run (IterationsMessage,
// TrainButtonCaption, ProgressCaption and the like) are in network/texts.h.

// The current calendar time in seconds, the seed of every training run.
uint32_t TimeSeed();

// The whole run, with the edit texts as typed. seed stands for the time seed
// (pass TimeSeed() for the program's behaviour). A run stopped after K passes
// leaves the task as a whole run of K - 2 iterations would (error history
// included) and measures the accuracy as usual.
TrainingOutcome TrainNetwork(NetTask& task, std::string_view coefText, std::string_view iterText,
                             uint32_t seed, const ProgressCallback& progress,
                             const TrainingControl& control = {});

class TrainingMemory;

// A training run driven in segments from outside, for accuracies at several
// iteration counts of one run: it starts as TrainNetwork does with the same
// coefficient and seed, and each segment goes on from the weights the last
// one left. On one thread, since such runs go side by side.
class SegmentedTraining {
  public:
    // Takes the memory the run needs (std::bad_alloc leaves the task as it
    // was), then sets the coefficient, the weights drawn from seed and the
    // trained shape.
    SegmentedTraining(NetTask& task, double learningCoef, uint32_t seed);
    ~SegmentedTraining();
    SegmentedTraining(const SegmentedTraining&) = delete;
    SegmentedTraining& operator=(const SegmentedTraining&) = delete;

    // N + 2 passes into a fresh error record (errorCount from 0); fewer when
    // stop is set meanwhile. Returns the passes run.
    long long Run(int iterations, const std::atomic<bool>* stop);

  private:
    NetTask& task_;
    std::unique_ptr<TrainingMemory> memory_;
};

// --- Kernel override ----------------------------------------------------------

// Instruction sets the kernels are built for.
enum class PassPath { Generic, Avx2 };

// Whether this processor can run the path.
bool PassPathAvailable(PassPath path);

// The path named by ZARN_KERNEL in the environment ("generic" or "avx2"),
// which forces it for every training run (for tests and benchmarks: every
// path gives the same bits). Empty when the variable is unset, empty or names
// no path; *unknown (when given) tells the last case.
std::optional<PassPath> PassPathFromEnvironment(bool* unknown = nullptr);

// --- Answer -------------------------------------------------------------------

// The output variant the network chooses for one variant index per input, or
// -1 when the shape or an index is outside the task (nothing is evaluated then).
int CheckAnswer(NetTask& task, const int* variantIndex);

// The same for one input signal per input (a variant's value, or a number's
// place on its parameter's scale); -1 when the shape is invalid or a signal
// is not finite.
int AnswerForSignals(NetTask& task, const double* inputSignals);

// --- Rank -----------------------------------------------------------------------
// How sure the network's answer is: every output ranked by its signal, and
// which single change of an input would change the answer.

// How many ranked outputs the check dialog and zarn-cli ask show by default.
constexpr int RankedShown = 5;

struct RankedOutput {
    int output = 0;           // index into outputNames
    double activation = 0.0;  // the output neuron's signal, 0..1
};

// Runs the network on one variant index per input and returns every output,
// highest signal first; equal signals keep the lower index first, so the head
// is CheckAnswer's answer. Empty when CheckAnswer cannot run.
std::vector<RankedOutput> RankOutputs(NetTask& task, const int* variantIndex);
// The same for one input signal per input (AnswerForSignals).
std::vector<RankedOutput> RankSignals(NetTask& task, const double* inputSignals);

// One ranked output as text: its name (Windows-1251, as stored) and the
// signal with three decimals, e.g. "cherry 0.934".
std::string RankedText(const NetTask& task, const RankedOutput& ranked);

// Another variant of one parameter that alone changes the answer.
struct AnswerChange {
    int variant = 0;       // the other variant of the parameter
    RankedOutput becomes;  // the answer it gives
};

// For each input parameter in order, the variants that change the answer when
// only that parameter takes them (in variant order; empty when none does).
// Empty when the network cannot run on variantIndex.
std::vector<std::vector<AnswerChange>> ExplainAnswer(NetTask& task, const int* variantIndex);
// The same for input signals; chosenVariant[i] is the variant whose value
// inputSignals[i] is, or -1 for a number between variants (then every variant is tried).
std::vector<std::vector<AnswerChange>> ExplainSignals(NetTask& task, const double* inputSignals,
                                                      const int* chosenVariant);
