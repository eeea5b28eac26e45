// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/qt_translations.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace kalvor::gui {

bool installQtItalian(const QString &folder)
{
    const QString where = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    // "qt_it" gathers the Italian catalogues of every Qt module installed;
    // "qtbase_it" alone still covers the dialogs.
    for (const QString &name : {QStringLiteral("qt_it"), QStringLiteral("qtbase_it")}) {
        auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
        if (translator->load(name, where) && QCoreApplication::installTranslator(translator.get())) {
            translator.release(); // owned by the application object
            return true;
        }
    }
    return false;
}

} // namespace kalvor::gui
