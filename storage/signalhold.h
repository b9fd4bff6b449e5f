// Holds back the signals that end a program (SIGINT, SIGTERM, SIGHUP) while
// a file is half written, so an interrupted save never leaves a mixture of
// old and new bytes. While a hold lasts, each such signal is recorded instead
// of acting; when it ends, the previous handlers come back and every recorded
// signal is raised again, so it acts as it would have (a program's own
// handler runs, or the program ends).
#pragma once

class SignalHold {
  public:
    SignalHold();   // from here on the signals wait
    ~SignalHold();  // they act now

    SignalHold(const SignalHold&) = delete;
    SignalHold& operator=(const SignalHold&) = delete;
};
