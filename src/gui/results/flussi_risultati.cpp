// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/results/flussi_risultati.hpp"

#include "analysis/analisi_traffico.hpp"
#include "analysis/esportazioni_csv.hpp"
#include "analysis/rapporto_flussi.hpp"
#include "common/files.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/controls.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "state/stato_lavoro.hpp"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalvor::gui {

namespace {

// The analysis with the interval as typed: a bad interval is an error here.
AnalisiTraffico analisiConIntervallo(const StatoLavoro &stato)
{
    OpzioniAnalisi opzioni;
    opzioni.durataIntervallo = leggiDurataIntervallo(stato.Risultati.IntervalloFlussiTXT);
    opzioni.sezioneX = sezioneDiRiferimento(stato);
    return analizzaTraffico(stato.TabellaIstanti, opzioni);
}

} // namespace

FlussiRisultati::FlussiRisultati(StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QWidget(parent)
    , m_stato(stato)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("FlussiRisultati"));
    auto *page = new QVBoxLayout(this);
    auto *comandi = new QHBoxLayout;
    comandi->addWidget(new QLabel(QStringLiteral("Intervallo [s]"), this));
    IntervalloFlussiTXT
        = boundLineEdit(this, QStringLiteral("IntervalloFlussiTXT"), m_stato.Risultati.IntervalloFlussiTXT);
    IntervalloFlussiTXT->setFixedWidth(80);
    IntervalloFlussiTXT->setAlignment(Qt::AlignCenter);
    setHint(IntervalloFlussiTXT, QStringLiteral("Intervallo|Durata di ogni intervallo dei flussi [sec]|0"));
    comandi->addWidget(IntervalloFlussiTXT);
    auto *ricalcola = namedControl<QPushButton>(this, QStringLiteral("CalcolaFlussi"), QStringLiteral("Calcola"));
    comandi->addWidget(ricalcola);
    comandi->addStretch(1);
    auto *traiettorie = namedControl<QPushButton>(this, QStringLiteral("EsportaTraiettorie"),
                                                  QStringLiteral("Esporta traiettorie CSV"));
    auto *flussi
        = namedControl<QPushButton>(this, QStringLiteral("EsportaFlussi"), QStringLiteral("Esporta flussi CSV"));
    comandi->addWidget(traiettorie);
    comandi->addWidget(flussi);
    page->addLayout(comandi);

    RapportoFlussi = listView(this, QStringLiteral("RapportoFlussi"));
    RapportoFlussi->setLineWrapMode(QPlainTextEdit::NoWrap);
    RapportoFlussi->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    page->addWidget(RapportoFlussi, 1);

    connectGuarded(ricalcola, &FlussiRisultati::calcola);
    connect(IntervalloFlussiTXT, &QLineEdit::returnPressed, this,
            [this] { guarded(this, m_platform, [&] { calcola(); }); });
    connectGuarded(traiettorie, &FlussiRisultati::EsportaTraiettorieClick);
    connectGuarded(flussi, &FlussiRisultati::EsportaFlussiClick);
    refresh();
}

FileDialogOptions FlussiRisultati::DialogoTraiettorie()
{
    return {QStringLiteral("Esportazione traiettorie"), QStringLiteral("Valori separati da virgole (*.csv)"),
            QStringLiteral("csv"), QStringLiteral("traiettorie")};
}

FileDialogOptions FlussiRisultati::DialogoFlussi()
{
    return {QStringLiteral("Esportazione flussi"), QStringLiteral("Valori separati da virgole (*.csv)"),
            QStringLiteral("csv"), QStringLiteral("flussi")};
}

void FlussiRisultati::refresh()
{
    showText(IntervalloFlussiTXT, m_stato.Risultati.IntervalloFlussiTXT);
    guarded(this, m_platform, [&] { calcola(); });
}

void FlussiRisultati::calcola()
{
    m_rapporto = rapportoFlussi(analisiConIntervallo(m_stato));
    showList(RapportoFlussi, m_rapporto);
}

void FlussiRisultati::EsportaTraiettorieClick()
{
    const QString nome = m_platform.saveFileName(this, DialogoTraiettorie());
    if (nome.isEmpty())
        return;
    writeFileAtomically(nome.toStdString(), csvTraiettorie(m_stato.TabellaIstanti));
}

void FlussiRisultati::EsportaFlussiClick()
{
    // A bad interval is reported before the dialog asks for a file.
    const std::string csv = csvFlussi(analisiConIntervallo(m_stato));
    const QString nome = m_platform.saveFileName(this, DialogoFlussi());
    if (nome.isEmpty())
        return;
    writeFileAtomically(nome.toStdString(), csv);
}

void FlussiRisultati::connectGuarded(QPushButton *button, void (FlussiRisultati::*handler)())
{
    connect(button, &QPushButton::clicked, this,
            [this, handler] { guarded(this, m_platform, [&] { (this->*handler)(); }); });
}

} // namespace kalvor::gui
