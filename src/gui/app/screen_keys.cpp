// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/screen_keys.hpp"

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace kalvor::gui {

namespace {

class EscapeFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Only what reaches the screen itself: a control may still use Esc.
        if (watched == parent() && event->type() == QEvent::KeyPress
            && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            event->accept();
            return true;
        }
        return false;
    }
};

} // namespace

void disableAutomaticEnter(QDialog *screen)
{
    for (QPushButton *button : screen->findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

void keepOpenOnEscape(QDialog *screen)
{
    screen->installEventFilter(new EscapeFilter(screen)); // owned by the screen
}

} // namespace kalvor::gui
