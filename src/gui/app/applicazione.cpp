// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/applicazione.hpp"

#include <QApplication>
#include <QMainWindow>

namespace kalvor::gui {

Applicazione::Applicazione()
    : m_impostazioni(std::make_unique<QMainWindow>())
{
    m_impostazioni->setObjectName("Impostazioni");
    m_impostazioni->setWindowTitle("Kalvor");
}

Applicazione::~Applicazione() = default;

void Applicazione::show()
{
    m_impostazioni->show();
}

int runKalvor(int argc, char **argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("Kalvor");
    setCurrentNumberFormat(NumberFormat::fromLocale());
    Applicazione app;
    app.show();
    return QApplication::exec();
}

} // namespace kalvor::gui
