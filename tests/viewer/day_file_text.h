#pragma once

#include <QByteArray>
#include <QString>

namespace corvane::test {

// One record line as the logger writes it, CR LF included; values are the field texts.
inline QByteArray recordLine(const QString& time, const QString& volts = QStringLiteral("12.60"),
                             const QString& amps = QStringLiteral("3.25"), const QString& watts = QStringLiteral("40.95"),
                             const QString& rpm = QString(), const QString& speed = QStringLiteral("4.3"))
{
    return (QStringLiteral("<T>") + time + QStringLiteral("</T><V>") + volts + QStringLiteral("</V><I>") + amps
            + QStringLiteral("</I><W>") + watts + QStringLiteral("</W><R>") + rpm + QStringLiteral("</R><S>") + speed
            + QStringLiteral("</S><M>0</M>   234.5Wh\r\n"))
        .toLatin1();
}

// The time text of minute `minute` of the day: 0 gives 00:00, 845 gives 14:05.
inline QString minuteText(int minute)
{
    return QStringLiteral("%1:%2").arg(minute / 60 % 24, 2, 10, QChar(u'0')).arg(minute % 60, 2, 10, QChar(u'0'));
}

// `count` records one minute apart from `firstMinute`, with volts 10 + the record's number
// (first record 11), amps its number, watts ten times its number.
inline QByteArray minuteRecords(int firstMinute, int count)
{
    QByteArray text;
    for (int n = 1; n <= count; ++n)
        text += recordLine(minuteText(firstMinute + n - 1), QString::number(10 + n), QString::number(n),
                           QString::number(10 * n));
    return text;
}

// `count` records whose times run through 00:01 to 23:58 again and again (so every one
// lies inside the whole-day range); volts 12 + n / 1000 for record n.
inline QByteArray wholeDayRecords(int count)
{
    QByteArray text;
    text.reserve(count * 80);
    for (int n = 1; n <= count; ++n)
        text += recordLine(minuteText(1 + (n - 1) % 1438), QString::number(12 + n / 1000.0, 'f', 3));
    return text;
}

}  // namespace corvane::test
