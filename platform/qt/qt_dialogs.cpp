// qt_dialogs.cpp: the open and save file dialogs on Qt. Qt's own dialog, not the
// desktop's, so that it looks and answers the same on every desktop and under Xvfb.
#include <QDir>
#include <QFileDialog>
#include <QStringList>

#include <cstring>

#include "platform/platform.h"
#include "platform/qt/qt_hooks.h"

static int run_file_dialog(QFileDialog::AcceptMode mode, const char* folder, const char* name,
                           const char* ext, char* path, int size)
{
    QString filter = QStringLiteral("*") + QString::fromUtf8(ext);
    QFileDialog dialog(qt_main_window(), QString(), QString::fromUtf8(folder), filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    // a name that does not exist yet is accepted by both; no default suffix, since the
    // program decides about the extension; the save dialog asks before it returns the
    // name of an existing file (Qt's default)
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(QString::fromUtf8(name));
    int accepted = dialog.exec() == QDialog::Accepted;
    QStringList files = dialog.selectedFiles();
    qt_view_resume();
    if (!accepted || files.isEmpty())
        return 0;
    QByteArray chosen = QDir::toNativeSeparators(files.first()).toUtf8();
    if (size <= 0)
        return DIALOG_PATH_TOO_LONG;
    if (chosen.size() >= size) {
        path[0] = '\0';
        return DIALOG_PATH_TOO_LONG;
    }
    memcpy(path, chosen.constData(), (size_t)chosen.size() + 1);
    return 1;
}

int platform_open_file_dialog(const char* folder, const char* name, const char* ext, char* path,
                              int size)
{
    return run_file_dialog(QFileDialog::AcceptOpen, folder, name, ext, path, size);
}

int platform_save_file_dialog(const char* folder, const char* name, const char* ext, char* path,
                              int size)
{
    return run_file_dialog(QFileDialog::AcceptSave, folder, name, ext, path, size);
}
