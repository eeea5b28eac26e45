// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/capture/control_keys.hpp"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace kalvor::gui {

namespace {

class KeyFilter : public QObject
{
public:
    KeyFilter(QWidget *control, int key, std::function<void()> action)
        : QObject(control)
        , m_key(key)
        , m_action(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != parent() || event->type() != QEvent::KeyPress)
            return false;
        const auto *press = static_cast<QKeyEvent *>(event);
        if (press->modifiers() & ~Qt::KeypadModifier)
            return false;
        const int key = press->key() == Qt::Key_Enter ? int(Qt::Key_Return) : press->key();
        if (key != m_key)
            return false;
        // A copy: the action may close the dialog or rebuild the controls.
        const std::function<void()> action = m_action;
        action();
        return true;
    }

private:
    int m_key;
    std::function<void()> m_action;
};

} // namespace

void bindKey(QWidget *control, int key, std::function<void()> action)
{
    control->installEventFilter(new KeyFilter(control, key, std::move(action)));
}

} // namespace kalvor::gui
