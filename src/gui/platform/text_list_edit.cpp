// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/text_list_edit.hpp"

namespace kalvor::gui {

TextListEdit::TextListEdit(TextList &list, const char *objectName, QWidget *parent)
    : QPlainTextEdit(parent)
    , m_list(list)
{
    setObjectName(objectName);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (m_refreshing)
            return;
        // The editor's lines are the list's lines; an empty editor is an empty list.
        const QString text = toPlainText();
        m_list.clear();
        if (!text.isEmpty())
            for (const QString &line : text.split('\n'))
                m_list.append(line.toStdString());
    });
    refresh();
}

void TextListEdit::refresh()
{
    m_refreshing = true;
    QStringList lines;
    for (const std::string &line : m_list.lines())
        lines << QString::fromStdString(line);
    setPlainText(lines.join('\n'));
    m_refreshing = false;
}

} // namespace kalvor::gui
