#include "cli/train_progress.h"

#include <ostream>

#include "cli/texts.h"
#include "model/numtext.h"

namespace {

std::string TwoDigits(long long value) {
    std::string text = value < 10 ? "0" : "";
    text += FormatInt(value);  // appended: GCC 12 misreads "literal" + temporary (-Wrestrict)
    return text;
}

}  // namespace

std::string ClockText(double seconds) {
    const long long whole = seconds > 0 ? static_cast<long long>(seconds) : 0;
    const long long hours = whole / 3600, minutes = whole / 60 % 60, rest = whole % 60;
    if (hours > 0) return FormatInt(hours) + ":" + TwoDigits(minutes) + ":" + TwoDigits(rest);
    return FormatInt(minutes) + ":" + TwoDigits(rest);
}

std::string ProgressText(long long done, long long planned, double elapsedSeconds) {
    const long long percent = planned > 0 ? done * 100 / planned : 0;
    // The rest at the pace so far; unknown before the first pass.
    const std::string rest = done > 0
                                 ? ClockText(elapsedSeconds * static_cast<double>(planned - done) /
                                             static_cast<double>(done))
                                 : "?";
    return TrainingProgressLine(FormatInt(percent), FormatInt(done), FormatInt(planned),
                                ClockText(elapsedSeconds), rest);
}

ProgressReport::ProgressReport(ProgressStyle style, long long planned, std::ostream& out)
    : m_style(style), m_planned(planned), m_out(out) {}

void ProgressReport::Update(long long done, double elapsedSeconds) {
    if (m_planned < 1 || done < 1) return;
    switch (m_style) {
        case ProgressStyle::Quiet:
            return;
        case ProgressStyle::Redrawn:
            // Back to the line's start, the text, then clear what an earlier,
            // longer text left.
            m_out << '\r' << ProgressText(done, m_planned, elapsedSeconds) << "\033[K"
                  << std::flush;
            m_shown = true;
            return;
        case ProgressStyle::EveryTenth: {
            const long long tenth = done * 10 / m_planned;
            if (tenth <= m_lastTenth) return;
            m_lastTenth = tenth;
            m_out << ProgressText(done, m_planned, elapsedSeconds) << '\n' << std::flush;
            return;
        }
    }
}

void ProgressReport::Finish(long long done, double elapsedSeconds) {
    Update(done, elapsedSeconds);
    if (m_style == ProgressStyle::Redrawn && m_shown) m_out << '\n' << std::flush;
}
