// The check sums that end the task file's own sections: FNV-1a 64 written as
// 16 lowercase hex digits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

constexpr uint64_t Fnv1aStart = 0xcbf29ce484222325ULL;

// The hash continued over the bytes.
uint64_t Fnv1a(std::string_view bytes, uint64_t hash = Fnv1aStart);

// The value as 16 lowercase hex digits.
std::string Hex16(uint64_t value);
