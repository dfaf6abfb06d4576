#pragma once

// The scenes' intermediate values carry a 64-bit significand, rounded to
// nearest even after every operation: x87 extended. Where long double is
// that format (amd64, i386), it is the hardware's; elsewhere (binary128 on
// arm64 and riscv64, WebAssembly) the portable ExtendedFloat rounds the
// same, from 64-bit integers. OSTRE3_PORTABLE_WIDE_FLOAT chooses the
// portable type everywhere, to set the two side by side.

#if !defined(__LDBL_MANT_DIG__)
#error "cannot tell this compiler's long double format (no __LDBL_MANT_DIG__)"
#elif __LDBL_MANT_DIG__ == 64 && !defined(OSTRE3_PORTABLE_WIDE_FLOAT)
#include <limits>
using WideFloat = long double;
static_assert(std::numeric_limits<WideFloat>::digits == 64);
#else
#include "extended_float.h"
using WideFloat = ExtendedFloat;
#endif
