#include "capturing_interaction.h"

#include <QDialog>
#include <QEventLoop>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace corvane::screenshots {

void runFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool savePicture(QWidget& widget, const QString& path)
{
    return widget.grab().save(path, "PNG");
}

void CapturingInteraction::message(QWidget*, const QString& text)
{
    messages << text;
}

void CapturingInteraction::showModal(QDialog& dialog)
{
    if (m_scenes.empty()) {
        failures << QStringLiteral("unexpected dialog ") + dialog.objectName();
        return;
    }
    const Scene scene = std::move(m_scenes.front());
    m_scenes.pop_front();
    dialog.show();
    runFor(300);
    if (scene.prepare)
        scene.prepare(dialog);
    runFor(scene.settleMilliseconds);
    if (!savePicture(dialog, scene.path))
        failures << QStringLiteral("cannot write ") + scene.path;
    dialog.reject();
}

}  // namespace corvane::screenshots
