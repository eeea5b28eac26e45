// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/platform.hpp"

#include <memory>

class QSoundEffect;

namespace kalvor::gui {

// The platform of the running program: Qt's dialogs and message boxes, the
// desktop's browser, Qt Multimedia for sounds, the system locale for dates.
class QtPlatform : public Platform
{
public:
    QtPlatform();
    ~QtPlatform() override;

    QString openFileName(QWidget *parent, const FileDialogOptions &options) override;
    QString saveFileName(QWidget *parent, const FileDialogOptions &options) override;
    void information(QWidget *parent, const QString &title, const QString &text) override;
    void error(QWidget *parent, const QString &text) override;
    bool question(QWidget *parent, const QString &title, const QString &text) override;
    void openUrl(const QString &url) override;
    void playSound(const QString &wavPath) override;
    QDate today() override;
    QTime timeOfDay() override;
    QString todayText() override;
    QString timeOfDayText() override;

private:
    // One player per program: a new sound replaces the one still playing.
    std::unique_ptr<QSoundEffect> m_sound;
};

} // namespace kalvor::gui
