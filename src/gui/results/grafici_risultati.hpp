// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The charts of the results: the time-space diagram above, the speed
// distributions of the two arcs below. The engine draws each chart at the size
// of its view; the view paints the primitives.

#include "analysis/analisi_traffico.hpp"
#include "analysis/assi_grafico.hpp"

#include <QWidget>

#include <functional>

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

struct Platform;

// One chart, redrawn by its maker whenever the view changes size.
class VistaGrafico : public QWidget
{
    Q_OBJECT
public:
    using Autore = std::function<Grafico(int larghezza, int altezza)>;

    // Below `minimo` the chart is clipped rather than squeezed: its texts keep their size.
    VistaGrafico(const QString &objectName, QSize minimo, QWidget *parent = nullptr);

    void setAutore(Autore autore);
    // The primitives painted at the view's present size.
    const Drawing &disegno();

    QSize minimumSizeHint() const override { return m_minimo; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSize m_minimo;
    Autore m_autore;
    Grafico m_grafico;
    bool m_valido = false;
};

// The analysis the screens show: the job's sightings, the reference section
// and the interval typed for the flow statistics (the default when the text
// is not a valid length, so that the charts never depend on it).
AnalisiTraffico analisiDelLavoro(const StatoLavoro &stato);

class GraficiRisultati : public QWidget
{
    Q_OBJECT
public:
    GraficiRisultati(StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    // Recomputes the analysis from the tables and redraws the charts.
    void refresh();

    VistaGrafico *diagramma() const { return m_diagramma; }
    VistaGrafico *velocita(int arco) const { return arco == 1 ? m_velocitaSup : m_velocitaInf; }

private:
    StatoLavoro &m_stato;
    Platform &m_platform;
    AnalisiTraffico m_analisi;
    VistaGrafico *m_diagramma = nullptr;
    VistaGrafico *m_velocitaSup = nullptr;
    VistaGrafico *m_velocitaInf = nullptr;
};

} // namespace kalvor::gui
