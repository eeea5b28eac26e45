// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/geometry/scelta_verso_letture.hpp"

#include "gui/platform/bindings.hpp"
#include "gui/platform/window_kind.hpp"
#include "state/stato_lavoro.hpp"

#include <QCheckBox>
#include <QVBoxLayout>

namespace kalvor::gui {

TSceltaVersoLetture::TSceltaVersoLetture(Applicazione &, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_stato(stato)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("SceltaVersoLetture"));
    setWindowTitle(QStringLiteral("Come hai preso le misure?"));
    applyWindowKind(this, WindowKind::Centred);

    auto &scelta = m_stato.SceltaVersoLetture;
    m_origine00 = boundCheckBox(this, QStringLiteral("Origine00"), QStringLiteral("Origine00"), scelta.Origine00);
    m_origine640480
        = boundCheckBox(this, QStringLiteral("Origine640480"), QStringLiteral("Origine640480"), scelta.Origine640480);
    m_origine0480
        = boundCheckBox(this, QStringLiteral("Origine0480"), QStringLiteral("Origine0480"), scelta.Origine0480);
    m_origine6400
        = boundCheckBox(this, QStringLiteral("Origine6400"), QStringLiteral("Origine6400"), scelta.Origine6400);
    for (QCheckBox *hidden : {m_origine00, m_origine640480, m_origine0480, m_origine6400})
        hidden->hide();
    m_usoGPS = boundCheckBox(this, QStringLiteral("usoGPS"),
                             QStringLiteral("i riferimenti sono stati presi con coordinate GPS"), scelta.usoGPS);
    QFont bold = m_usoGPS->font();
    bold.setBold(true);
    m_usoGPS->setFont(bold);

    auto *page = new QVBoxLayout(this);
    page->addWidget(m_usoGPS);
}

void TSceltaVersoLetture::refreshFromState()
{
    const auto &scelta = m_stato.SceltaVersoLetture;
    showCheck(m_origine00, scelta.Origine00);
    showCheck(m_origine640480, scelta.Origine640480);
    showCheck(m_origine0480, scelta.Origine0480);
    showCheck(m_origine6400, scelta.Origine6400);
    showCheck(m_usoGPS, scelta.usoGPS);
}

void TSceltaVersoLetture::showEvent(QShowEvent *event)
{
    refreshFromState();
    QDialog::showEvent(event);
}

} // namespace kalvor::gui
