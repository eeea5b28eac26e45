// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Tests of the vector kernels run once per instruction path, against the
// plain definition: the processor may lack a path, in which case that run
// repeats a slower one.
//
//   class MioTest : public kalvor::testing::SuPercorsiVettoriali {};
//   INSTANTIATE_TEST_SUITE_P(Percorsi, MioTest, kalvor::testing::percorsiVettoriali(),
//                            kalvor::testing::nomePercorso);

#include "detection/istruzioni_vettoriali.hpp"

#include <gtest/gtest.h>

#include <string>

namespace kalvor::testing {

class SuPercorsiVettoriali : public ::testing::TestWithParam<VectorInstructions>
{
protected:
    void SetUp() override { setVectorInstructions(GetParam()); }
    void TearDown() override { setVectorInstructions(VectorInstructions::Best); }
};

inline auto percorsiVettoriali()
{
    return ::testing::Values(VectorInstructions::Best, VectorInstructions::Avx2, VectorInstructions::None);
}

inline std::string nomePercorso(const ::testing::TestParamInfo<VectorInstructions> &info)
{
    switch (info.param) {
    case VectorInstructions::Best:
        return "Migliori";
    case VectorInstructions::Avx2:
        return "Avx2";
    case VectorInstructions::None:
        break;
    }
    return "Nessuna";
}

} // namespace kalvor::testing
