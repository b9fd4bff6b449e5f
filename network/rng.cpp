#include <ctime>

#include "network/network.h"

uint32_t TimeSeed() {
    return static_cast<uint32_t>(std::time(nullptr));
}
