#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace corvane {

// The dialogs' policy: every key is read on its own; one that cannot be read keeps its
// default and is noted, in words a user can act on, so the dialog opens with the rest.
class ConfigReader {
public:
    // `text` is the whole file, or nothing when the file could not be read (the caller
    // reports that once; its keys are then simply absent).
    ConfigReader(QString fileName, std::optional<QString> text);

    // The key's value by the shared reading rule; nothing, noted, when it cannot be read.
    std::optional<QString> value(const QString& key);
    // Puts the key's value in `target`; a key that cannot be read leaves it as it was.
    void readText(const QString& key, QString& target);
    // Notes that `key` holds `found`, which the dialog cannot use; `outcome` says what the
    // dialog did instead, e.g. "24 is kept".
    void noteUnusable(const QString& key, const QString& found, const QString& expected,
                      const QString& outcome);

    const QString& fileName() const { return m_fileName; }
    const QStringList& problems() const { return m_problems; }

private:
    QString m_fileName;
    std::optional<QString> m_text;
    QStringList m_problems;
};

// The sentence for a configuration file that could not be read at all.
QString unreadableFileProblem(const QString& fileName, const QString& reason);

}  // namespace corvane
