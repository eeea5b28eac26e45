// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/text_list.hpp"
#include "gui/platform/platform.hpp"

#include "gui/app/screen.hpp"

class QLabel;
class QLineEdit;

namespace kalvor::gui {

// The assembly of the project files of consecutive intervals into one: the
// first file's settings and every file's "Veicoli Totali" records. A file is
// written only when every chosen file was read and a name to save under was
// given.
class TAssemblazione : public Screen
{
    Q_OBJECT
public:
    TAssemblazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    // The caption NomeFileApertoTXT, set by the main screen each time it opens this screen.
    void setNomeFileAperto(const QString &text);

    void AssemblaggioClick();

    // DialogoApri (its title is set before each use) and dialogoSalva.
    static FileDialogOptions DialogoApri(int fileNumber);
    static FileDialogOptions dialogoSalva();

    // The file being read and the file being built.
    TextList FileAperto;
    TextList FileAssemblato;

private:
    QLineEdit *m_intervalliTXT = nullptr;
    QLabel *m_nomeFileApertoTXT = nullptr;
};

} // namespace kalvor::gui
