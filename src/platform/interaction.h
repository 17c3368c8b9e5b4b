#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

class QDialog;
class QWidget;

namespace corvane {

// Everything that waits for the user: message boxes and modal dialogs.
class Interaction {
public:
    virtual ~Interaction() = default;
    // A message box with the title "Corvane" and only an OK button; returns once confirmed.
    virtual void message(QWidget* owner, const QString& text) = 0;
    // Shows the dialog modally; returns when it has been closed.
    virtual void showModal(QDialog& dialog) = 0;
    // Asks where to save a new file, starting at `suggestedPath`; empty when cancelled.
    virtual QString chooseSaveFile(QWidget* owner, const QString& caption, const QString& suggestedPath) = 0;
};

class QtInteraction final : public Interaction {
public:
    void message(QWidget* owner, const QString& text) override;
    void showModal(QDialog& dialog) override;
    QString chooseSaveFile(QWidget* owner, const QString& caption, const QString& suggestedPath) override;
};

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
