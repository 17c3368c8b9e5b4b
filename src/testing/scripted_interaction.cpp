#include "testing/scripted_interaction.h"

#include <QDialog>

namespace corvane {

void ScriptedInteraction::message(QWidget*, const QString& text)
{
    messages << text;
    events << QStringLiteral("message: ") + text;
    if (onMessage)
        onMessage(text);
}

void ScriptedInteraction::showModal(QDialog& dialog)
{
    events << QStringLiteral("dialog: ") + dialog.objectName();
    if (dialogSteps.empty())
        return;  // the user closes the dialog without doing anything
    DialogStep step = std::move(dialogSteps.front());
    dialogSteps.pop_front();
    step(dialog);
}

QString ScriptedInteraction::chooseSaveFile(QWidget*, const QString&, const QString& suggestedPath)
{
    events << QStringLiteral("save file: ") + suggestedPath;
    if (fileChoices.empty())
        return QString();
    QString choice = std::move(fileChoices.front());
    fileChoices.pop_front();
    return choice;
}

}  // namespace corvane
