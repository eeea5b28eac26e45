// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/scripted_platform.hpp"

namespace kalvor::gui {

namespace {

template<class T> T takeFront(std::deque<T> &queue, T whenEmpty)
{
    if (queue.empty())
        return whenEmpty;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

} // namespace

QString ScriptedPlatform::openFileName(QWidget *, const FileDialogOptions &options)
{
    dialogs.push_back({QStringLiteral("open"), options});
    return takeFront(openAnswers, QString());
}

QString ScriptedPlatform::saveFileName(QWidget *, const FileDialogOptions &options)
{
    dialogs.push_back({QStringLiteral("save"), options});
    return takeFront(saveAnswers, QString());
}

void ScriptedPlatform::information(QWidget *, const QString &title, const QString &text)
{
    messages.push_back({QStringLiteral("information"), title, text});
}

void ScriptedPlatform::error(QWidget *, const QString &text)
{
    messages.push_back({QStringLiteral("error"), QStringLiteral("Kalvor"), text});
}

bool ScriptedPlatform::question(QWidget *, const QString &title, const QString &text)
{
    messages.push_back({QStringLiteral("question"), title, text});
    return takeFront(questionAnswers, false);
}

void ScriptedPlatform::openUrl(const QString &url)
{
    openedUrls << url;
}

void ScriptedPlatform::playSound(const QString &wavPath)
{
    playedSounds << wavPath;
}

QStringList ScriptedPlatform::messageTexts(const QString &kind) const
{
    QStringList texts;
    for (const auto &message : messages)
        if (message.kind == kind)
            texts << message.text;
    return texts;
}

} // namespace kalvor::gui
