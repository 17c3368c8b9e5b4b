#pragma once

#include "platform/interaction.h"

#include <QDateTime>
#include <cstdio>

namespace corvane {

class Clock;

// The user of a program without a screen: each message is one line on standard error,
// led by the date and time, so that the system journal keeps it whole. Nobody can answer
// a dialog, so a dialog is reported the same way and closed unanswered.
class StderrInteraction final : public Interaction {
public:
    explicit StderrInteraction(const Clock& clock, std::FILE* stream = stderr) : m_clock(clock), m_stream(stream) {}

    void message(QWidget* owner, const QString& text) override;
    void showModal(QDialog& dialog) override;
    // Nobody can choose a file: reported like a dialog and answered as cancelled.
    QString chooseSaveFile(QWidget* owner, const QString& caption, const QString& suggestedPath) override;
    // One line, as message() prints it.
    void report(const QString& text);

private:
    const Clock& m_clock;
    std::FILE* m_stream;
};

// "2026-12-07 16:05:09 corvane: <text>" with the text's line breaks as " / ".
QString stderrLine(const QDateTime& when, const QString& text);

}  // namespace corvane
