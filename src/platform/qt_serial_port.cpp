#include "platform/qt_serial_port.h"

#include "platform/port_device.h"
#include "platform/port_problem.h"
#include "text/failure.h"

namespace corvane {
namespace {
const QString kPortLost = QStringLiteral("Port lost: waiting for the device to return");
const QString kPortBack = QStringLiteral("Port back: waiting for COMM data");
constexpr int kReopenIntervalMs = 1000;
}  // namespace

QtSerialPort::QtSerialPort(QString programFolder, QObject* parent)
    : SerialPort(parent), m_programFolder(std::move(programFolder))
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialPort::received);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
    m_reopenTimer.setInterval(kReopenIntervalMs);
    connect(&m_reopenTimer, &QTimer::timeout, this, &QtSerialPort::tryReopen);
}

void QtSerialPort::setPortNumber(qint16 number)
{
    if (number < 1)
        throw PortFailure({PortProblemKind::InvalidNumber, QString::number(number)}, QStringLiteral("Invalid port number"));
    m_portNumber = number;
}

void QtSerialPort::setSettings(const QString& settings)
{
    const int rate = baudRateOf(settings);
    if (rate == 0)
        throw PortFailure({PortProblemKind::InvalidBaudRate, settings.section(u',', 0, 0)},
                          QStringLiteral("Invalid port settings: ") + settings);
    m_baudRate = rate;
}

void QtSerialPort::setInputLength(int) {}

void QtSerialPort::open()
{
    if (m_portNumber < 1)
        throw PortFailure({PortProblemKind::InvalidNumber, QString::number(m_portNumber)},
                          QStringLiteral("Invalid port number"));
    if (m_port.isOpen())
        m_port.close();
    const QString device = portDevicePath(m_programFolder, m_portNumber);
    m_port.setPortName(device);
    m_port.setBaudRate(m_baudRate > 0 ? m_baudRate : 9600);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    m_lost = false;
    m_reopenTimer.stop();
    if (!m_port.open(QIODevice::ReadWrite)) {
        // The toolkit reports a busy device and a forbidden one alike; the file system
        // tells them apart.
        throw PortFailure({classifyUnopenableDevice(device), device},
                          m_port.errorString() + QStringLiteral(": ") + m_port.portName());
    }
    m_wanted = true;
}

void QtSerialPort::close()
{
    m_wanted = false;
    m_lost = false;
    m_reopenTimer.stop();
    if (m_port.isOpen())
        m_port.close();
}

bool QtSerialPort::isOpen() const { return m_wanted; }

QString QtSerialPort::readInput()
{
    if (!m_port.isOpen())
        return QString();
    return QString::fromLatin1(m_port.readAll());
}

// Drops only what the port has taken in and not handed out, never the device's own
// queue: flushing that would lose the characters that arrive between the read and this
// call, and with them part of the next frame.
void QtSerialPort::discardInput()
{
    if (m_port.isOpen())
        m_port.skip(m_port.bytesAvailable());
}

// A device that goes away reports a ResourceError (an unplugged adapter) or, on every
// notification, a ReadError for the end of input (a hung-up pseudo-terminal, which would
// otherwise keep the event loop busy). Either way the line is gone: close it, and look for
// the device again now and then. The close waits for the event loop, because Qt is still
// inside its own read when it reports the error.
void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError)
        return;
    if (!m_wanted || m_lost)
        return;
    m_lost = true;
    QMetaObject::invokeMethod(this, &QtSerialPort::closeLostDevice, Qt::QueuedConnection);
}

void QtSerialPort::closeLostDevice()
{
    if (!m_lost)
        return;
    m_port.close();
    m_reopenTimer.start();
    emit linkStatus(kPortLost);
}

// The status is repeated while the device stays away, so that it comes back to the screen
// after the logging tick has put its own text there.
void QtSerialPort::tryReopen()
{
    if (!m_wanted || !m_lost) {
        m_reopenTimer.stop();
        return;
    }
    if (!m_port.open(QIODevice::ReadWrite)) {
        emit linkStatus(kPortLost);
        return;
    }
    m_lost = false;
    m_reopenTimer.stop();
    emit linkStatus(kPortBack);
}

}  // namespace corvane
