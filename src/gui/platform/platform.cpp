// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/platform.hpp"

#include <QFileInfo>

namespace kalvor::gui {

QString chooseFolder(Platform &platform, QWidget *parent, const FileDialogOptions &options)
{
    const QString file = platform.saveFileName(parent, options);
    if (file.isEmpty())
        return {};
    QString folder = QFileInfo(file).absolutePath();
    if (!folder.endsWith('/'))
        folder += '/';
    return folder;
}

} // namespace kalvor::gui
