// What zarn-cli train shows while it runs: one line that redraws itself on a
// terminal, a line every 10 % otherwise, or nothing.
#pragma once

#include <iosfwd>
#include <string>

enum class ProgressStyle { Quiet, Redrawn, EveryTenth };

// The percentage, passes done of planned, time so far and time left
// (TrainingProgressLine), e.g. for 45%, 4502 of 10002, 0:12 and 0:15.
std::string ProgressText(long long done, long long planned, double elapsedSeconds);

// Seconds as M:SS, or H:MM:SS from an hour on.
std::string ClockText(double seconds);

class ProgressReport {
  public:
    ProgressReport(ProgressStyle style, long long planned, std::ostream& out);

    // Called now and then while the run goes on.
    void Update(long long done, double elapsedSeconds);
    // The run has ended after `done` passes.
    void Finish(long long done, double elapsedSeconds);

  private:
    ProgressStyle m_style;
    long long m_planned;
    std::ostream& m_out;
    long long m_lastTenth = -1;
    bool m_shown = false;
};
