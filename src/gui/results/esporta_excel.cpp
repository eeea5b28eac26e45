// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/results/esporta_excel.hpp"

#include "results/cartella_excel.hpp"
#include "state/stato_lavoro.hpp"

namespace kalvor::gui {

FileDialogOptions DialogoSalvaExcel()
{
    return {QStringLiteral("Esportazione Microsoft Excel"), QStringLiteral("Microsoft Excel 2007 (*.xlsx)"),
            QStringLiteral("xlsx"), QStringLiteral("DatiExcel")};
}

void exportWorkbook(QWidget *parent, StatoLavoro &stato, Platform &platform)
{
    const QString name = platform.saveFileName(parent, DialogoSalvaExcel());
    if (name.isEmpty())
        return;
    EsportaDati(stato, name.toStdString());
}

} // namespace kalvor::gui
