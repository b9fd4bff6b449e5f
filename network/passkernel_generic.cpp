// The training-pass kernel for any x86-64 processor (SSE2).
#include <immintrin.h>

#include "network/exp.h"
#include "network/forward.h"
#include "network/leadpolicy.h"
#include "network/passkernel.h"

// Vectors of four doubles are split into SSE2 halves here. The warning about
// their calling convention concerns only functions private to this file.
#pragma GCC diagnostic ignored "-Wpsabi"
namespace pass_generic {
#include "network/passkernel.inc"
}

const PassKernel GenericPassKernel = {pass_generic::RunAlone, pass_generic::RunLead,
                                      pass_generic::RunHelper, pass_generic::CountCorrect,
                                      pass_generic::ExpArray};
