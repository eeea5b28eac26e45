// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Everything a screen asks of the desktop that a test must be able to script:
// file dialogs, message boxes, the web browser, sounds and the clock. Screens
// receive the one Platform of the program and never call QFileDialog,
// QMessageBox, QDesktopServices or the clock directly.

#include <QDate>
#include <QString>
#include <QTime>

class QWidget;

namespace kalvor::gui {

// A file dialog as the program configures it. The filter uses Qt's syntax
// ("Progetto KALVOR (*.kvr)"); defaultExtension is added to a typed name that
// has none ("kvr", without dot).
struct FileDialogOptions
{
    QString title;
    QString filter;
    QString defaultExtension;
    QString initialPath; // folder or file name the dialog starts from; empty for the working folder
};

struct Platform
{
    virtual ~Platform() = default;

    // The chosen file, or an empty text when the user cancelled.
    virtual QString openFileName(QWidget *parent, const FileDialogOptions &options) = 0;
    virtual QString saveFileName(QWidget *parent, const FileDialogOptions &options) = 0;

    virtual void information(QWidget *parent, const QString &title, const QString &text) = 0;
    virtual void error(QWidget *parent, const QString &text) = 0;
    // Yes or no; true for yes.
    virtual bool question(QWidget *parent, const QString &title, const QString &text) = 0;

    // Opens the address in the user's browser; failures are not reported.
    virtual void openUrl(const QString &url) = 0;
    // Starts playing a short wave file and returns at once; a missing file is silent.
    virtual void playSound(const QString &wavPath) = 0;

    virtual QDate today() = 0;
    virtual QTime timeOfDay() = 0;
    // Today's date in the user's short date format ("09/12/26").
    virtual QString todayText() = 0;
    // The time of day in the user's format ("08:15:42").
    virtual QString timeOfDayText() = 0;
};

// A folder chosen through a save dialog (the user names any file inside it):
// the folder with a trailing '/', or an empty text when cancelled.
QString chooseFolder(Platform &platform, QWidget *parent, const FileDialogOptions &options);

} // namespace kalvor::gui
