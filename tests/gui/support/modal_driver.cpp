// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/modal_driver.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

namespace kalvor::gui::test {

ModalDriver::ModalDriver()
    : m_fallback(closeBox())
{
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
    m_timer.start(5);
}

void ModalDriver::poll()
{
    for (auto it = m_handled.begin(); it != m_handled.end();)
        it = (*it)->isVisible() ? std::next(it) : m_handled.erase(it);
    QWidget *screen = QApplication::activeModalWidget();
    if (!screen || m_handled.contains(screen))
        return;
    m_handled.insert(screen);
    screen->installEventFilter(this);
    seen << screen->objectName();
    Action action = m_fallback;
    if (!m_actions.empty()) {
        action = std::move(m_actions.front());
        m_actions.pop_front();
    }
    // Run outside this slot: the action may open a nested modal screen.
    QPointer<QWidget> target = screen;
    QTimer::singleShot(0, this, [target, action] {
        if (target)
            action(target);
    });
}

bool ModalDriver::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide)
        if (auto *screen = qobject_cast<QWidget *>(watched)) {
            m_handled.remove(screen);
            screen->removeEventFilter(this);
        }
    return QObject::eventFilter(watched, event);
}

ModalDriver::Action ModalDriver::closeBox()
{
    return [](QWidget *screen) { screen->close(); };
}

ModalDriver::Action ModalDriver::click(const QString &buttonName)
{
    return [buttonName](QWidget *screen) {
        auto *button = screen->findChild<QAbstractButton *>(buttonName);
        if (button)
            button->click();
        else
            screen->close(); // a missing button must not hang the test; the test's checks will fail
    };
}

ModalDriver::Action ModalDriver::typeInto(const QString &fieldName, const QString &text, Action next)
{
    return [fieldName, text, next](QWidget *screen) {
        if (auto *field = screen->findChild<QLineEdit *>(fieldName))
            field->setText(text);
        next(screen);
    };
}

} // namespace kalvor::gui::test
