// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/geometry/prospettiva.hpp"

#include "gui/app/applicazione.hpp"
#include "gui/geometry/area_captazione.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/window_kind.hpp"
#include "state/stato_lavoro.hpp"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kalvor::gui {

TProspettiva::TProspettiva(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_stato(stato)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("Prospettiva"));
    setWindowTitle(QStringLiteral("Distanze di riferimento"));
    applyWindowKind(this, WindowKind::Maximized);

    ingrandimento_TIMER = new QTimer(this);
    ingrandimento_TIMER->setObjectName(QStringLiteral("ingrandimento_TIMER"));
    ingrandimento_TIMER->setInterval(100);

    auto *page = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_fotogrammaIniziale
        = boundLineEdit(this, QStringLiteral("FotogrammaIniziale"), m_stato.Prospettiva.FotogrammaIniziale);
    form->addRow(QStringLiteral("Fotogramma iniziale"), m_fotogrammaIniziale);
    page->addLayout(form);
    auto *lists = new QHBoxLayout;
    m_coordinataXPixelP = listView(this, QStringLiteral("coordinataXPixelP"));
    m_coordinataYPixelP = listView(this, QStringLiteral("coordinataYPixelP"));
    m_distanzeRealiP = listView(this, QStringLiteral("DistanzeRealiP"));
    lists->addWidget(m_coordinataXPixelP);
    lists->addWidget(m_coordinataYPixelP);
    lists->addWidget(m_distanzeRealiP);
    page->addLayout(lists, 1);

    auto *conferma = new QPushButton(QStringLiteral("Passo successivo"), this);
    conferma->setObjectName(QStringLiteral("Conferma"));
    useHandCursor(conferma);
    page->addWidget(conferma, 0, Qt::AlignRight);
    connect(conferma, &QPushButton::clicked, this, [this] { guarded(this, m_platform, [&] { ConfermaClick(); }); });
}

void TProspettiva::ConfermaClick()
{
    ingrandimento_TIMER->stop();
    m_app.AreaCaptazione()->ingrandimento_TIMER->start();
    close();
}

void TProspettiva::refreshFromState()
{
    showText(m_fotogrammaIniziale, m_stato.Prospettiva.FotogrammaIniziale);
    showList(m_coordinataXPixelP, m_stato.Prospettiva.coordinataXPixelP);
    showList(m_coordinataYPixelP, m_stato.Prospettiva.coordinataYPixelP);
    showList(m_distanzeRealiP, m_stato.Prospettiva.DistanzeRealiP);
}

void TProspettiva::showEvent(QShowEvent *event)
{
    refreshFromState();
    QDialog::showEvent(event);
}

} // namespace kalvor::gui
