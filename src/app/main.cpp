// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/applicazione.hpp"

int main(int argc, char **argv)
{
    return kalvor::gui::runKalvor(argc, argv);
}
