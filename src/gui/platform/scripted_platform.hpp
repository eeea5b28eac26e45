// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A Platform for tests: dialogs answer from queues filled beforehand, every
// message, address and sound is recorded, the clock is fixed. Nothing waits
// for a person. An empty answer queue answers "cancelled" (empty text, no).

#include "gui/platform/platform.hpp"

#include <QStringList>

#include <deque>

namespace kalvor::gui {

struct RecordedDialog
{
    QString kind; // "open" or "save"
    FileDialogOptions options;
};

struct RecordedMessage
{
    QString kind; // "information", "error" or "question"
    QString title;
    QString text;
};

class ScriptedPlatform : public Platform
{
public:
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<bool> questionAnswers;
    QDate fixedDate {2010, 11, 16};
    QTime fixedTime {8, 30, 0};

    std::vector<RecordedDialog> dialogs;
    std::vector<RecordedMessage> messages;
    QStringList openedUrls;
    QStringList playedSounds;

    QString openFileName(QWidget *parent, const FileDialogOptions &options) override;
    QString saveFileName(QWidget *parent, const FileDialogOptions &options) override;
    void information(QWidget *parent, const QString &title, const QString &text) override;
    void error(QWidget *parent, const QString &text) override;
    bool question(QWidget *parent, const QString &title, const QString &text) override;
    void openUrl(const QString &url) override;
    void playSound(const QString &wavPath) override;
    QDate today() override { return fixedDate; }
    QTime timeOfDay() override { return fixedTime; }
    // Fixed formats, so that tests do not depend on the machine's locale.
    QString todayText() override { return fixedDate.toString(QStringLiteral("dd/MM/yyyy")); }
    QString timeOfDayText() override { return fixedTime.toString(QStringLiteral("HH:mm:ss")); }

    // The messages of one kind, in order.
    QStringList messageTexts(const QString &kind) const;
};

} // namespace kalvor::gui
