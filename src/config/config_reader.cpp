#include "config/config_reader.h"

#include "config/tag_value.h"
#include "text/failure.h"

namespace corvane {

ConfigReader::ConfigReader(QString fileName, std::optional<QString> text)
    : m_fileName(std::move(fileName)), m_text(std::move(text))
{
}

std::optional<QString> ConfigReader::value(const QString& key)
{
    if (!m_text)
        return std::nullopt;
    try {
        return TagValue(*m_text, key);
    } catch (const Failure&) {
        m_problems << key + QStringLiteral(" is missing or misplaced in ") + m_fileName;
        return std::nullopt;
    }
}

void ConfigReader::readText(const QString& key, QString& target)
{
    if (const std::optional<QString> value = this->value(key))
        target = *value;
}

void ConfigReader::noteUnusable(const QString& key, const QString& found, const QString& expected,
                                const QString& outcome)
{
    m_problems << key + QStringLiteral(" in ") + m_fileName + QStringLiteral(" is \"") + found
                      + QStringLiteral("\", not ") + expected + QStringLiteral(": ") + outcome;
}

QString unreadableFileProblem(const QString& fileName, const QString& reason)
{
    return fileName + QStringLiteral(" could not be read (") + reason + QStringLiteral(")");
}

}  // namespace corvane
