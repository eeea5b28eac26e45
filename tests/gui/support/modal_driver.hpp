// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Plays the user in front of modal screens: each time a modal screen comes on
// top it records its objectName and runs the next scripted action on it
// (by default: close it with the close box). No test waits for a person.

#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

class QWidget;

namespace kalvor::gui::test {

class ModalDriver : public QObject
{
public:
    using Action = std::function<void(QWidget *screen)>;

    ModalDriver();

    // The actions for the next modal screens, in order.
    void then(Action action) { m_actions.push_back(std::move(action)); }
    // What to do once the script has run out (default: close box).
    void otherwise(Action action) { m_fallback = std::move(action); }

    // The objectNames of the modal screens seen, in order.
    QStringList seen;

    static Action closeBox();
    static Action click(const QString &buttonName);
    static Action typeInto(const QString &fieldName, const QString &text, Action next);

protected:
    // A handled screen that hides may come back as a new modal screen.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void poll();

    QTimer m_timer;
    std::deque<Action> m_actions;
    Action m_fallback;
    QSet<QWidget *> m_handled;
};

} // namespace kalvor::gui::test
