// Fuzz target for the task file reader. Beyond memory errors it checks that a
// refused file leaves the task as it was, that a loaded task stays inside the
// capacities, and that writing a loaded task and reading it back settles on
// the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "model/numericscale.h"
#include "model/task.h"
#include "storage/taskfile.h"
#include "storage/taskwriter.h"

namespace {

// What the task holds before every input that follows a successful load.
constexpr std::string_view Baseline =
    "2\n4\n3\n2\n2 colour\n2 size\n1.000000 red\n2.000000 green\n0.500000 small\n"
    "1.500000 large\napple\npear\nplum\n1,0,=2\n0,1,=0\n";

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "taskfile_fuzz: %s\n", what);
    std::abort();
}

NetTask& Scratch(int which) {
    static NetTask* tasks[3] = {new NetTask, new NetTask, new NetTask};
    return *tasks[which];
}

void CheckInsideCapacities(const NetTask& task) {
    if (task.inputCount < 0 || task.inputCount > MaxInputs) Fail("inputCount");
    if (task.outputCount < 0 || task.outputCount > MaxOutputs) Fail("outputCount");
    if (task.exampleCount < 0 || task.exampleCount > MaxExamples) Fail("exampleCount");
    if (task.hiddenCount > MaxHidden) Fail("hiddenCount");
    for (int i = 0; i < task.inputCount; ++i) {
        const int count = task.inputParams[i].variantCount;
        if (count < 0 || count > MaxVariants) Fail("variantCount");
        const InputParam& param = task.inputParams[i];
        if (param.scale.kind != NumericScale::Kind::None && !ScaleFits(param))
            Fail("a scale that does not fit its variants");
    }
    for (int k = 0; k < task.exampleCount; ++k) {
        for (int i = 0; i < task.inputCount; ++i) {
            const int v = task.examples[k].inputVariant[i];
            if (v < 0 || v >= task.inputParams[i].variantCount) Fail("inputVariant");
        }
        int results = 0;
        for (int j = 0; j < task.outputCount; ++j) results += task.examples[k].target[j] == 1.0;
        if (results != 1) Fail("result");
    }
}

std::string Written(const NetTask& task) {
    const std::optional<std::string> bytes = FormatTaskFile(task);
    if (!bytes) Fail("a loaded task cannot be written");
    return *bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    NetTask& task = Scratch(0);
    static bool changed = true;
    if (changed && LoadFromBytes(task, Baseline).status.kind != StatusKind::Ok)
        Fail("baseline refused");
    changed = false;
    const std::string before = Written(task);

    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const LoadResult result = LoadFromBytes(task, input);
    if (result.status.kind == StatusKind::Refused) {
        if (result.status.message.empty()) Fail("refusal without a message");
        if (Written(task) != before) Fail("a refused file changed the task");
        return 0;
    }
    if (result.status.kind != StatusKind::Ok) Fail("memory load reported CannotOpen");
    changed = true;
    CheckInsideCapacities(task);

    // Six-decimal values may move once on the first rewrite, never after.
    const std::string first = Written(task);
    if (LoadFromBytes(Scratch(1), first).status.kind != StatusKind::Ok)
        Fail("written file refused");
    const std::string second = Written(Scratch(1));
    if (LoadFromBytes(Scratch(2), second).status.kind != StatusKind::Ok)
        Fail("rewritten file refused");
    if (Written(Scratch(2)) != second) Fail("save-load-save not stable");
    return 0;
}
