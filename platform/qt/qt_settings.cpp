// qt_settings.cpp: the settings store of platform.h on QSettings, and the screens.
//
// The file is QSettings' native one for the organisation and application "zavroview":
// $XDG_CONFIG_HOME/zavroview/zavroview.conf, by default ~/.config/zavroview/zavroview.conf.
// It is read once; a save writes every value into a new file beside it and renames that
// over the old one, so a failed write leaves the old file whole. (QSettings' own sync keeps
// reporting a format error it met while reading, and could not say whether it wrote.)
#include <cstdio>
#include <cstring>
#include <string>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <QSettings>

#include "platform/platform.h"
#include "platform/qt/qt_hooks.h"

namespace {

constexpr const char* SETTINGS_ORGANISATION = "zavroview";
constexpr const char* SETTINGS_APPLICATION = "zavroview";

QSettings* stored = nullptr;       // the file as it was at the start
QHash<QString, QString> changes;   // since then; a null string: the key removed
std::string file_name;

QSettings* store()
{
    if (!stored)
        stored = new QSettings(QSettings::NativeFormat, QSettings::UserScope, SETTINGS_ORGANISATION,
                               SETTINGS_APPLICATION);
    return stored;
}

}  // namespace

void qt_settings_close()
{
    delete stored;
    stored = nullptr;
    changes.clear();
}

int platform_settings_readable()
{
    return store()->status() == QSettings::NoError;
}

int platform_setting_get(const char* key, char* value, int size)
{
    const QString name = QString::fromUtf8(key);
    QVariant stored_value = changes.contains(name) ? QVariant(changes.value(name)) : store()->value(name);
    // a value the program did not write, a list for one (an unquoted comma), is no value
    if (!stored_value.isValid() || stored_value.metaType().id() != QMetaType::QString ||
        stored_value.toString().isNull())
        return 0;
    const QByteArray bytes = stored_value.toString().toUtf8();
    if (bytes.size() >= size)
        return 0;
    memcpy(value, bytes.constData(), (size_t)bytes.size() + 1);
    return 1;
}

void platform_setting_set(const char* key, const char* value)
{
    changes.insert(QString::fromUtf8(key), value ? QString::fromUtf8(value) : QString());
}

int platform_settings_save()
{
    const QString path = store()->fileName();
    // of this process: two programs ending together each write their own
    const QString temporary = path + QStringLiteral(".%1.new").arg(QCoreApplication::applicationPid());
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return 0;
    QFile::remove(temporary);  // left by a run of the same number that ended while saving
    int written;
    {
        QSettings out(temporary, QSettings::NativeFormat);
        if (platform_settings_readable())
            for (const QString& key : store()->allKeys())
                out.setValue(key, store()->value(key));
        for (auto change = changes.cbegin(); change != changes.cend(); ++change)
            change.value().isNull() ? out.remove(change.key()) : out.setValue(change.key(), change.value());
        out.sync();
        written = out.status() == QSettings::NoError && QFileInfo::exists(temporary);
    }
    if (written && rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) == 0)
        return 1;
    QFile::remove(temporary);
    return 0;
}

const char* platform_settings_file()
{
    file_name = store()->fileName().toUtf8().toStdString();
    return file_name.c_str();
}

int platform_screen_areas(ScreenArea* areas, int max_count)
{
    int count = 0;
    for (QScreen* screen : QGuiApplication::screens()) {
        if (count >= max_count)
            break;
        const QRect area = screen->availableGeometry();
        areas[count++] = {area.x(), area.y(), area.width(), area.height()};
    }
    return count;
}
