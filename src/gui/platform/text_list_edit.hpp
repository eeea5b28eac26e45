// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A visible, editable text list bound to a TextList of the job state: what the
// user types goes into the list at once; refresh() shows the list again.

#include "common/text_list.hpp"

#include <QPlainTextEdit>

namespace kalvor::gui {

class TextListEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    TextListEdit(TextList &list, const char *objectName, QWidget *parent = nullptr);
    void refresh();

private:
    TextList &m_list;
    bool m_refreshing = false;
};

} // namespace kalvor::gui
