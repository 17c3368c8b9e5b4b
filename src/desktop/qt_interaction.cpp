#include "desktop/qt_interaction.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace corvane {

void QtInteraction::message(QWidget* owner, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Corvane"), text, QMessageBox::Ok, owner);
    box.exec();
}

void QtInteraction::showModal(QDialog& dialog)
{
    dialog.exec();
}

QString QtInteraction::chooseSaveFile(QWidget* owner, const QString& caption, const QString& suggestedPath)
{
    return QFileDialog::getSaveFileName(owner, caption, suggestedPath, QStringLiteral("CSV files (*.csv)"));
}

}  // namespace corvane
