// What zarn-cli train shows while it runs: one line that redraws itself on a
// terminal, a line every 10 % otherwise, or nothing.
#pragma once

#include <iosfwd>
#include <string>

enum class ProgressStyle { Quiet, Redrawn, EveryTenth };

// "45% проход 4502 из 10002, прошло 0:12, осталось 0:15"
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
