// The log viewer's steps over arbitrary day files and time ranges, in the order the
// window takes them: DISPLAY loads the range and draws it, the pointer reads values, a
// drag zooms (a draw of the dragged span, then DISPLAY again with the times it shows), and
// CSV exports the span. The loaded records must lie inside the range, every limit and
// every point of a drawn line must be finite, the plot surface must paint whatever a draw
// gives it, and the export must be whole CR LF lines.
//
// The input: one byte of options (the series shown, fixed or data-driven scales, the
// export boxes typed or as drawn), the two times, the volts scale, maximum amps and
// logging interval, the drag and pointer positions, the typed boxes, then the day file.
#include "fuzz_app.h"
#include "fuzz_input.h"
#include "ui/plot_widget.h"
#include "viewer/csv_export.h"
#include "viewer/cursor_readout.h"
#include "viewer/day_file_loader.h"
#include "viewer/plot_geometry.h"
#include "viewer/time_of_day.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {
using namespace corvane;
using fuzz::FuzzInput;
using fuzz::require;

const QString kDayFileName = QStringLiteral("P_2010_03_07.txt");
const QString kWsUnits = QStringLiteral("km/h");
const QSize kPaintedSize(160, 90);

struct ViewerRun {
    uint8_t options = 0;
    TimeBoxes boxes;
    PlotRequest request;
    float dragFrom = 0;  // parts of the plot's width, as the mouse reports them
    float dragTo = 0;
    float pointers[3] = {};
    TimeBoxes typedBoxes;
    RecordArrays records;
};

QString twoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0')); }

float widthPart(uint8_t byte) { return static_cast<float>(byte) / 200.0f - 0.1f; }

void readSteering(FuzzInput& input, ViewerRun& run)
{
    run.options = input.byte();
    run.boxes = {twoDigits(input.byte() % 24), twoDigits(input.byte() % 60), twoDigits(input.byte() % 24),
                 twoDigits(input.byte() % 60)};
    for (int i = 0; i < kSeriesCount; ++i)
        run.request.shown[i] = run.options & (1u << i);
    run.request.scaled = run.options & 0x20;
    constexpr double kSystemVolts[] = {12, 24, 48};
    const uint8_t volts = input.byte();
    run.request.voltsFullScale = (volts < 3 ? kSystemVolts[volts] : volts) * 70.0 / 48.0;
    run.request.maxAmps = (input.byte() & 0x7f) << 8 | input.byte();  // the setup offers no negative ones
    run.request.logDelaySeconds = input.byte() * 5;
    run.request.WSUnits = kWsUnits;
    run.dragFrom = widthPart(input.byte());
    run.dragTo = widthPart(input.byte());
    for (float& pointer : run.pointers)
        pointer = static_cast<float>(input.byte()) / 100.0f - 0.5f;
    if (run.options & 0x40)
        run.typedBoxes = {input.shortText(3), input.shortText(3), input.shortText(3), input.shortText(3)};
}

// Limits within a quarter of the largest number keep every height and position finite;
// beyond that the distance between them no longer fits in a double, and the surface skips
// what it cannot place.
bool isModest(const SeriesScale& scale)
{
    constexpr double kModest = std::numeric_limits<double>::max() / 4;
    return std::abs(scale.upper) <= kModest && std::abs(scale.lower) <= kModest;
}

PlotWidget& plotSurface()
{
    fuzz::application();
    static PlotWidget surface;
    return surface;
}

bool isTimeText(const QString& text)
{
    return text.size() == 5 && text[2] == u':' && timeOfDayFromText(text.toLatin1()).has_value();
}

// DISPLAY: the boxes become the range, the day file is loaded.
DayLoadOutcome load(const QByteArray& dayFile, const TimeBoxes& boxes, RecordArrays& records)
{
    const std::optional<TimeOfDay> from = timeOfDayFromBoxes(boxes.fromHour, boxes.fromMinute);
    const std::optional<TimeOfDay> to = timeOfDayFromBoxes(boxes.toHour, boxes.toMinute);
    require(from && to, "two-digit boxes give times");
    records.recordCount = 0;
    const DayLoadOutcome outcome = loadDayRecords(dayFile, {*from, *to}, records);

    const int count = records.recordCount;
    require(count >= 0 && count <= RecordArrays::kRecordLimit, "the record count keeps within the limit");
    require((outcome == DayLoadOutcome::NoData) == (count == 0), "no data means no records");
    require((outcome == DayLoadOutcome::OverLimit) == (count == RecordArrays::kRecordLimit),
            "the limit is reported when it is reached");
    for (int slot = 1; slot <= std::min(count, RecordArrays::kRecordLimit - 1); ++slot) {
        require(*from < records.recTime[slot] && records.recTime[slot] < *to, "every record lies inside the range");
        for (const auto* values : {&records.recVolts, &records.recAmps, &records.recWatts, &records.recRpm,
                                   &records.recSpeed})
            require(std::isfinite((*values)[slot]), "every loaded value is finite");
        require(records.recRpm[slot] <= kMaxPlausibleRpm, "RPM above the ceiling loads as 0");
    }
    return outcome;
}

PlotGeometry draw(const RecordArrays& records, PlotRequest request, double windowStart, double windowEnd)
{
    request.windowStart = windowStart;
    request.windowEnd = windowEnd;
    PlotGeometry geometry = plotGeometry(records, request);
    require(geometry.drawn == (windowStart < windowEnd), "a window is drawn when its start is below its end");
    if (!geometry.drawn)
        return geometry;
    require(std::isfinite(geometry.width) && geometry.width > 0, "the plot has a width");
    for (int i = 0; i < kSeriesCount; ++i) {
        const SeriesScale& scale = geometry.scales[i];
        require(std::isfinite(scale.upper) && std::isfinite(scale.lower) && scale.lower <= scale.upper,
                "the limits are finite and in order");
        require(scale.span > 0, "every plot has a height");
        if (isModest(scale))
            require(std::isfinite(scale.span), "every plot has a finite height");
        require(!geometry.upperLabels[i].isEmpty() && !geometry.lowerLabels[i].isEmpty(), "every limit is labelled");
    }
    const bool modestZeroLines = isModest(geometry.scales[indexOf(Series::Amps)])
                                 && isModest(geometry.scales[indexOf(Series::Watts)]);
    for (const ZeroLine& zero : geometry.zeroLines)
        require((std::isfinite(zero.y) && std::isfinite(zero.height)) || !modestZeroLines,
                "the zero lines are finite");
    for (const SeriesLine& line : geometry.lines) {
        require(request.shown[indexOf(line.series)], "only shown series are drawn");
        require(line.points.size() >= 2 && line.points.size() <= std::size_t(RecordArrays::kSlotCount),
                "a line has a point per window position");
        const bool modest = isModest(geometry.scales[indexOf(line.series)]);
        for (std::size_t n = 0; n < line.points.size(); ++n)
            require(line.points[n].x() == double(n) && (std::isfinite(line.points[n].y()) || !modest),
                    "every point of a line is finite");
    }
    require(isTimeText(geometry.startTime) && isTimeText(geometry.finishTime), "the window's ends are times");

    // The window paints exactly this geometry; the surface must cope with whatever it holds.
    plotSurface().showPlot(geometry);
    QImage image(kPaintedSize, QImage::Format_RGB32);
    QPainter painter(&image);
    plotSurface().paintPicture(painter, kPaintedSize);
    return geometry;
}

void readPointers(const ViewerRun& run, double plotStart, double width)
{
    for (float part : run.pointers) {
        const CursorReadout readout = cursorReadout(run.records, part * width, plotStart, kWsUnits);
        if (readout.time)
            require(isTimeText(*readout.time), "the pointer's time is a time");
        if (readout.values)
            for (const QString& value : *readout.values)
                require(!value.isEmpty(), "the pointer's values are shown");
    }
}

void exportSpan(const ViewerRun& run, double windowStart, double windowEnd, const TimeBoxes& boxes)
{
    if (const std::optional<QString> name = csvFileName(kDayFileName, boxes))
        require(name->startsWith(QStringLiteral("P_2010_03_07_")) && name->endsWith(QStringLiteral(".csv"))
                    && !name->contains(u'/') && !name->contains(u'\\'),
                "the export stays a plain file in the logs folder");
    if (run.records.recordCount == 0)
        return;
    const QString csv = csvText(run.records, windowStart, windowEnd);
    require(csv.startsWith(QStringLiteral("TIME,VOLTS,AMPS,WATTS,RPM,SPEED\r\n")) && csv.endsWith(QStringLiteral("\r\n")),
            "the export has its header and ends a line");
    const QStringList lines = csv.split(QStringLiteral("\r\n"));
    require(lines.size() - 2 <= RecordArrays::kSlotCount, "the export never has more lines than slots");
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        const QString& line = lines[i];
        require(!line.contains(u'\r') && !line.contains(u'\n') && line.count(u',') == 5 && isTimeText(line.left(5)),
                "every export line is one whole record");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    auto run = std::make_unique<ViewerRun>();
    readSteering(input, *run);
    const QByteArray dayFile = input.rest();

    if (load(dayFile, run->boxes, run->records) != DayLoadOutcome::Loaded)
        return 0;
    double windowStart = 1;
    double windowEnd = run->records.recordCount;
    PlotGeometry geometry = draw(run->records, run->request, windowStart, windowEnd);
    TimeBoxes shownBoxes = run->boxes;
    if (geometry.drawn) {
        const double width = geometry.width;
        readPointers(*run, windowStart, width);
        // A drag: both ends stay within the plot, as the window keeps them.
        const float from = std::clamp(run->dragFrom * float(width), 0.0f, float(width));
        const float to = std::clamp(run->dragTo * float(width), 0.0f, float(width));
        if (run->records.recordCount > 1 && from < to) {
            windowStart = from;
            windowEnd = to;
            geometry = draw(run->records, run->request, windowStart, windowEnd);
            shownBoxes = {geometry.startTime.left(2), geometry.startTime.right(2), geometry.finishTime.left(2),
                          geometry.finishTime.right(2)};
            if (load(dayFile, shownBoxes, run->records) == DayLoadOutcome::Loaded) {
                windowStart = 1;
                windowEnd = run->records.recordCount;
                draw(run->records, run->request, windowStart, windowEnd);
            }
        }
    }
    exportSpan(*run, windowStart, windowEnd, (run->options & 0x40) ? run->typedBoxes : shownBoxes);
    return 0;
}
