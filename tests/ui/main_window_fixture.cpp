#include "main_window_fixture.h"

namespace corvane::test {

void MainWindowTest::writeConfiguration()
{
    folder.write(QStringLiteral("prog.cfg"), prog.text());
    folder.write(QStringLiteral("settings.cfg"), calibration.text());
}

void MainWindowTest::create()
{
    window = std::make_unique<CorvaneMain>(folder.platform());
}

void MainWindowTest::start()
{
    writeConfiguration();
    create();
    window->Form_Load();
}

QStringList MainWindowTest::liveRows() const
{
    QStringList rows;
    for (int i = 0; i < window->ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = window->ListView1->topLevelItem(i);
        rows << row->text(1) + u'|' + row->text(2);
    }
    return rows;
}

}  // namespace corvane::test
