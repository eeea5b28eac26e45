// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/text_list.hpp"
#include "gui/platform/platform.hpp"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

class Applicazione;

// The assembly of the project files of consecutive intervals into one: the
// first file's settings and every file's "Veicoli Totali" records. A file is
// written only when every chosen file was read and a name to save under was
// given.
class TAssemblazione : public QDialog
{
    Q_OBJECT
public:
    TAssemblazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    // The caption NomeFileApertoTXT, set by the main screen each time it opens this screen.
    void setNomeFileAperto(const QString &text);
    void refreshFromState();

    void AssemblaggioClick();

    // DialogoApri (its title is set before each use) and dialogoSalva.
    static FileDialogOptions DialogoApri(int fileNumber);
    static FileDialogOptions dialogoSalva();

    // The file being read and the file being built.
    TextList FileAperto;
    TextList FileAssemblato;

private:
    Platform &m_platform;
    QLineEdit *m_intervalliTXT = nullptr;
    QLabel *m_nomeFileApertoTXT = nullptr;
};

} // namespace kalvor::gui
