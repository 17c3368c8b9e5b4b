#pragma once

#include "config/mqtt_config.h"

#include <QJsonObject>
#include <QList>
#include <QString>

namespace corvane {

struct TopicMessage {
    QString topic;
    QString payload;
};

// The client id with only the characters Home Assistant allows in the node part of a
// discovery topic.
QString discoveryNodeId(const QString& clientId);

// Puts an entity on Corvane's one device, available while the status topic says online.
void addDeviceAndAvailability(QJsonObject& entity, const MqttConfig& config);

// The topics under the base topic.
QString statusTopic(const MqttConfig& config);
QString liveTopic(const MqttConfig& config);
QString recordTopic(const MqttConfig& config);
QString errorTopic(const MqttConfig& config);

// The unit Home Assistant knows for a wind-speed unit text ("km/h", "m/s", "mph", "kn",
// "ft/s"), or nothing when it knows none: such a sensor keeps the text as its unit.
QString knownWindSpeedUnit(const QString& windUnits);

// The retained Home Assistant discovery configs, one per sensor, all in one device named
// Corvane, reading the live topic and available while the status topic says online.
QList<TopicMessage> discoveryConfigs(const MqttConfig& config, const QString& windUnits);

}  // namespace corvane
