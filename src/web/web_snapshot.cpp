#include "web/web_snapshot.h"

#include "publish/discovery.h"
#include "publish/json_texts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace corvane {
namespace {

// Metres per second in one of the units the MQTT discovery knows.
double metresPerSecond(double speed, const QString& knownUnit)
{
    if (knownUnit == u"km/h")
        return speed / 3.6;
    if (knownUnit == u"mph")
        return speed * 0.44704;
    if (knownUnit == u"kn")
        return speed * 1852.0 / 3600.0;
    if (knownUnit == u"ft/s")
        return speed * 0.3048;
    return speed;
}

// A label value with the three characters the format escapes.
QString labelValue(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'"')
            out += QStringLiteral("\\\"");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else
            out += c;
    }
    return out;
}

class Families {
public:
    void family(const char* name, const char* type, const char* help)
    {
        m_text += QStringLiteral("# HELP ") + QLatin1StringView(name) + u' ' + QLatin1StringView(help) + u'\n';
        m_text += QStringLiteral("# TYPE ") + QLatin1StringView(name) + u' ' + QLatin1StringView(type) + u'\n';
    }
    void sample(const QString& nameAndLabels, const QString& value)
    {
        m_text += nameAndLabels + u' ' + value + u'\n';
    }
    void sample(const char* name, double value) { sample(QLatin1StringView(name).toString(), number(value)); }
    void count(const QString& nameAndLabels, std::uint64_t value) { sample(nameAndLabels, QString::number(value)); }

    // The format's words for the values JSON writes as null.
    static QString number(double value)
    {
        if (std::isnan(value))
            return QStringLiteral("NaN");
        if (std::isinf(value))
            return value > 0 ? QStringLiteral("+Inf") : QStringLiteral("-Inf");
        return jsonNumber(value);
    }

    QByteArray bytes() const { return m_text.toUtf8(); }

private:
    QString m_text;
};

}  // namespace

QString liveText(const WebSnapshot& snapshot)
{
    QString text;
    if (snapshot.frame) {
        text = liveJson(*snapshot.frame);
        text.chop(1);
    } else {
        text = QStringLiteral("{\"time\": null, \"volts\": null, \"amps\": null, \"watts\": null, "
                              "\"watt_hours\": null, \"rpm\": null, \"wind_speed\": null, \"wind_units\": ")
               + jsonString(snapshot.windUnits);
    }
    return text + (snapshot.logging ? QStringLiteral(", \"logging\": true}") : QStringLiteral(", \"logging\": false}"));
}

void recordAlert(WebSnapshot& snapshot, const AlertChange& change)
{
    for (AlertChange& state : snapshot.alerts) {
        if (state.key == change.key) {
            state = change;
            return;
        }
    }
    snapshot.alerts.push_back(change);
}

QByteArray alertsJson(const WebSnapshot& snapshot)
{
    QJsonArray alerts;
    for (const AlertChange& state : snapshot.alerts) {
        // Every raise and clear names its reason; only the state from the start has none.
        const bool changed = !state.message.isEmpty();
        QJsonObject alert;
        alert.insert(QStringLiteral("alert"), state.key);
        alert.insert(QStringLiteral("state"), state.raised ? QStringLiteral("raised") : QStringLiteral("cleared"));
        alert.insert(QStringLiteral("since"), changed ? QJsonValue(isoLocalTime(state.since)) : QJsonValue());
        alert.insert(QStringLiteral("message"), changed ? QJsonValue(state.message) : QJsonValue());
        alert.insert(QStringLiteral("volts"), state.volts && std::isfinite(*state.volts) ? QJsonValue(*state.volts) : QJsonValue());
        alerts.append(alert);
    }
    return QJsonDocument(alerts).toJson(QJsonDocument::Compact);
}

QByteArray metricsText(const WebSnapshot& snapshot, const QString& version)
{
    Families out;
    if (const std::optional<AcceptedFrame>& frame = snapshot.frame) {
        out.family("corvane_battery_voltage_volts", "gauge", "Battery voltage of the latest accepted frame.");
        out.sample("corvane_battery_voltage_volts", frame->volts);
        out.family("corvane_battery_current_amperes", "gauge", "Battery current of the latest accepted frame.");
        out.sample("corvane_battery_current_amperes", frame->amps);
        out.family("corvane_power_watts", "gauge", "Power of the latest accepted frame.");
        out.sample("corvane_power_watts", frame->watts);
        out.family("corvane_rotor_speed_rpm", "gauge", "Rotor speed of the latest accepted frame.");
        out.sample("corvane_rotor_speed_rpm", frame->rpm);
        const QString known = knownWindSpeedUnit(frame->windUnits);
        if (!known.isEmpty()) {
            out.family("corvane_wind_speed_meters_per_second", "gauge", "Wind speed of the latest accepted frame.");
            out.sample("corvane_wind_speed_meters_per_second", metresPerSecond(frame->windSpeed, known));
        } else {
            out.family("corvane_wind_speed", "gauge", "Wind speed of the latest accepted frame in the configured unit.");
            out.sample(QStringLiteral("corvane_wind_speed{unit=\"") + labelValue(frame->windUnits) + QStringLiteral("\"}"),
                       Families::number(frame->windSpeed));
        }
    }
    out.family("corvane_energy_joules_total", "counter",
               "Energy since the day began or the program started, whichever was later.");
    out.sample("corvane_energy_joules_total", snapshot.frame ? snapshot.frame->wattHours * 3600.0 : 0.0);
    out.family("corvane_frames_total", "counter", "Receive notifications that gave a frame or an error-log entry.");
    out.count(QStringLiteral("corvane_frames_total{result=\"accepted\"}"), snapshot.framesAccepted);
    out.count(QStringLiteral("corvane_frames_total{result=\"rejected\"}"), snapshot.framesRejected);
    out.family("corvane_error_log_entries_total", "counter", "Entries written to errorlog.txt since the start.");
    out.count(QStringLiteral("corvane_error_log_entries_total"), snapshot.errorEntries);
    out.family("corvane_records_total", "counter", "Records written to the day files since the start.");
    out.count(QStringLiteral("corvane_records_total"), snapshot.records);
    if (snapshot.frame) {
        out.family("corvane_last_frame_timestamp_seconds", "gauge", "Unix time of the latest accepted frame.");
        out.sample("corvane_last_frame_timestamp_seconds",
                   static_cast<double>(snapshot.frame->time.toMSecsSinceEpoch()) / 1000.0);
    }
    out.family("corvane_logging", "gauge", "1 while records are being written, else 0.");
    out.sample("corvane_logging", snapshot.logging ? 1.0 : 0.0);
    if (!snapshot.alerts.empty()) {
        out.family("corvane_alert_active", "gauge", "1 while the alert is raised, else 0.");
        for (const AlertChange& state : snapshot.alerts)
            out.sample(QStringLiteral("corvane_alert_active{alert=\"") + labelValue(state.key) + QStringLiteral("\"}"),
                       state.raised ? QStringLiteral("1") : QStringLiteral("0"));
    }
    out.family("corvane_build_info", "gauge", "The program's version.");
    out.sample(QStringLiteral("corvane_build_info{version=\"") + labelValue(version) + QStringLiteral("\"}"),
               QStringLiteral("1"));
    return out.bytes();
}

}  // namespace corvane
