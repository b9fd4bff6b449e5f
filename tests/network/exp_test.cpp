// The network's exponential against MPFR's correctly rounded one, and every
// vector kernel against the scalar function, bit for bit.
#include "network/exp.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <vector>

#include "network/passes.h"
#include "network/passkernel.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr long kScale = 20;  // the sanitizer build runs a twentieth of the points
#else
constexpr long kScale = 1;
#endif

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Inputs at the edges: zeros, subnormals, the overflow and underflow
// thresholds, the ends of the fast path, infinities and NaNs.
// clang-format off
const double kEdges[] = {
    0.0, -0.0, 0x1p-1074, -0x1p-1074, 0x1p-1022, 0x1p-54, -0x1p-54, 1e-300, 1.0, -1.0, 0.5,
    36.7, -36.7, 707.0, -707.0, 0x1.6180000000001p+9, 708.0, -708.0, 709.0, 709.78,
    709.782712893384, 709.7827128933841, 709.79, 709.8, 710.0, 1e10, -708.3964185322641,
    -708.39641853226408, -708.4, -709.0, -720.0, -744.0, -745.0, -745.1332191019411,
    -745.1332191019412, -745.14, -746.0, -750.0, -1e10, std::numeric_limits<double>::max(),
    -std::numeric_limits<double>::max(), kInf, -kInf, kNaN, -kNaN,
};
// clang-format on

// Distance of y from e^x in units in the last place of e^x (subnormal units
// below 2^-1022); 0 or infinite where e^x rounds to +inf or x is NaN.
class UlpMeter {
  public:
    // 80 bits: far more than the 0.01 ulp resolution needed.
    UlpMeter() { mpfr_inits2(80, x_, exact_, got_, static_cast<mpfr_ptr>(nullptr)); }
    ~UlpMeter() { mpfr_clears(x_, exact_, got_, static_cast<mpfr_ptr>(nullptr)); }
    UlpMeter(const UlpMeter&) = delete;
    UlpMeter& operator=(const UlpMeter&) = delete;

    double Error(double x, double y) {
        if (std::isnan(x)) return std::isnan(y) ? 0.0 : kInf;
        // Far beyond the double range MPFR's own exponent range ends too.
        if (x > 1000.0) return y == kInf ? 0.0 : kInf;
        if (x < -1000.0) return y == 0.0 ? 0.0 : kInf;
        mpfr_set_d(x_, x, MPFR_RNDN);
        mpfr_exp(exact_, x_, MPFR_RNDN);
        if (mpfr_get_d(exact_, MPFR_RNDN) == kInf) return y == kInf ? 0.0 : kInf;
        mpfr_set_d(got_, y, MPFR_RNDN);
        mpfr_sub(got_, got_, exact_, MPFR_RNDN);
        long exponent = mpfr_get_exp(exact_);  // exact in [2^(e-1), 2^e)
        if (exponent < -1021) exponent = -1021;
        mpfr_mul_2si(got_, got_, 53 - exponent, MPFR_RNDN);
        return std::fabs(mpfr_get_d(got_, MPFR_RNDN));
    }

  private:
    mpfr_t x_, exact_, got_;
};

// Inputs drawn uniformly from [low, high], or as random bit patterns (every
// exponent of the double range equally often) when low == high.
struct Range {
    const char* name;
    double low, high;
    long count;
};

TEST(Exponential, WithinHalfAnUlpAndAHairOfMpfrOverTheWholeRange) {
    const Range ranges[] = {
        {"-40..40", -40.0, 40.0, 1500000 / kScale},
        {"-707..707", -707.0, 707.0, 400000 / kScale},
        {"-746..-707 (subnormal results)", -746.0, -707.0, 300000 / kScale},
        {"707..710 (overflow)", 707.0, 710.0, 100000 / kScale},
        {"-1e-6..1e-6", -1e-6, 1e-6, 50000 / kScale},
        {"random bit patterns", 0.0, 0.0, 300000 / kScale},
    };
    std::mt19937_64 random(2024);
    UlpMeter meter;
    double worstAll = 0.0;
    for (const Range& range : ranges) {
        std::uniform_real_distribution<double> pick(range.low, range.high);
        double worst = 0.0, worstX = 0.0;
        for (long i = 0; i < range.count; ++i) {
            const double x =
                range.low < range.high ? pick(random) : std::bit_cast<double>(random());
            const double error = meter.Error(x, Exponential(x));
            if (error > worst) worst = error, worstX = x;
        }
        std::printf("exp %-32s %8ld points  max %.4f ulp at %a\n", range.name, range.count, worst,
                    worstX);
        EXPECT_LE(worst, 0.52) << range.name << " at " << worstX;
        worstAll = std::fmax(worstAll, worst);
    }
    std::printf("exp max error over all ranges: %.4f ulp\n", worstAll);
}

TEST(Exponential, EdgesRoundAsMpfrAndSaturateExactly) {
    UlpMeter meter;
    for (double x : kEdges) {
        const double y = Exponential(x);
        EXPECT_LE(meter.Error(x, y), 0.52) << std::hexfloat << x << " gives " << y;
        EXPECT_TRUE(std::isnan(y) || !std::signbit(y)) << x;
    }
    // The sigmoid's ends: exactly 0.0 below about -745 and exactly 1.0 above 37.
    const std::pair<double, double> exact[] = {
        {0.0, 1.0},     {-0.0, 1.0}, {kInf, kInf}, {709.79, kInf}, {-745.1332191019411, 0x1p-1074},
        {-745.14, 0.0}, {-kInf, 0.0}};
    for (const auto& [x, y] : exact) EXPECT_EQ(Exponential(x), y) << x;
    const std::pair<double, double> sigmoid[] = {
        {0.0, 0.5}, {-800.0, 0.0}, {40.0, 1.0}, {-kInf, 0.0}, {kInf, 1.0}};
    for (const auto& [s, y] : sigmoid) EXPECT_EQ(Sigmoid(s), y) << s;
}

struct KernelPath {
    const char* name;
    PassPath path;
    const PassKernel& kernel;
};

TEST(ExponentialKernels, GiveTheScalarBitsForAnyValueAndAnyLength) {
    const KernelPath paths[] = {{"generic", PassPath::Generic, GenericPassKernel},
                                {"avx2", PassPath::Avx2, Avx2PassKernel}};
    // Mostly sigmoid-range values, with edge values and random bit patterns
    // mixed in so that fast and slow lanes share vectors.
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> dense(-45.0, 45.0), wide(-760.0, 760.0);
    std::vector<double> x(3000000 / kScale);
    for (std::size_t i = 0; i < x.size(); ++i) {
        const unsigned kind = random() % 16;
        x[i] = kind < 11   ? dense(random)
               : kind < 14 ? wide(random)
               : kind < 15 ? kEdges[random() % std::size(kEdges)]
                           : std::bit_cast<double>(random());
    }
    std::vector<double> expected(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) expected[i] = Exponential(x[i]);
    auto same = [](double a, double b) {
        return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b) ||
               (std::isnan(a) && std::isnan(b));
    };
    for (const KernelPath& path : paths) {
        if (!PassPathAvailable(path.path)) continue;
        SCOPED_TRACE(path.name);
        std::vector<double> y(x.size());
        path.kernel.expArray(x.data(), y.data(), static_cast<long>(x.size()));
        long differ = 0;
        for (std::size_t i = 0; i < x.size(); ++i) differ += !same(y[i], expected[i]);
        EXPECT_EQ(differ, 0);
        // Every tail length, at every offset of a vector; nothing written past.
        for (long count = 0; count <= 11; ++count) {
            for (long offset = 0; offset < 4; ++offset) {
                std::vector<double> out(16, -1.0);
                path.kernel.expArray(x.data() + 1000 * count + offset, out.data(), count);
                for (long i = 0; i < 16; ++i)
                    EXPECT_TRUE(
                        same(out[i], i < count ? expected[1000 * count + offset + i] : -1.0))
                        << "count " << count << " offset " << offset << " index " << i;
            }
        }
    }
}

}  // namespace
