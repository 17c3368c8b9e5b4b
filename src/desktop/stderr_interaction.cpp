#include "desktop/stderr_interaction.h"

#include "platform/clock.h"

#include <QDialog>
#include <QRegularExpression>

namespace corvane {

QString stderrLine(const QDateTime& when, const QString& text)
{
    static const QRegularExpression lineBreaks(QStringLiteral("\\s*[\\r\\n]+\\s*"));
    QString oneLine = text.trimmed();
    oneLine.replace(lineBreaks, QStringLiteral(" / "));
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral(" corvane: ") + oneLine + u'\n';
}

void StderrInteraction::message(QWidget*, const QString& text) { report(text); }

void StderrInteraction::showModal(QDialog& dialog)
{
    report(QStringLiteral("\"%1\" needs a screen; closed unanswered").arg(dialog.windowTitle()));
    dialog.reject();
}

QString StderrInteraction::chooseSaveFile(QWidget*, const QString& caption, const QString&)
{
    report(QStringLiteral("\"%1\" needs a screen; cancelled").arg(caption));
    return QString();
}

void StderrInteraction::report(const QString& text)
{
    // One write per line: lines from other threads or processes never interleave.
    const QByteArray bytes = stderrLine(m_clock.now(), text).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), m_stream);
    std::fflush(m_stream);
}

}  // namespace corvane
