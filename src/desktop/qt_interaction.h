#pragma once

#include "platform/interaction.h"

namespace corvane {

// The real user: message boxes, modal dialogs and the file choice on the screen.
class QtInteraction final : public Interaction {
public:
    void message(QWidget* owner, const QString& text) override;
    void showModal(QDialog& dialog) override;
    QString chooseSaveFile(QWidget* owner, const QString& caption, const QString& suggestedPath) override;
};

}  // namespace corvane
