// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/geometry/punti_gps.hpp"

#include "geometry/prospettiva.hpp"
#include "gui/geometry/hint_text.hpp"
#include "gui/geometry/run_handler.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kalvor::gui {

TPuntiGPS::TPuntiGPS(StatoLavoro &stato, QWidget *parent)
    : QDialog(parent)
    , m_stato(stato)
{
    setObjectName("PuntiGPS");
    setWindowTitle("Coordinate GPS");
    setModal(true);
    auto *label1 = new QLabel("Posizione X", this);
    label1->setObjectName("Label1");
    auto *label2 = new QLabel("Posizione Y", this);
    label2->setObjectName("Label2");
    auto makeField = [this](const char *name, const char *hint) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(name);
        QFont bold = edit->font();
        bold.setBold(true);
        edit->setFont(bold);
        edit->setAlignment(Qt::AlignCenter);
        setHint(edit, hint);
        return edit;
    };
    m_x = makeField("Posizione_X", "Coordinate GPS|coordinata X in [metri]|2");
    m_y = makeField("Posizione_Y", "Coordinate GPS|coordinata Y in [metri]|2");
    m_xTxt = new QLineEdit(this);
    m_xTxt->setObjectName("X_TXT");
    m_xTxt->setVisible(false);
    m_yTxt = new QLineEdit(this);
    m_yTxt->setObjectName("Y_TXT");
    m_yTxt->setVisible(false);
    auto *annulla = new QPushButton("Annulla", this);
    annulla->setObjectName("Annulla");
    auto *conferma = new QPushButton("Conferma", this);
    conferma->setObjectName("Conferma");
    // No default button: Enter in Posizione_X must not confirm.
    annulla->setAutoDefault(false);
    conferma->setAutoDefault(false);
    connect(annulla, &QPushButton::clicked, this, &TPuntiGPS::AnnullaClick);
    connect(conferma, &QPushButton::clicked, this, &TPuntiGPS::ConfermaClick);
    connect(m_y, &QLineEdit::returnPressed, this, &TPuntiGPS::ConfermaClick);

    auto *layout = new QGridLayout(this);
    layout->addWidget(label1, 0, 0);
    layout->addWidget(m_x, 0, 1);
    layout->addWidget(label2, 1, 0);
    layout->addWidget(m_y, 1, 1);
    layout->addWidget(annulla, 2, 0);
    layout->addWidget(conferma, 2, 1);
}

void TPuntiGPS::prepare()
{
    m_xTxt->setText(QString::fromStdString(m_stato.PuntiGPS.X_TXT));
    m_yTxt->setText(QString::fromStdString(m_stato.PuntiGPS.Y_TXT));
    m_x->clear();
    m_y->clear();
    m_x->setFocus();
}

void TPuntiGPS::ConfermaClick()
{
    runHandler(this, [this] {
        m_stato.PuntiGPS.X_TXT = m_xTxt->text().toStdString();
        m_stato.PuntiGPS.Y_TXT = m_yTxt->text().toStdString();
        const Drawing marker = confirmGpsPoint(m_stato, m_x->text().toStdString(), m_y->text().toStdString());
        emit puntoRegistrato(marker);
        accept();
    });
}

void TPuntiGPS::AnnullaClick()
{
    reject();
}

} // namespace kalvor::gui
