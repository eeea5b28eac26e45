// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which vector instructions the packed detection may use. The default is the
// best the processor has; tests and benchmarks lower it to run every path
// against the plain pipeline.

namespace kalvor {

enum class VectorInstructions { Best, Avx2, None };
void setVectorInstructions(VectorInstructions istruzioni);

// AVX-512 (F, BW) with BMI2, allowed and present.
bool useAvx512();
// AVX2 with BMI2, allowed and present.
bool useAvx2();

} // namespace kalvor
