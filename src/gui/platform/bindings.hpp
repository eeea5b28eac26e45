// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Widgets bound to items of the job state. An edit field writes what is typed
// into its item as it is typed; a screen's refreshFromState() calls show*()
// to put the state back on its widgets after every operation.

#include "common/text_list.hpp"

#include <QString>

#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace kalvor::gui {

// A text field named objectName whose typing is written into item.
QLineEdit *boundLineEdit(QWidget *parent, const QString &objectName, std::string &item);
// A check box named objectName whose ticking is written into item.
QCheckBox *boundCheckBox(QWidget *parent, const QString &objectName, const QString &text, bool &item);
// A read-only multi-line view named objectName showing a text list.
QPlainTextEdit *listView(QWidget *parent, const QString &objectName);

void showText(QLineEdit *field, const std::string &item);
void showText(QLabel *caption, const std::string &item);
void showCheck(QCheckBox *box, bool item);
void showList(QPlainTextEdit *view, const TextList &list);

} // namespace kalvor::gui
