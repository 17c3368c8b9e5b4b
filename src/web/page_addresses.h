#pragma once

#include "config/web_config.h"

#include <QHostAddress>
#include <QList>
#include <QStringList>

namespace corvane {

// The addresses a browser can open the page at: the configured address, or with none
// every IPv4 address of the box (`localAddresses`, loopback last), each as a URL with the
// scheme and port the settings give.
QStringList pageAddresses(const WebConfig& config, const QList<QHostAddress>& localAddresses);

}  // namespace corvane
