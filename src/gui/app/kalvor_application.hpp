// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

namespace kalvor::gui {

struct Platform;

// The program's QApplication: the last line of defence of the handler
// boundary. An exception that escapes an event handler not wrapped in
// guarded() is shown in the standard error box instead of ending the program.
class KalvorApplication : public QApplication
{
    Q_OBJECT
public:
    KalvorApplication(int &argc, char **argv);

    void setPlatform(Platform *platform) { m_platform = platform; }
    bool notify(QObject *receiver, QEvent *event) override;

private:
    Platform *m_platform = nullptr;
};

} // namespace kalvor::gui
