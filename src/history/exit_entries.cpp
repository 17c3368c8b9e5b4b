#include "history/exit_entries.h"

#include "text/date_time_text.h"
#include "viewer/day_record.h"

#include <QString>

namespace corvane {
namespace {

constexpr qsizetype kDateLength = 10;   // 2010_03_07
constexpr qsizetype kTimeLength = 5;    // 18:42

}  // namespace

ExitTimes readExitTimes(QByteArrayView wattHoursContent)
{
    ExitTimes exits;
    forEachDayLine(std::string_view(wattHoursContent.data(), static_cast<std::size_t>(wattHoursContent.size())),
                   [&](std::string_view line) {
                       if (static_cast<qsizetype>(line.size()) < kDateLength + 1 + kTimeLength
                           || line[kDateLength] != ' ')
                           return true;
                       const std::optional<QDate> date
                           = dateFromText(QString::fromLatin1(line.data(), kDateLength));
                       const std::optional<TimeOfDay> time
                           = timeOfDayFromText(QByteArrayView(line.data() + kDateLength + 1, kTimeLength));
                       if (date && time)
                           exits[*date].push_back(*time);
                       return true;
                   });
    return exits;
}

}  // namespace corvane
