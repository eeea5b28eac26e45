// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/style.hpp"

#include <QApplication>
#include <QStyleFactory>

namespace kalvor::gui {

void applyProgramStyle(QApplication &application)
{
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        application.setStyle(fusion);
    application.setStyleSheet(QStringLiteral(R"(
QDialog { background: #fbf7ea; }
QLabel { color: #173a5c; }
QGroupBox { color: #173a5c; font-weight: bold; border: 1px solid #c9d5e2; border-radius: 8px;
            margin-top: 14px; padding: 8px; background: #fffdf5; }
QGroupBox::title { subcontrol-origin: margin; left: 12px; padding: 0 4px; }
QLineEdit, QPlainTextEdit, QTextEdit, QTableView, QListView, QSpinBox {
    background: #ffffff; color: #1b1b1b; border: 1px solid #9fb3c8; border-radius: 4px;
    selection-background-color: #e8772e; selection-color: #ffffff; }
QLineEdit { padding: 3px 5px; }
QLineEdit:focus, QPlainTextEdit:focus, QTextEdit:focus, QTableView:focus { border: 1px solid #e8772e; }
QLineEdit:read-only { background: #f3efe2; }
QPushButton { background: #1f4e79; color: #fffbe8; border: none; border-radius: 6px; padding: 6px 16px;
              font-weight: bold; }
QPushButton:hover { background: #2f6da3; }
QPushButton:pressed { background: #e8772e; }
QPushButton:disabled { background: #9fb3c8; color: #eef2f6; }
QCommandLinkButton { color: #173a5c; border-radius: 8px; }
QCommandLinkButton:hover { background: rgba(232, 119, 46, 40); }
QCheckBox { color: #173a5c; }
QProgressBar { border: 1px solid #9fb3c8; border-radius: 4px; background: #ffffff; text-align: center;
               color: #173a5c; }
QProgressBar::chunk { background: #e8772e; border-radius: 3px; }
QHeaderView::section { background: #1f4e79; color: #fffbe8; border: none; padding: 4px; }
)"));
}

} // namespace kalvor::gui
