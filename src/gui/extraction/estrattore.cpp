// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/extraction/estrattore.hpp"

#include "gui/app/applicazione.hpp"
#include "gui/geometry/prospettiva.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/resources.hpp"
#include "gui/platform/window_kind.hpp"
#include "state/stato_lavoro.hpp"

#include <QCommandLinkButton>
#include <QFormLayout>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace kalvor::gui {

TEstrattore::TEstrattore(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_stato(stato)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("Estrattore"));
    setWindowTitle(QStringLiteral("Estrattore fotogrammi da esaminare"));
    applyWindowKind(this, WindowKind::Maximized);

    auto *page = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_step = boundLineEdit(this, QStringLiteral("step"), m_stato.Estrattore.step);
    form->addRow(QStringLiteral("step"), m_step);
    page->addLayout(form);
    page->addStretch(1);

    auto *conferma = new QCommandLinkButton(QStringLiteral("Passo successivo"), this);
    conferma->setObjectName(QStringLiteral("Conferma"));
    conferma->setIcon(hintIcon(14));
    useHandCursor(conferma);
    page->addWidget(conferma);
    connect(conferma, &QCommandLinkButton::clicked, this,
            [this] { guarded(this, m_platform, [&] { ConfermaClick(); }); });
}

void TEstrattore::ConfermaClick()
{
    m_app.Prospettiva()->ingrandimento_TIMER->start();
    close();
}

void TEstrattore::refreshFromState()
{
    showText(m_step, m_stato.Estrattore.step);
}

void TEstrattore::showEvent(QShowEvent *event)
{
    refreshFromState();
    QDialog::showEvent(event);
}

} // namespace kalvor::gui
