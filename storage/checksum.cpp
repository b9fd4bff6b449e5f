#include "storage/checksum.h"

uint64_t Fnv1a(std::string_view bytes, uint64_t hash) {
    for (unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

std::string Hex16(uint64_t value) {
    std::string text(16, '0');
    for (int digit = 15, shift = 0; digit >= 0; --digit, shift += 4)
        text[digit] = "0123456789abcdef"[(value >> shift) & 0xF];
    return text;
}
