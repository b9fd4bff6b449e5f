// Parse time per megabyte of a CSV file whose one cell is an adversarial
// "1-1-1-..." run (a range candidate at every dash), read and imported as
// zarn-cli import does, at 1 MB and 8 MB. Linear parsing keeps the two
// figures close; the ratio is printed (it should stay below 2).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "dataset/datafile.h"
#include "dataset/importer.h"

namespace {

std::string AdversarialCsv(std::size_t cellBytes) {
    std::string text = "a,b\n";
    text.reserve(cellBytes + 16);
    while (text.size() < cellBytes) text += "1-";
    return text + "1,x\n";
}

// The best of a few runs, in seconds per megabyte.
double SecondsPerMegabyte(std::size_t megabytes) {
    const std::string bytes = AdversarialCsv(megabytes * 1024 * 1024);
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        DataTable table;
        if (ReadDataBytes(DataFormat::Csv, bytes, table).ok()) {
            TaskDraft staged;
            ImportSummary summary;
            ImportTable(table, ImportOptions{}, staged, summary);
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best / static_cast<double>(megabytes);
}

}  // namespace

int main() {
    const double small = SecondsPerMegabyte(1), large = SecondsPerMegabyte(8);
    std::printf("adversarial cell 1 MB: %.2f ms/MB\n", small * 1e3);
    std::printf("adversarial cell 8 MB: %.2f ms/MB\n", large * 1e3);
    std::printf("ratio 8 MB / 1 MB per MB: %.2f (linear: below 2)\n", large / small);
    return large / small < 2 ? 0 : 1;
}
