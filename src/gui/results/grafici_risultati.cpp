// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/results/grafici_risultati.hpp"

#include "analysis/diagramma_spazio_tempo.hpp"
#include "analysis/distribuzione_velocita.hpp"
#include "common/errors.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/paint_drawing.hpp"
#include "state/stato_lavoro.hpp"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

namespace kalvor::gui {

VistaGrafico::VistaGrafico(const QString &objectName, QSize minimo, QWidget *parent)
    : QWidget(parent)
    , m_minimo(minimo)
{
    setObjectName(objectName);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void VistaGrafico::setAutore(Autore autore)
{
    m_autore = std::move(autore);
    m_valido = false;
    update();
}

const Drawing &VistaGrafico::disegno()
{
    const int w = std::max(width(), minimumSizeHint().width());
    const int h = std::max(height(), minimumSizeHint().height());
    if (!m_valido || m_grafico.larghezza != w || m_grafico.altezza != h) {
        m_grafico = m_autore ? m_autore(w, h) : Grafico {w, h, {}};
        m_valido = true;
    }
    return m_grafico.disegno;
}

void VistaGrafico::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    paintDrawing(painter, disegno());
}

AnalisiTraffico analisiDelLavoro(const StatoLavoro &stato)
{
    OpzioniAnalisi opzioni;
    try {
        opzioni.durataIntervallo = leggiDurataIntervallo(stato.Risultati.IntervalloFlussiTXT);
    } catch (const Error &) {
        // The flow view reports the bad text; nothing else depends on it.
    }
    opzioni.sezioneX = sezioneDiRiferimento(stato);
    return analizzaTraffico(stato.TabellaIstanti, opzioni);
}

GraficiRisultati::GraficiRisultati(StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QWidget(parent)
    , m_stato(stato)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("GraficiRisultati"));
    // Wide enough for the engine's titles and legends at the default font.
    m_diagramma = new VistaGrafico(QStringLiteral("DiagrammaSpazioTempo"), QSize(560, 260), this);
    m_velocitaSup = new VistaGrafico(QStringLiteral("VelocitaArcoSuperiore"), QSize(480, 220), this);
    m_velocitaInf = new VistaGrafico(QStringLiteral("VelocitaArcoInferiore"), QSize(480, 220), this);

    auto *page = new QVBoxLayout(this);
    page->addWidget(m_diagramma, 3);
    auto *distribuzioni = new QHBoxLayout;
    distribuzioni->addWidget(m_velocitaSup);
    distribuzioni->addWidget(m_velocitaInf);
    page->addLayout(distribuzioni, 2);
    refresh();
}

void GraficiRisultati::refresh()
{
    guarded(this, m_platform, [&] { m_analisi = analisiDelLavoro(m_stato); });
    const AnalisiTraffico &a = m_analisi;
    m_diagramma->setAutore([&a](int w, int h) { return diagrammaSpazioTempo(a.traiettorie, w, h); });
    for (int arco : {1, 2})
        velocita(arco)->setAutore(
            [&a, arco](int w, int h) { return distribuzioneVelocita(velocitaAllaSezione(a, arco), arco, w, h); });
}

} // namespace kalvor::gui
