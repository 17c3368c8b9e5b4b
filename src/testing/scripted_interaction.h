#pragma once

#include "platform/interaction.h"

#include <QStringList>
#include <deque>
#include <functional>

namespace corvane {

// For tests: records what the user was shown and plays the user's part in each modal
// dialog from a script, one step per opening, in order.
class ScriptedInteraction final : public Interaction {
public:
    using DialogStep = std::function<void(QDialog&)>;

    void message(QWidget* owner, const QString& text) override;
    void showModal(QDialog& dialog) override;
    QString chooseSaveFile(QWidget* owner, const QString& caption, const QString& suggestedPath) override;

    QStringList messages;
    // "message: <text>", "dialog: <objectName>" and "save file: <suggested path>" in the
    // order they happened.
    QStringList events;
    std::deque<DialogStep> dialogSteps;
    // The user's answers to the file choices, in order; none left means cancelled.
    std::deque<QString> fileChoices;
    // Runs for a message after it is recorded (e.g. to check the state at that moment).
    std::function<void(const QString&)> onMessage;
};

}  // namespace corvane
