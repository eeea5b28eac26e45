// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/lettura_anticipata.hpp"

#include <stdexcept>

namespace kalvor {

LetturaAnticipata::~LetturaAnticipata() = default;

void LetturaAnticipata::anticipa(const std::string &)
{
    throw std::logic_error("not implemented");
}

RgbImage LetturaAnticipata::leggi(const std::string &)
{
    throw std::logic_error("not implemented");
}

LetturaAnticipata::Impronta LetturaAnticipata::improntaDi(const std::string &)
{
    return {};
}

} // namespace kalvor
