// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/istruzioni_vettoriali.hpp"

namespace kalvor {

namespace {

VectorInstructions g_istruzioni = VectorInstructions::Best;

} // namespace

void setVectorInstructions(VectorInstructions istruzioni)
{
    g_istruzioni = istruzioni;
}

bool useAvx512()
{
#if defined(__x86_64__)
    static const bool ok
        = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("bmi2");
    return ok && g_istruzioni == VectorInstructions::Best;
#else
    return false;
#endif
}

bool useAvx2()
{
#if defined(__x86_64__)
    static const bool ok = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2");
    return ok && g_istruzioni != VectorInstructions::None;
#else
    return false;
#endif
}

} // namespace kalvor
