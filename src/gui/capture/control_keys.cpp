// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/capture/control_keys.hpp"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace kalvor::gui {

namespace {

class ControlKeyFilter : public QObject
{
public:
    ControlKeyFilter(QWidget *control, ControlKeys keys)
        : QObject(control)
        , m_keys(std::move(keys))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != parent() || event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        const std::function<void()> *action = nullptr;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            action = &m_keys.enter;
            break;
        case Qt::Key_Escape:
            action = &m_keys.escape;
            break;
        case Qt::Key_F1:
            action = &m_keys.f1;
            break;
        default:
            return false;
        }
        if (!*action)
            return false;
        // Copied: the action may close the dialog and so end this filter's use.
        const std::function<void()> run = *action;
        run();
        return true;
    }

private:
    ControlKeys m_keys;
};

} // namespace

void bindControlKeys(QWidget *control, ControlKeys keys)
{
    control->installEventFilter(new ControlKeyFilter(control, std::move(keys)));
}

} // namespace kalvor::gui
