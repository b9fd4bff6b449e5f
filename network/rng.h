// The classic platform generator: x = x * 214013 + 2531011, draw bits 16..30.
#pragma once

#include <cstdint>

class ClassicRng {
  public:
    explicit ClassicRng(uint32_t seed) : state_(seed) {}
    // Uniform over 0 .. 32767.
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }

  private:
    uint32_t state_;
};
