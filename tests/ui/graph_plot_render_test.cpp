#include "ui/plot_widget.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <gtest/gtest.h>

namespace corvane::test {
namespace {

const QRgb kBackground = qRgb(64, 64, 64);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kCyan = qRgb(0, 255, 255);

// Three records holding one value per series, all five shown, scaled with SV 24 and MA 20.
class PlotRendering : public ::testing::Test {
protected:
    PlotRendering()
    {
        request.shown = {true, true, true, true, true};
        request.voltsFullScale = 35;
        request.maxAmps = 20;
        request.logDelaySeconds = 60;
        request.windowStart = 1;
        request.windowEnd = 3;
        records.recordCount = 3;
    }

    void set(double volts, double amps, double watts, double rpm, double speed)
    {
        for (int slot = 1; slot <= 3; ++slot) {
            records.recVolts[slot] = volts;
            records.recAmps[slot] = amps;
            records.recWatts[slot] = watts;
            records.recRpm[slot] = rpm;
            records.recSpeed[slot] = speed;
        }
    }

    QImage render(const QSize& size)
    {
        plot.showPlot(plotGeometry(records, request));
        QImage image(size, QImage::Format_RGB32);
        QPainter painter(&image);
        plot.paintPicture(painter, size);
        return image;
    }

    // The rows of column x that hold the colour.
    static std::vector<int> rowsOf(const QImage& image, int x, QRgb colour)
    {
        std::vector<int> rows;
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) == colour)
                rows.push_back(y);
        return rows;
    }

    RecordArrays records;
    PlotRequest request;
    PlotWidget plot;
};

TEST_F(PlotRendering, PutsEachSeriesAtTheHeightItsOwnScaleGives)
{
    // With 101 pixel rows a series' plot height maps to rows 0 to 100; these values sit at
    // rows 50, 25, 75, 90 and 10 of their own scales (17.5 V of 36.75 units high, and so on).
    set(17.5, 15.25, 237.5, 32, 92);
    const QImage image = render(QSize(201, 101));
    const std::pair<QRgb, int> expected[] = {{kRed, 50}, {kGreen, 25}, {kBlue, 75}, {kYellow, 90}, {kWhite, 10}};
    for (int x : {1, 60, 100, 150, 199}) {
        for (const auto& [colour, row] : expected)
            EXPECT_EQ(rowsOf(image, x, colour), std::vector<int>{row}) << x << " " << std::hex << colour;
        EXPECT_EQ(image.pixel(x, 40), kBackground);
    }
}

TEST_F(PlotRendering, DrawsLaterSeriesOverEarlierOnesAndAZeroLineWhereAmpsCrossZero)
{
    // Unscaled, volts and RPM each keep one value: both run flat at mid-height, row 50,
    // and RPM is drawn after volts.
    set(17.5, -5, 0, 200, 0);
    records.recAmps[3] = 15;
    request.scaled = false;
    request.shown = {true, false, false, true, false};
    const QImage image = render(QSize(201, 101));
    EXPECT_EQ(image.pixel(50, 50), kYellow);
    EXPECT_TRUE(rowsOf(image, 50, kRed).empty());
    // Amps from -5 to 15: a 21-unit plot with the zero line at 15.5, row 15.5 * 100 / 21.
    const std::vector<int> cyanRows = rowsOf(image, 20, kCyan);
    ASSERT_EQ(cyanRows.size(), 1u);
    EXPECT_NEAR(cyanRows[0], 15.5 * 100 / 21, 1.0);
}

TEST_F(PlotRendering, RedrawsTheSamePictureAtAnySizeAndNothingAfterAClearing)
{
    set(17.5, 0, 0, 0, 0);
    request.shown = {true, false, false, false, false};
    plot.showPlot(plotGeometry(records, request));
    plot.addDragLine(0.5, 1.5);
    for (const QSize size : {QSize(201, 101), QSize(401, 201)}) {
        plot.resize(size);
        const QImage image = plot.grab().toImage();
        ASSERT_EQ(image.size(), size);
        EXPECT_EQ(rowsOf(image, size.width() / 3, kRed), (std::vector<int>{0, size.height() / 2}));
        EXPECT_EQ(image.pixel(size.width() - 2, 0), kBackground) << "the drag line ends at 1.5";
    }
    plot.clear();
    const QImage cleared = plot.grab().toImage();
    EXPECT_TRUE(rowsOf(cleared, 100, kRed).empty());
    EXPECT_EQ(cleared.pixel(100, 50), kBackground);
    EXPECT_DOUBLE_EQ(plot.scaleWidth(), 2) << "a clearing keeps the units of the last draw";
}

TEST_F(PlotRendering, ClipsValuesFarBeyondTheScale)
{
    set(1e300, -1e300, 1e308, 0, 20);
    records.recVolts[2] = -1e300;
    const QImage image = render(QSize(201, 101));
    // From far above to far below and back: nearly vertical lines at x 50 and 150.
    std::vector<int> redColumns;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, 50) == kRed)
            redColumns.push_back(x);
    ASSERT_EQ(redColumns.size(), 2u);
    EXPECT_NEAR(redColumns[0], 50, 1);
    EXPECT_NEAR(redColumns[1], 150, 1);
    const std::vector<int> rpmRows = rowsOf(image, 60, kYellow);
    ASSERT_EQ(rpmRows.size(), 1u);
    EXPECT_NEAR(rpmRows[0], 410.0 * 100 / 420, 1.0);
}

TEST_F(PlotRendering, ReportsMousePositionsInTheUnitsOfTheLastDraw)
{
    request.windowEnd = 100;
    records.recordCount = 100;
    plot.showPlot(plotGeometry(records, request));
    plot.resize(100, 50);
    std::vector<float> positions;
    QObject::connect(&plot, &PlotWidget::pressed, [&](float x) { positions.push_back(x); });
    QObject::connect(&plot, &PlotWidget::moved, [&](float x) { positions.push_back(x); });
    QObject::connect(&plot, &PlotWidget::released, [&](float x) { positions.push_back(x); });
    const auto send = [&](QEvent::Type type, double x, Qt::MouseButton button) {
        QMouseEvent event(type, QPointF(x, 10), plot.mapToGlobal(QPointF(x, 10)), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
        QCoreApplication::sendEvent(&plot, &event);
    };
    send(QEvent::MouseButtonPress, 0, Qt::RightButton);
    send(QEvent::MouseMove, 50, Qt::NoButton);
    send(QEvent::MouseButtonRelease, 99, Qt::RightButton);
    send(QEvent::MouseButtonRelease, 150, Qt::LeftButton);
    ASSERT_EQ(positions.size(), 4u);
    EXPECT_FLOAT_EQ(positions[0], 0);
    EXPECT_FLOAT_EQ(positions[1], 50);
    EXPECT_FLOAT_EQ(positions[2], 99);
    EXPECT_FLOAT_EQ(positions[3], 150);
}

}  // namespace
}  // namespace corvane::test
