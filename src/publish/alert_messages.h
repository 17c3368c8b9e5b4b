#pragma once

#include "alerts/alert_change.h"
#include "publish/discovery.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace corvane {

// The keys of every alert Corvane knows, whether on or off.
QStringList knownAlertKeys();

// `<Topic>/alert/<key>`, where each alert's latest state is kept retained.
QString alertTopic(const MqttConfig& config, const QString& key);

// {"state": "raised"|"cleared", "since": ISO time with offset, "message": ..., "volts": ..}
// with volts to two decimals, as the message shows them, or null when the alert has none.
QByteArray alertStateJson(const AlertChange& change);

// The retained Home Assistant discovery config of one alert: a binary sensor on the same
// device and availability as the sensors, on while the alert is raised; its attributes
// are the state message, so the message and the time show beside it.
TopicMessage alertDiscoveryConfig(const MqttConfig& config, const QString& key);

}  // namespace corvane
