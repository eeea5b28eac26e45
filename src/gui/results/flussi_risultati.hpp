// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The flow statistics per interval as a text view, with the interval length,
// and the comma-separated exports of the trajectories and of the flows.

#include "common/text_list.hpp"
#include "gui/platform/platform.hpp"

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class FlussiRisultati : public QWidget
{
    Q_OBJECT
public:
    FlussiRisultati(StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    static FileDialogOptions DialogoTraiettorie();
    static FileDialogOptions DialogoFlussi();

    // Recomputes the statistics from the tables with the interval typed;
    // a bad interval is reported and the view left as it was.
    void refresh();
    void EsportaTraiettorieClick();
    void EsportaFlussiClick();

private:
    void connectGuarded(QPushButton *button, void (FlussiRisultati::*handler)());
    void calcola();

    StatoLavoro &m_stato;
    Platform &m_platform;
    TextList m_rapporto;
    QLineEdit *IntervalloFlussiTXT = nullptr;
    QPlainTextEdit *RapportoFlussi = nullptr;
};

} // namespace kalvor::gui
