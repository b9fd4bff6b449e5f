#include "network/exp.h"

#include <bit>
#include <cstdint>
#include <limits>

namespace {

using namespace exp_constants;

constexpr uint64_t kShiftBits = std::bit_cast<uint64_t>(kExpShift);

double FromBits(uint64_t bits) {
    return std::bit_cast<double>(bits);
}

// 2^e for -1022 <= e <= 1023.
double PowerOfTwo(int64_t e) {
    return FromBits(static_cast<uint64_t>(e + 1023) << 52);
}

// e^x = 2^(k/128) (hi + c) before the last rounding, k whole.
struct Reduced {
    double hi, c;
    int64_t k;
};

// The reduction, the table and the polynomial, in the order the header gives.
Reduced Reduce(double x) {
    const double z = x * kInvStep;
    double kd = z + kExpShift;
    const uint64_t bits = std::bit_cast<uint64_t>(kd);
    kd = kd - kExpShift;
    const double t = x - kd * kStepHi;
    const double r = t - kd * kStepLo;
    const uint64_t j = bits & 127;
    const double hi = kTable[2 * j], lo = kTable[2 * j + 1];
    const double r2 = r * r;
    const double q = (kC2 + r * kC3) + r2 * (kC4 + r * kC5);
    const double c = (hi * r + lo) + (hi * r2) * q;
    return {hi, c, static_cast<int64_t>(bits - kShiftBits)};
}

// Inputs beyond the fast path: NaN, infinities, results near overflow and
// results that may be subnormal.
double Beyond(double x) {
    if (x != x) return x + x;
    if (x > 709.8) return std::numeric_limits<double>::infinity();
    if (x < -746.0) return 0.0;
    const Reduced d = Reduce(x);
    const int64_t e = d.k >> 7;  // floor(k / 128)
    const double y = d.hi + d.c;
    // 2^1024 is no double: scale by 2^(e-1), then by 2 (overflowing to inf).
    if (e > 1000) return y * PowerOfTwo(e - 1) * 2.0;
    if (e >= -1021 || (e == -1022 && y >= 1.0)) return y * PowerOfTwo(e);
    // Subnormal: w = 2^(e+1022) (hi + c) < 1 is rounded once, to a multiple
    // of 2^-52, by adding it to 1 (the first sum's error is kept exactly).
    const double s = PowerOfTwo(e + 1022);
    const double a = d.hi * s, b = d.c * s;
    const double h = 1.0 + a;
    double l = (1.0 - h) + a;
    l = l + b;
    return ((h + l) - 1.0) * 0x1p-1022;
}

}  // namespace

double Exponential(double x) {
    if (!(x <= kExpFastLimit && x >= -kExpFastLimit)) return Beyond(x);
    const Reduced d = Reduce(x);
    const double scale =
        FromBits(((static_cast<uint64_t>(d.k) + 1023 * 128) << 45) & 0x7FF0000000000000ULL);
    return (d.hi + d.c) * scale;
}

double Sigmoid(double s) {
    return 1.0 / (Exponential(-s) + 1.0);
}
