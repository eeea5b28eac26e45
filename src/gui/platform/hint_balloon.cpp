// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/hint_balloon.hpp"

#include "gui/platform/resources.hpp"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

namespace kalvor::gui {

namespace {

const char *const hintProperty = "kalvorHint";

QPointer<QWidget> &currentBalloon()
{
    static QPointer<QWidget> balloon;
    return balloon;
}

// Shows the balloon on the toolkit's tool-tip event and hides it on leaving.
class HintFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget)
            return false;
        switch (event->type()) {
        case QEvent::ToolTip: {
            const QString text = hintOf(widget);
            if (text.isEmpty())
                return false;
            showHintBalloon(parseHint(text), static_cast<QHelpEvent *>(event)->globalPos(), widget);
            return true;
        }
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::Hide:
            hideHintBalloon();
            return false;
        default:
            return false;
        }
    }
};

HintFilter *hintFilter()
{
    static QPointer<HintFilter> filter;
    if (!filter)
        filter = new HintFilter(qApp); // owned by the application object
    return filter;
}

} // namespace

Hint parseHint(const QString &hint)
{
    const QStringList parts = hint.split('|');
    Hint result;
    if (parts.size() < 2) {
        result.text = hint;
        return result;
    }
    result.title = parts.at(0);
    result.text = parts.at(1);
    if (parts.size() >= 3) {
        bool ok = false;
        const int index = parts.at(2).trimmed().toInt(&ok);
        if (ok && index >= 0 && index < hintPictureCount)
            result.picture = index;
    }
    return result;
}

void setHint(QWidget *widget, const QString &hint)
{
    widget->setProperty(hintProperty, hint);
    widget->setAttribute(Qt::WA_Hover);
    widget->installEventFilter(hintFilter());
}

QString hintOf(const QWidget *widget)
{
    return widget->property(hintProperty).toString();
}

QWidget *showHintBalloon(const Hint &hint, const QPoint &globalPos, QWidget *anchor)
{
    hideHintBalloon();
    auto *balloon = new QWidget(anchor ? anchor->window() : nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
    balloon->setObjectName(QStringLiteral("HintArtistico"));
    balloon->setAttribute(Qt::WA_DeleteOnClose);
    balloon->setStyleSheet(
        QStringLiteral("#HintArtistico { background: #fffbe8; border: 2px solid #c8782a; border-radius: 10px; }"
                       "QLabel { background: transparent; color: #2b2b2b; }"
                       "QLabel#titolo { font-weight: bold; font-size: 11pt; color: #8a3f0c; }"));
    balloon->setAttribute(Qt::WA_StyledBackground);

    auto *row = new QHBoxLayout(balloon);
    row->setContentsMargins(10, 8, 12, 8);
    row->setSpacing(10);
    const QPixmap pixmap = hintPicture(hint.picture);
    if (!pixmap.isNull()) {
        auto *image = new QLabel(balloon);
        image->setObjectName(QStringLiteral("immagine"));
        image->setPixmap(pixmap);
        image->setAlignment(Qt::AlignTop);
        row->addWidget(image);
    }
    auto *column = new QVBoxLayout;
    if (!hint.title.isEmpty()) {
        auto *title = new QLabel(hint.title, balloon);
        title->setObjectName(QStringLiteral("titolo"));
        column->addWidget(title);
    }
    auto *text = new QLabel(hint.text, balloon);
    text->setObjectName(QStringLiteral("testo"));
    text->setWordWrap(true);
    text->setMaximumWidth(320);
    column->addWidget(text);
    column->addStretch();
    row->addLayout(column);

    balloon->adjustSize();
    QPoint pos = globalPos + QPoint(12, 18);
    if (const QScreen *screen = QGuiApplication::screenAt(globalPos)) {
        const QRect area = screen->availableGeometry();
        pos.setX(qMin(pos.x(), area.right() - balloon->width()));
        pos.setY(qMin(pos.y(), area.bottom() - balloon->height()));
    }
    balloon->move(pos);
    balloon->show();
    QTimer::singleShot(10000, balloon, &QWidget::close);
    currentBalloon() = balloon;
    return balloon;
}

void hideHintBalloon()
{
    if (QWidget *balloon = currentBalloon())
        balloon->close();
    currentBalloon() = nullptr;
}

} // namespace kalvor::gui
