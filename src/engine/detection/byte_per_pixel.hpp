// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// 64 pixels are 192 bytes are three 64-bit words of per-byte flags: pixel p
// owns flag bits 3p..3p+2 of that 192-bit stream. The vector kernels that
// compare bytes turn such flags into one bit per pixel here.

#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>

namespace kalvor {

constexpr std::uint64_t bitOgniTre(int primo)
{
    std::uint64_t m = 0;
    for (int b = primo; b < 64; b += 3)
        m |= std::uint64_t {1} << b;
    return m;
}

// Bit p set when all three flags of pixel p are.
__attribute__((target("bmi2"))) inline std::uint64_t pixelsWithAllBytes(const std::uint64_t w[3])
{
    const std::uint64_t a0 = w[0] & ((w[0] >> 1) | (w[1] << 63)) & ((w[0] >> 2) | (w[1] << 62));
    const std::uint64_t a1 = w[1] & ((w[1] >> 1) | (w[2] << 63)) & ((w[1] >> 2) | (w[2] << 62));
    const std::uint64_t a2 = w[2] & (w[2] >> 1) & (w[2] >> 2);
    return _pext_u64(a0, bitOgniTre(0)) | (_pext_u64(a1, bitOgniTre(2)) << 22) | (_pext_u64(a2, bitOgniTre(1)) << 43);
}

} // namespace kalvor
#endif
