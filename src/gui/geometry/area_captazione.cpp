// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/geometry/area_captazione.hpp"

#include "gui/app/applicazione.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/window_kind.hpp"
#include "state/stato_lavoro.hpp"

#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kalvor::gui {

TAreaCaptazione::TAreaCaptazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_stato(stato)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("AreaCaptazione"));
    setWindowTitle(QStringLiteral("Definisci l'area di esaminazione"));
    applyWindowKind(this, WindowKind::Maximized);

    ingrandimento_TIMER = new QTimer(this);
    ingrandimento_TIMER->setObjectName(QStringLiteral("ingrandimento_TIMER"));
    ingrandimento_TIMER->setInterval(100);

    auto *page = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_fotogrammaIniziale
        = boundLineEdit(this, QStringLiteral("FotogrammaIniziale"), m_stato.AreaCaptazione.FotogrammaIniziale);
    form->addRow(QStringLiteral("Fotogramma iniziale"), m_fotogrammaIniziale);
    page->addLayout(form);
    m_puntiRiferimento = listView(this, QStringLiteral("PuntiRiferimento"));
    page->addWidget(m_puntiRiferimento, 1);

    auto *conferma = new QPushButton(QStringLiteral("Passo successivo"), this);
    conferma->setObjectName(QStringLiteral("Conferma"));
    useHandCursor(conferma);
    page->addWidget(conferma, 0, Qt::AlignRight);
    connect(conferma, &QPushButton::clicked, this, [this] { guarded(this, m_platform, [&] { ConfermaClick(); }); });
}

void TAreaCaptazione::ConfermaClick()
{
    ingrandimento_TIMER->stop();
    close();
}

void TAreaCaptazione::refreshFromState()
{
    showText(m_fotogrammaIniziale, m_stato.AreaCaptazione.FotogrammaIniziale);
    showList(m_puntiRiferimento, m_stato.AreaCaptazione.PuntiRiferimento);
}

void TAreaCaptazione::showEvent(QShowEvent *event)
{
    refreshFromState();
    QDialog::showEvent(event);
}

} // namespace kalvor::gui
