// The viewer says which line is which, and its value labels show whole texts.
#include "graph_fixture.h"

#include "ui/series_swatch.h"
#include "ui/single_line_label.h"
#include "viewer/day_file_text.h"

#include <QCoreApplication>
#include <QImage>

namespace corvane::test {
namespace {

using GraphLegend = GraphTest;

TEST_F(GraphLegend, EachCheckBoxHasASwatchOfItsSeriesColour)
{
    open();
    graph->show();
    QCoreApplication::processEvents();
    const QList<SeriesSwatch*> swatches = graph->findChildren<SeriesSwatch*>();
    ASSERT_EQ(swatches.size(), kSeriesCount);
    QCheckBox* const boxes[] = {graph->Check1, graph->Check2, graph->Check3, graph->Check4, graph->Check5};
    for (int s = 0; s < kSeriesCount; ++s) {
        SCOPED_TRACE(s);
        SeriesSwatch* swatch = swatches[s];
        EXPECT_EQ(swatch->series(), kAllSeries[s]);
        const QImage image = swatch->grab().toImage();
        const Rgb line = kSeriesStyles[s].colour;
        EXPECT_EQ(image.pixelColor(image.rect().center()), QColor(line.red, line.green, line.blue));
        EXPECT_EQ(image.pixelColor(0, 0), QColor(kBackgroundColour.red, kBackgroundColour.green, kBackgroundColour.blue));

        // Just left of its own box, on the same line.
        const QRect swatchPlace(swatch->mapTo(graph.get(), QPoint(0, 0)), swatch->size());
        const QRect boxPlace(boxes[s]->mapTo(graph.get(), QPoint(0, 0)), boxes[s]->size());
        EXPECT_LT(swatchPlace.right(), boxPlace.left());
        EXPECT_LE(boxPlace.left() - swatchPlace.right(), 10);
        EXPECT_NEAR(swatchPlace.center().y(), boxPlace.center().y(), 2);
    }
}

TEST_F(GraphLegend, ValueLabelsCutLongTextsWithTheWholeTextInTheTooltip)
{
    prog.WSUnits = QStringLiteral("nautical miles per hour");
    writeDay(recordLine(QStringLiteral("12:00")) + recordLine(QStringLiteral("12:05")));
    open();
    graph->show();
    choose();
    QCoreApplication::processEvents();
    ASSERT_EQ(graph->records.recordCount, 2);
    ASSERT_EQ(graph->SMax1->text(), u"100 nautical miles per hour");

    bool someCut = false;
    for (QLabel* shown : {graph->SMax1, graph->SMin1, graph->sv, graph->text1, graph->watts, graph->VMax1}) {
        SCOPED_TRACE(shown->text().toStdString());
        const auto* label = qobject_cast<SingleLineLabel*>(shown);
        ASSERT_NE(label, nullptr);
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->shownText()), label->contentsRect().width());
        if (label->shownText() == label->text()) {
            EXPECT_TRUE(label->tooltipText().isEmpty());
        } else {
            someCut = true;
            EXPECT_TRUE(label->shownText().endsWith(QChar(0x2026)));
            EXPECT_EQ(label->tooltipText(), label->text());
        }
    }
    EXPECT_TRUE(someCut) << "the long unit must have been cut somewhere";
}

}  // namespace
}  // namespace corvane::test
