// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"

#include "common/printable.hpp"

#include <filesystem>
#include <new>

namespace kalvor {

std::string userMessage(const std::exception &error)
{
    if (dynamic_cast<const Error *>(&error) != nullptr)
        return error.what();
    if (dynamic_cast<const std::bad_alloc *>(&error) != nullptr)
        return "Memoria insufficiente per completare l'operazione.";
    const std::string detail = error.what();
    if (dynamic_cast<const std::filesystem::filesystem_error *>(&error) != nullptr)
        return "Operazione su file o cartelle non riuscita (" + printable(detail) + ").";
    if (detail.empty())
        return "Errore inatteso.";
    return "Errore inatteso (" + printable(detail) + ").";
}

double checkedDivide(double dividend, double divisor)
{
    if (divisor == 0.0)
        throw ArithmeticError("Divisione per zero.");
    return dividend / divisor;
}

} // namespace kalvor
