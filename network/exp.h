// The network's exponential: e^x from a table and a short polynomial, with
// IEEE double additions, subtractions and multiplications and integer
// operations only, in one fixed order. It gives the same bits on every
// x86-64 processor and in every vector kernel (network/expkernel.inc), which
// the C library's exp does not promise (it picks among variants by
// processor, and they differ in the last bit). Within 0.52 ulp of e^x over
// the whole double range.
//
// Definition (constants in network/exp_constants.h, computed with MPFR by
// scripts/exp_constants.cpp). Every line is one rounded double operation
// unless marked exact; none is fused.
//
//   Reduction, x = k ln2/128 + r with k whole and |r| <= ln2/256 (+ tiny):
//     z  = x * kInvStep                  kInvStep = 128/ln2 rounded
//     kd = z + kExpShift                 kExpShift = 1.5 * 2^52: the bits of kd
//                                          end in k (two's complement)
//     kd = kd - kExpShift                exact: k as a double
//     t  = x - kd * kStepHi              exact (kStepHi has 35 bits, |k| < 2^18)
//     r  = t - kd * kStepLo              ln2/128 = kStepHi + kStepLo
//   Table, j = k mod 128, e = (k - j) / 128:
//     hi = kTable[2j], lo = kTable[2j + 1], hi + lo = 2^(j/128) to 106 bits
//   Polynomial, e^r - 1 ~ r + r^2 q(r) (relative error of 1 + r + r^2 q
//   below 2^-63), and reconstruction, e^x = 2^e (hi + lo)(1 + r + r^2 q):
//     r2 = r * r
//     q  = (kC2 + r * kC3) + r2 * (kC4 + r * kC5)
//     c  = (hi * r + lo) + (hi * r2) * q
//     y  = hi + c                        the one rounding that matters
//     e^x = y * 2^e                      exact while the result is normal;
//                                          2^e from the bits (e + 1023) << 52
//
// Special inputs: NaN gives a quiet NaN, +inf gives +inf, -inf gives +0.
// Results beyond the largest double give +inf (x > 709.79 directly), and
// below the smallest subnormal +0 (x < -746 directly). Results in the
// subnormal range are rounded once, onto the subnormal grid: with
// s = 2^(e + 1022), the sum 1 + hi*s + c*s is rounded to a multiple of
// 2^-52 and 1 taken off again, then scaled by 2^-1022 (exact).
//
// The fast path, taken when |x| <= kExpFastLimit, is the definition without any
// branch; the vector kernels compute exactly it, lane by lane, and call
// Exponential for any lane outside it.
#pragma once

#include "network/exp_constants.h"

inline constexpr double kExpShift = 0x1.8p52;
inline constexpr double kExpFastLimit = 707.0;  // 2^e stays a normal double

double Exponential(double x);

// The logistic sigmoid of the network, 1 / (e^-s + 1), on Exponential.
double Sigmoid(double s);
