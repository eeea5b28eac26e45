// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/istruzioni_vettoriali.hpp"

namespace kalvor {

namespace {

IstruzioniVettoriali g_istruzioni = IstruzioniVettoriali::Migliori;

} // namespace

void impostaIstruzioniVettoriali(IstruzioniVettoriali istruzioni)
{
    g_istruzioni = istruzioni;
}

bool usaAvx512()
{
#if defined(__x86_64__)
    static const bool ok
        = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("bmi2");
    return ok && g_istruzioni == IstruzioniVettoriali::Migliori;
#else
    return false;
#endif
}

bool usaAvx2()
{
#if defined(__x86_64__)
    static const bool ok = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2");
    return ok && g_istruzioni != IstruzioniVettoriali::Nessuna;
#else
    return false;
#endif
}

} // namespace kalvor
