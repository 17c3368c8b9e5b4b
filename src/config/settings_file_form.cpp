#include "config/settings_file_form.h"

#include "config/config_writer.h"
#include "config/key_policies.h"
#include "text/failure.h"

#include <QFile>
#include <QSaveFile>

namespace corvane {

QString settingsFileText(const QString& title, std::initializer_list<SettingsLine> lines)
{
    QString text = title + QStringLiteral("\r\n\r\n");
    for (const SettingsLine& line : lines)
        text += tagLine(line.key, line.value);
    return text;
}

QString settingsFlag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString settingOr(const QString& fileText, const QString& key, const QString& fallback)
{
    return presentTagValue(fileText, key).value_or(fallback);
}

bool settingFlagOr(const QString& fileText, const QString& key, bool fallback)
{
    const std::optional<QString> value = presentTagValue(fileText, key);
    return value ? value->trimmed() == QStringLiteral("1") : fallback;
}

void replaceOwnerOnlyFile(const QString& path, const QString& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw Failure(file.errorString() + QStringLiteral(": ") + path);
    const QByteArray bytes = text.toLatin1();
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw Failure(file.errorString() + QStringLiteral(": ") + path);
}

std::optional<ExposedPassword> exposedPassword(const QString& fileName, const QString& path, bool holdsPassword)
{
    if (!holdsPassword || !(QFile::permissions(path) & (QFileDevice::ReadGroup | QFileDevice::ReadOther)))
        return std::nullopt;
    return ExposedPassword{fileName + QStringLiteral(" holds a password and other users can read it"),
                           QStringLiteral("chmod 600 ") + path};
}

}  // namespace corvane
