#include "testing/fake_serial_port.h"

#include "platform/port_device.h"
#include "text/failure.h"

namespace corvane {
namespace {
// The reasons as the system would word them.
QString failureText(PortProblemKind kind)
{
    switch (kind) {
    case PortProblemKind::NoPermission:
        return QStringLiteral("Permission denied");
    case PortProblemKind::Busy:
        return QStringLiteral("Device or resource busy");
    case PortProblemKind::Missing:
        return QStringLiteral("No such file or directory");
    default:
        return QStringLiteral("Unknown error");
    }
}
}  // namespace

void FakeSerialPort::setPortNumber(qint16 number)
{
    m_calls << QStringLiteral("port ") + QString::number(number);
    if (number < 1)
        throw PortFailure({PortProblemKind::InvalidNumber, QString::number(number)}, QStringLiteral("Invalid port number"));
    m_portNumber = number;
}

void FakeSerialPort::setSettings(const QString& settings)
{
    m_calls << QStringLiteral("settings ") + settings;
    if (baudRateOf(settings) == 0)
        throw PortFailure({PortProblemKind::InvalidBaudRate, settings.section(u',', 0, 0)},
                          QStringLiteral("Invalid port settings: ") + settings);
    m_settings = settings;
}

void FakeSerialPort::setInputLength(int length)
{
    m_calls << QStringLiteral("input length ") + QString::number(length);
    m_inputLength = length;
}

void FakeSerialPort::open()
{
    m_calls << QStringLiteral("open");
    const QString device = QStringLiteral("COM") + QString::number(m_portNumber);
    if (m_portNumber < 1)
        throw PortFailure({PortProblemKind::InvalidNumber, QString::number(m_portNumber)},
                          QStringLiteral("Invalid port number"));
    if (unavailablePorts.contains(m_portNumber))
        throw PortFailure({PortProblemKind::Missing, device}, QStringLiteral("No such file or directory: ") + device);
    if (const auto reason = failingPorts.constFind(m_portNumber); reason != failingPorts.constEnd())
        throw PortFailure({*reason, device}, failureText(*reason) + QStringLiteral(": ") + device);
    m_open = true;
}

void FakeSerialPort::close()
{
    m_calls << QStringLiteral("close");
    m_open = false;
}

QString FakeSerialPort::readInput()
{
    QString input;
    input.swap(m_waiting);
    return input;
}

void FakeSerialPort::discardInput() { m_waiting.clear(); }

void FakeSerialPort::deliver(const QString& chunk)
{
    m_waiting += chunk;
    emit received();
}

void FakeSerialPort::readPiece(const QString& piece, qint64 nowMs)
{
    for (const QString& text : m_handover.take(piece, nowMs))
        deliver(text);
}

void FakeSerialPort::quietUntil(qint64 nowMs)
{
    if (const std::optional<QString> held = m_handover.release(nowMs))
        deliver(*held);
}

}  // namespace corvane
