// Switches the process to a comma-decimal locale (ru_RU.UTF-8) for a scope.
// Fails the test when the locale cannot be had: it is part of the set-up.
#pragma once

#include <string>

class CommaLocale {
  public:
    CommaLocale();
    ~CommaLocale();
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

  private:
    std::string previous_;
};
