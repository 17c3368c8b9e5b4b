#pragma once

#include <QString>

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

}  // namespace corvane
