#pragma once

#include <QListWidget>
#include <QString>

namespace corvane {

// A folder browser: ".." and the subfolders of the shown folder; activating one shows
// it. Setting a different path reports changed().
class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);

    const QString& path() const { return m_path; }
    void setPath(const QString& path);

signals:
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refill();

    QString m_path;
};

// The files of one folder whose names match a pattern, sorted by name.
class FileList : public QListWidget {
    Q_OBJECT
public:
    FileList(const QString& pattern, QWidget* parent = nullptr);

    const QString& path() const { return m_path; }
    void setPath(const QString& path);
    // The chosen file's name without its folder; empty when none is chosen.
    QString fileName() const;

protected:
    // Enter chooses the highlighted file as a click does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_pattern;
    QString m_path;
};

}  // namespace corvane
