// The training-pass kernel for processors with AVX2, chosen at run time.
// Separate multiplies and adds only: FMA would round differently. Clang takes
// the instruction set as a function attribute; GCC as a pragma.
#include <immintrin.h>

#include "network/exp.h"
#include "network/forward.h"
#include "network/leadpolicy.h"
#include "network/passkernel.h"

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
namespace pass_avx2 {
#include "network/passkernel.inc"
}
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

const PassKernel Avx2PassKernel = {pass_avx2::RunAlone, pass_avx2::RunLead, pass_avx2::RunHelper,
                                   pass_avx2::CountCorrect, pass_avx2::ExpArray};
