// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/geometry/run_handler.hpp"

#include <QMessageBox>

namespace kalvor::gui {

namespace {

ErrorReporter &currentReporter()
{
    static ErrorReporter reporter
        = [](QWidget *parent, const QString &message) { QMessageBox::critical(parent, "Kalvor", message); };
    return reporter;
}

} // namespace

ErrorReporter setErrorReporter(ErrorReporter reporter)
{
    ErrorReporter old = std::move(currentReporter());
    currentReporter() = std::move(reporter);
    return old;
}

void reportError(QWidget *parent, const QString &message)
{
    currentReporter()(parent, message);
}

} // namespace kalvor::gui
