// The one task record: definition, examples, network storage and training results.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Capacities of the record. Only MaxInputs is enforced with a message of the
// definition rules; the others are storage limits every writer respects.
constexpr int MaxInputs = 12;
constexpr int MaxVariants = 500;
constexpr int MaxOutputs = 500;
constexpr int MaxExamples = 500;
// The output bias row sits at row m of a 500-row table, so m stops at 499.
constexpr int MaxHidden = 499;
// Iteration counts accepted by training: 1 .. MaxIterations (N + 2 errors are recorded).
constexpr int MaxIterations = 10000000;

// Roles of the shared dialogs; stored in DialogState::dialogMode.
enum DialogMode : int32_t {
    ModeSetup = 0,
    ModeOutput = 1,
    ModeEditInput = 2,
    ModeTraining = 5,
    ModeCheck = 6,
};

// The program-wide values beside the record. The application owns the one
// instance; operations that read or set the role take it by reference.
struct DialogState {
    int32_t dialogMode = ModeSetup;
    int32_t editIndex = 0;  // 0-based input parameter the change operation works on
};

// What the variants of a numeric input parameter measure, so that a number
// can be asked for by value. It belongs to the variants it was made with and
// goes when they are edited.
struct NumericScale {
    enum class Kind : int32_t {
        None,       // names only
        Exact,      // one variant per number; a number x enters as (x - low) / (high - low)
        Intervals,  // variant i holds [cuts[i-1], cuts[i]); the first is open below, the last above
    };
    Kind kind = Kind::None;
    double low = 0.0;          // the number that maps to 0: the smallest number trained on
    double high = 0.0;         // the number that maps to 1: the largest
    std::vector<double> cuts;  // Intervals: rising cut points, one fewer than the intervals
    bool operator==(const NumericScale&) const = default;
};

// Variant table of one input parameter (its name lives in NetTask::inputNames).
struct InputParam {
    double variantValues[MaxVariants] = {};
    std::string variantNames[MaxVariants];
    int32_t variantCount = 0;
    NumericScale scale;
};

// The sizes n, m, k of a network: inputs, hidden neurons, outputs.
struct NetworkShape {
    int32_t inputs = 0;
    int32_t hidden = 0;
    int32_t outputs = 0;
    bool operator==(const NetworkShape&) const = default;
};

// One training example: chosen variant per input, one-of-N target per output.
struct Example {
    int32_t inputVariant[MaxVariants];
    double target[MaxOutputs];
};

class NetTask {
  public:
    NetTask();
    virtual ~NetTask();
    NetTask(const NetTask&) = delete;
    NetTask& operator=(const NetTask&) = delete;

    // Sets exampleCount and accuracyPercent to 0; nothing else changes.
    void ResetExamples();

    // Task definition.
    int32_t inputCount = 0;
    int32_t hiddenCount = 0;
    int32_t outputCount = 0;
    const std::unique_ptr<Example[]> examples;  // MaxExamples rows, allocated once
    int32_t exampleCount = 0;
    std::string inputNames[MaxInputs];
    const std::unique_ptr<InputParam[]> inputParams;  // MaxInputs records, allocated once
    std::string outputNames[MaxOutputs];

    // Network. Row n of weightsInputHidden holds the hidden biases, row m of
    // weightsHiddenOutput the output biases.
    double learningCoef = 0.0;
    double weightsInputHidden[MaxInputs + 1][500] = {};
    double weightsHiddenOutput[500][500] = {};
    double inputSignals[MaxInputs] = {};
    double hiddenSignals[500] = {};
    double targetSignals[500] = {};
    double outputSignals[500] = {};
    double outputDeltas[500] = {};
    double hiddenDeltas[500] = {};

    // Results of the last training run. The history grows to N + 2 values once
    // per accepted run; errorCount says how many are valid.
    std::vector<double> errorHistory;
    int32_t errorCount = 0;
    double errorMax = 0.0;
    double errorMin = 0.0;
    double accuracyPercent = 0.0;
    // The shape the weights were trained for (set by training and by loading a
    // saved network); all 0 until then. Weights of another shape are no network
    // of the current task.
    NetworkShape trainedShape;
};
