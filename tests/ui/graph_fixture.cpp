#include "graph_fixture.h"

#include "ui/graph_lists.h"

#include <QDir>

namespace corvane::test {

GraphTest::GraphTest() { QDir(folder.path()).mkdir(QStringLiteral("logs")); }

void GraphTest::open()
{
    folder.write(QStringLiteral("prog.cfg"), prog.text());
    graph = std::make_unique<Graph>(folder.platform(), nullptr);
    graph->Form_Load();
}

void GraphTest::writeDay(const QByteArray& content, const QString& name) const
{
    folder.write(QStringLiteral("logs/") + name, content);
}

QByteArray GraphTest::readLogs(const QString& name) const { return folder.read(QStringLiteral("logs/") + name); }

void GraphTest::choose(const QString& name)
{
    graph->File1->setPath(graph->File1->path());  // list files written since
    const QList<QListWidgetItem*> items = graph->File1->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << name.toStdString();
    graph->File1->setCurrentItem(items.front());
    graph->File1_Click();
}

QString GraphTest::timeBoxes() const
{
    return graph->Time1h->text() + u':' + graph->Time1m->text() + u'-' + graph->Time2h->text() + u':'
           + graph->Time2m->text();
}

}  // namespace corvane::test
