#include "logging/watt_hours.h"

#include "text/date_time_text.h"
#include "text/number_format.h"

#include <cmath>

namespace corvane {
namespace {
constexpr float kDayStartSeconds = 10;
constexpr double kTicksPerHour = 720;
}  // namespace

QString wattHourEntryLine(WattHourEntry kind, const QDate& date, const QTime& time, double wattHours)
{
    const QChar separator = kind == WattHourEntry::DayStart ? u',' : u' ';
    return dateText(date) + separator + timeText(time) + QStringLiteral("  ")
           + formatPattern(wattHours, u"#####.0") + QStringLiteral(" Wh");
}

bool isDayStart(float secondsSinceMidnight) { return secondsSinceMidnight < kDayStartSeconds; }

double wattHoursAfterTick(double wattHours, double watts)
{
    const double total = wattHours + watts / kTicksPerHour;
    return std::isfinite(total) ? total : wattHours;
}

}  // namespace corvane
