#include "network/rng.h"

#include <ctime>

uint32_t TimeSeed() {
    return static_cast<uint32_t>(std::time(nullptr));
}
