#pragma once

#include "platform/piece_handover.h"
#include "platform/port_problem.h"
#include "platform/serial_port.h"

#include <QHash>

#include <QSet>
#include <QStringList>

namespace corvane {

// An in-memory port for tests: characters are delivered in chunks of any size, and
// ports can be made unavailable to script failures.
class FakeSerialPort final : public SerialPort {
    Q_OBJECT
public:
    using SerialPort::SerialPort;

    void setPortNumber(qint16 number) override;
    void setSettings(const QString& settings) override;
    void setInputLength(int length) override;
    void open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    QString readInput() override;
    void discardInput() override;

    // Characters arrive and the receive notification is raised.
    void deliver(const QString& chunk);
    // Characters arrive without a notification (they wait for the next one).
    void arrive(const QString& chunk) { m_waiting += chunk; }
    // A piece read from the device at a monotonic time, handed over as the real port's
    // reader would: each hand-over is delivered as one notification.
    void readPiece(const QString& piece, qint64 nowMs);
    // Time passes with nothing read; what the reader holds goes over once it is due.
    void quietUntil(qint64 nowMs);

    qint16 portNumber() const { return m_portNumber; }
    const QString& settings() const { return m_settings; }
    int inputLength() const { return m_inputLength; }
    const QString& waiting() const { return m_waiting; }
    // Every operation in call order, e.g. "port 3", "settings 9600,N,8,1", "open", "close".
    const QStringList& calls() const { return m_calls; }

    // Port numbers for which opening fails, as for a missing or busy device.
    QSet<int> unavailablePorts;
    // Port numbers for which opening fails for the given reason.
    QHash<int, PortProblemKind> failingPorts;

private:
    bool m_open = false;
    qint16 m_portNumber = 0;
    QString m_settings;
    int m_inputLength = -1;
    QString m_waiting;
    QStringList m_calls;
    PieceHandover m_handover;
};

}  // namespace corvane
