#include "platform/fake_serial_port.h"

#include "platform/port_device.h"
#include "text/failure.h"

namespace corvane {

void FakeSerialPort::setPortNumber(qint16 number)
{
    m_calls << QStringLiteral("port ") + QString::number(number);
    if (number < 1)
        throw Failure(QStringLiteral("Invalid port number"));
    m_portNumber = number;
}

void FakeSerialPort::setSettings(const QString& settings)
{
    m_calls << QStringLiteral("settings ") + settings;
    if (baudRateOf(settings) == 0)
        throw Failure(QStringLiteral("Invalid port settings: ") + settings);
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
    if (m_portNumber < 1 || unavailablePorts.contains(m_portNumber))
        throw Failure(QStringLiteral("No such file or directory: COM") + QString::number(m_portNumber));
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

}  // namespace corvane
