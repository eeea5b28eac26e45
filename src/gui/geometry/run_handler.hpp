// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The boundary of every handler of the geometry screens: an engine error stops
// the handler and is shown in a message box; nothing ends the program.

#include <QString>

#include <exception>
#include <functional>

class QWidget;

namespace kalvor::gui {

using ErrorReporter = std::function<void(QWidget *parent, const QString &message)>;

// Tests replace the message box; returns the reporter it replaces.
ErrorReporter setErrorReporter(ErrorReporter reporter);
void reportError(QWidget *parent, const QString &message);

// Runs the handler body; returns false when it stopped on an error (already shown).
template<class F> bool runHandler(QWidget *parent, F &&body)
{
    try {
        body();
        return true;
    } catch (const std::exception &e) {
        reportError(parent, QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace kalvor::gui
