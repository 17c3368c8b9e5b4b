#pragma once

#include "platform/interaction.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

class QWidget;

namespace corvane::screenshots {

// Lets the event loop run for `milliseconds`, so windows draw and the port delivers.
void runFor(int milliseconds);

// Saves what `widget` shows as a PNG; false when it could not be written.
bool savePicture(QWidget& widget, const QString& path);

// Plays the user in front of the modal dialogs: each one is shown without blocking, set
// up, given time to draw, saved as a picture and closed without saving anything.
class CapturingInteraction final : public Interaction {
public:
    struct Scene {
        QString path;                              // where the picture goes
        std::function<void(QDialog&)> prepare;     // what the user does before the picture
        int settleMilliseconds = 1000;
    };

    // The next dialog to open is pictured as `scene` says.
    void expect(Scene scene) { m_scenes.push_back(std::move(scene)); }

    void message(QWidget* owner, const QString& text) override;
    void showModal(QDialog& dialog) override;
    // The pictures need no files saved.
    QString chooseSaveFile(QWidget*, const QString&, const QString&) override { return QString(); }

    QStringList messages;
    QStringList failures;

private:
    std::deque<Scene> m_scenes;
};

}  // namespace corvane::screenshots
