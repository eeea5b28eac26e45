// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace kalvor::gui {

// A picture control that reports clicks (the program's pictures are buttons too).
class PictureControl : public QLabel
{
    Q_OBJECT
public:
    explicit PictureControl(QWidget *parent = nullptr, const QString &objectName = {});

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

// A label that reports clicks.
class ClickableLabel : public QLabel
{
    Q_OBJECT
public:
    ClickableLabel(const QString &text, QWidget *parent = nullptr, const QString &objectName = {});

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

} // namespace kalvor::gui
