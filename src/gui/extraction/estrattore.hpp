// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;
struct Platform;

// The frame extractor: loads a video and grabs frames at a fixed interval.
class TEstrattore : public QDialog
{
    Q_OBJECT
public:
    TEstrattore(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void ConfermaClick();
    void refreshFromState();

protected:
    void showEvent(QShowEvent *event) override;

private:
    Applicazione &m_app;
    StatoLavoro &m_stato;
    Platform &m_platform;
    QLineEdit *m_step = nullptr;
};

} // namespace kalvor::gui
