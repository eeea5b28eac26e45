// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/bindings.hpp"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace kalvor::gui {

QLineEdit *boundLineEdit(QWidget *parent, const QString &objectName, std::string &item)
{
    auto *field = new QLineEdit(QString::fromStdString(item), parent);
    field->setObjectName(objectName);
    // textChanged, not textEdited: keys sent by the program (F1's date) count as typing too.
    QObject::connect(field, &QLineEdit::textChanged, field,
                     [&item](const QString &text) { item = text.toStdString(); });
    return field;
}

QCheckBox *boundCheckBox(QWidget *parent, const QString &objectName, const QString &text, bool &item)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(objectName);
    box->setChecked(item);
    QObject::connect(box, &QCheckBox::toggled, box, [&item](bool checked) { item = checked; });
    return box;
}

QPlainTextEdit *listView(QWidget *parent, const QString &objectName)
{
    auto *view = new QPlainTextEdit(parent);
    view->setObjectName(objectName);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    return view;
}

void showText(QLineEdit *field, const std::string &item)
{
    const QString text = QString::fromStdString(item);
    if (field->text() != text)
        field->setText(text);
}

void showText(QLabel *caption, const std::string &item)
{
    caption->setText(QString::fromStdString(item));
}

void showCheck(QCheckBox *box, bool item)
{
    box->setChecked(item);
}

void showList(QPlainTextEdit *view, const TextList &list)
{
    const QString text = QString::fromStdString(list.text());
    if (view->toPlainText() != text)
        view->setPlainText(text);
}

} // namespace kalvor::gui
