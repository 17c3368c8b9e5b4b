#include "ui/graph_lists.h"

#include <QDir>
#include <QKeyEvent>

namespace corvane {
namespace {
const QString kParentFolder = QStringLiteral("..");

// Enter belongs to the list, not to the dialog's default button.
bool isEnter(const QKeyEvent* event) { return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter; }
}  // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        setPath(QDir::cleanPath(m_path + u'/' + item->text()));
    });
}

void FolderList::keyPressEvent(QKeyEvent* event)
{
    if (isEnter(event) && currentItem()) {
        emit itemActivated(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FolderList::setPath(const QString& path)
{
    const QString cleanPath = QDir::cleanPath(path);
    if (cleanPath == m_path)
        return;
    m_path = cleanPath;
    refill();
    emit changed();
}

void FolderList::refill()
{
    clear();
    setToolTip(QDir::toNativeSeparators(m_path));
    const QDir folder(m_path);
    if (!folder.isRoot())
        addItem(kParentFolder);
    addItems(folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
}

FileList::FileList(const QString& pattern, QWidget* parent) : QListWidget(parent), m_pattern(pattern) {}

void FileList::setPath(const QString& path)
{
    m_path = path;
    clear();
    addItems(QDir(m_path).entryList({m_pattern}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void FileList::keyPressEvent(QKeyEvent* event)
{
    if (isEnter(event) && currentItem()) {
        emit itemClicked(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}

QString FileList::fileName() const
{
    const QListWidgetItem* item = currentItem();
    return item ? item->text() : QString();
}

}  // namespace corvane
