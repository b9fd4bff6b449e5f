// The training-pass kernel for processors with AVX2, chosen at run time.
// Separate multiplies and adds only: FMA would round differently.
#include <cmath>

#include "network/forward.h"
#include "network/leadpolicy.h"
#include "network/passkernel.h"

#pragma GCC push_options
#pragma GCC target("avx2")
namespace pass_avx2 {
#include "network/passkernel.inc"
}
#pragma GCC pop_options

const PassKernel Avx2PassKernel = {pass_avx2::RunAlone, pass_avx2::RunLead, pass_avx2::RunHelper,
                                   pass_avx2::CountCorrect};
