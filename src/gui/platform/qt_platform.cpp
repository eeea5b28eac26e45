// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/qt_platform.hpp"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QSoundEffect>
#include <QUrl>

namespace kalvor::gui {

namespace {

QString withDefaultExtension(QString file, const QString &extension)
{
    if (file.isEmpty() || extension.isEmpty())
        return file;
    if (QFileInfo(file).suffix().isEmpty())
        file += '.' + extension;
    return file;
}

void configure(QFileDialog &dialog, const FileDialogOptions &options)
{
    dialog.setWindowTitle(options.title);
    dialog.setNameFilter(options.filter);
    dialog.setDefaultSuffix(options.defaultExtension);
    if (!options.initialPath.isEmpty()) {
        QFileInfo info(options.initialPath);
        if (info.isDir())
            dialog.setDirectory(options.initialPath);
        else
            dialog.selectFile(options.initialPath);
    }
}

} // namespace

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

QString QtPlatform::openFileName(QWidget *parent, const FileDialogOptions &options)
{
    QFileDialog dialog(parent);
    configure(dialog, options);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

QString QtPlatform::saveFileName(QWidget *parent, const FileDialogOptions &options)
{
    QFileDialog dialog(parent);
    configure(dialog, options);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return withDefaultExtension(dialog.selectedFiles().front(), options.defaultExtension);
}

void QtPlatform::information(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::information(parent, title, text);
}

void QtPlatform::error(QWidget *parent, const QString &text)
{
    QMessageBox::critical(parent, QStringLiteral("Kalvor"), text);
}

bool QtPlatform::question(QWidget *parent, const QString &title, const QString &text)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtPlatform::openUrl(const QString &url)
{
    QDesktopServices::openUrl(QUrl(url));
}

void QtPlatform::playSound(const QString &wavPath)
{
    if (!QFileInfo::exists(wavPath))
        return;
    m_sound = std::make_unique<QSoundEffect>();
    m_sound->setSource(QUrl::fromLocalFile(wavPath));
    m_sound->play();
}

QDate QtPlatform::today()
{
    return QDate::currentDate();
}

QTime QtPlatform::timeOfDay()
{
    return QTime::currentTime();
}

QString QtPlatform::todayText()
{
    return QLocale::system().toString(today(), QLocale::ShortFormat);
}

QString QtPlatform::timeOfDayText()
{
    return QLocale::system().toString(timeOfDay(), QLocale::LongFormat);
}

} // namespace kalvor::gui
