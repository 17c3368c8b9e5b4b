#include "graph_fixture.h"

#include "ui/plot_widget.h"
#include "viewer/day_file_text.h"

namespace corvane::test {
namespace {

// 100 records from 10:00, one a minute: record n at 10:00 + n - 1 minutes, volts 10 + n.
class GraphZoom : public GraphTest {
protected:
    void SetUp() override
    {
        writeDay(minuteRecords(600, 100));
        open();
        choose();
        ASSERT_EQ(graph->records.recordCount, 100);
    }

    void drag(float from, float to)
    {
        graph->Plot_MouseMove(from);
        graph->Plot_MouseDown(from);
        graph->Plot_MouseMove(to);
        graph->Plot_MouseUp(to);
    }

    QStringList readout() const
    {
        return {graph->vt->text(), graph->vv->text(), graph->av->text(), graph->wv->text(), graph->rv->text(),
                graph->sv->text()};
    }

    qsizetype dayFileSize() const { return readLogs().size(); }
};

TEST_F(GraphZoom, ReadsTheRecordUnderThePointer)
{
    struct Case {
        float x;
        QStringList expected;
    };
    const Case cases[] = {
        {0.3f, {"10:00", "11 V", "1 A", "10 W", "0 RPM", "4.3 km/h"}},
        {98.9f, {"11:38", "109 V", "99 A", "990 W", "0 RPM", "4.3 km/h"}},
        {99.0f, {"11:39", "110 V", "100 A", "1000 W", "0 RPM", "4.3 km/h"}},
    };
    for (const Case& c : cases) {
        graph->Plot_MouseMove(c.x);
        EXPECT_EQ(readout(), c.expected) << c.x;
    }
    // Outside the records the labels keep what they showed.
    graph->Plot_MouseMove(-3);
    graph->Plot_MouseMove(250);
    EXPECT_EQ(readout(), cases[2].expected);
}

TEST_F(GraphZoom, ADragReloadsTheRecordsStrictlyBetweenThoseUnderPressAndRelease)
{
    const qsizetype sizeBefore = dayFileSize();
    drag(20.2f, 60.3f);
    // Bounds: the times of old records 20 (10:19) and 60 (10:59).
    EXPECT_EQ(graph->records.recordCount, 39);
    EXPECT_EQ(graph->records.recTime[1], (10 * 60 + 20) * 60);
    EXPECT_EQ(graph->windowStart, 1);
    EXPECT_EQ(graph->windowEnd, 39);
    EXPECT_EQ(timeBoxes(), u"10:20-10:58");
    EXPECT_EQ(graph->stime->text(), u"10:20");
    EXPECT_EQ(graph->ftime->text(), u"10:58");
    EXPECT_DOUBLE_EQ(graph->Plot->scaleWidth(), 38);
    EXPECT_FALSE(graph->zoomPending);
    EXPECT_FALSE(graph->buttonDown);
    EXPECT_EQ(dayFileSize(), sizeBefore + 2) << "the reload appends its empty line";
    EXPECT_TRUE(folder.user.messages.isEmpty());

    // The readout now follows the new window.
    graph->Plot_MouseMove(0.5f);
    EXPECT_EQ(graph->vt->text(), u"10:20");
    EXPECT_EQ(graph->vv->text(), u"31 V");
}

TEST_F(GraphZoom, ReleaseAtThePressPointOnlyMovesTheWindowStart)
{
    const qsizetype sizeBefore = dayFileSize();
    drag(40.2f, 40.2f);
    EXPECT_EQ(graph->records.recordCount, 100);
    EXPECT_FLOAT_EQ(graph->windowStart, 40.2f);
    EXPECT_EQ(graph->windowEnd, 100);
    EXPECT_EQ(timeBoxes(), u"10:40-11:39") << "the press copied the cursor time";
    EXPECT_EQ(dayFileSize(), sizeBefore);

    // The readout still counts from the drawn window.
    graph->Plot_MouseMove(10.1f);
    EXPECT_EQ(graph->vt->text(), u"10:10");

    // The next draw runs from the press position.
    graph->Check5->setChecked(true);
    EXPECT_EQ(graph->stime->text(), u"10:39");
    EXPECT_NEAR(graph->Plot->scaleWidth(), 59.8, 1e-5);
}

TEST_F(GraphZoom, ADragFromRightToLeftDoesNotZoom)
{
    const qsizetype sizeBefore = dayFileSize();
    drag(60, 30);
    EXPECT_EQ(graph->records.recordCount, 100);
    EXPECT_EQ(graph->windowStart, 60);
    EXPECT_EQ(graph->windowEnd, 100);
    EXPECT_EQ(dayFileSize(), sizeBefore);
    EXPECT_FALSE(graph->buttonDown);
}

TEST_F(GraphZoom, ADragWhileFewerThanTwoRecordsAreLoadedDoesNothing)
{
    writeDay(minuteRecords(600, 1), QStringLiteral("P_2010_03_08.txt"));
    choose(QStringLiteral("P_2010_03_08.txt"));
    const QString vt = graph->vt->text();
    graph->Plot_MouseDown(10);
    EXPECT_TRUE(graph->buttonDown);
    graph->Plot_MouseMove(30);
    graph->Plot_MouseUp(30);
    EXPECT_FALSE(graph->buttonDown);
    EXPECT_EQ(graph->windowStart, 1);
    EXPECT_EQ(graph->records.recordCount, 1);
    EXPECT_EQ(graph->vt->text(), vt);
}

TEST_F(GraphZoom, AZoomThatFindsNoRecordKeepsItsPictureAndIdlesTheMouse)
{
    drag(10.2f, 11.3f);
    EXPECT_EQ(folder.user.messages, QStringList{QStringLiteral("No data for that date")});
    EXPECT_EQ(graph->records.recordCount, 0);
    EXPECT_EQ(timeBoxes(), u"10:09-10:10");
    EXPECT_TRUE(graph->Plot->picture().drawn);
    EXPECT_NEAR(graph->Plot->picture().width, 1.1, 1e-5);
    EXPECT_FALSE(graph->zoomPending);

    const QString vt = graph->vt->text();
    graph->Plot_MouseMove(0.5f);
    graph->Check1->setChecked(false);
    EXPECT_EQ(graph->vt->text(), vt);
    EXPECT_NEAR(graph->Plot->picture().width, 1.1, 1e-5);
}

TEST_F(GraphZoom, AReleaseBeyondThePlotZoomsOnlyToItsRightEdge)
{
    // A longer day loaded first leaves later records in slots 101 to 200.
    writeDay(minuteRecords(600, 200), QStringLiteral("P_2010_03_08.txt"));
    choose(QStringLiteral("P_2010_03_08.txt"));
    choose();
    ASSERT_EQ(graph->records.recordCount, 100);
    ASSERT_EQ(graph->records.recTime[150], (10 * 60 + 149) * 60);

    graph->Plot_MouseMove(90);
    graph->Plot_MouseDown(90);
    graph->Plot_MouseMove(150);
    graph->Plot_MouseUp(150);
    // Bounds: old records 90 (11:29) and 99, the plot's right edge (11:38).
    EXPECT_EQ(timeBoxes(), u"11:30-11:37");
    EXPECT_EQ(graph->records.recordCount, 8);
}

TEST_F(GraphZoom, TheDragLineRunsFromThePressToThePointerUntilTheNextDraw)
{
    graph->Check1->setChecked(false);  // no red volts line to mistake for it
    graph->Plot_MouseMove(20);
    graph->Plot_MouseDown(20);
    graph->Plot_MouseMove(30);
    graph->Plot_MouseMove(25);
    QImage image = graph->Plot->grab().toImage();
    const QRgb red = qRgb(255, 0, 0);
    const auto pixelAt = [&](double x) { return image.pixel(qRound(graph->Plot->pixelX(x, image.width())), 0); };
    EXPECT_EQ(pixelAt(22), red);
    EXPECT_EQ(pixelAt(29), red);
    EXPECT_NE(pixelAt(35), red);
    EXPECT_NE(pixelAt(15), red);

    graph->Plot_MouseUp(20);  // no zoom: the line stays
    image = graph->Plot->grab().toImage();
    EXPECT_EQ(pixelAt(22), red);

    graph->Check5->setChecked(true);  // a draw clears it
    image = graph->Plot->grab().toImage();
    for (int x = 0; x < image.width(); ++x)
        ASSERT_NE(image.pixel(x, 0), red) << x;
}

}  // namespace
}  // namespace corvane::test
