#include "platform/serial_reader.h"

#include "platform/port_device.h"
#include "platform/port_problem.h"
#include "text/failure.h"

#include <QThread>

namespace corvane {
namespace {
const QString kPortLost = QStringLiteral("Port lost: waiting for the device to return");
const QString kPortBack = QStringLiteral("Port back: waiting for COMM data");
constexpr int kReopenIntervalMs = 1000;
}  // namespace

SerialReader::SerialReader(QString programFolder) : m_programFolder(std::move(programFolder))
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialReader::readArrived);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialReader::onError);
    m_reopenTimer.setInterval(kReopenIntervalMs);
    connect(&m_reopenTimer, &QTimer::timeout, this, &SerialReader::tryReopen);
    m_quietTimer.setSingleShot(true);
    connect(&m_quietTimer, &QTimer::timeout, this, &SerialReader::releaseQuiet);
    m_clock.start();
}

void SerialReader::open(qint16 portNumber, int baudRate)
{
    close();
    const QString device = portDevicePath(m_programFolder, portNumber);
    m_port.setPortName(device);
    m_baudRate = baudRate > 0 ? baudRate : 9600;
    m_port.setBaudRate(m_baudRate);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        // The toolkit reports a busy device and a forbidden one alike; the file system
        // tells them apart.
        throw PortFailure({classifyUnopenableDevice(device), device},
                          m_port.errorString() + QStringLiteral(": ") + m_port.portName());
    }
    m_wanted = true;
}

void SerialReader::close()
{
    m_wanted = false;
    m_lost = false;
    m_reopenTimer.stop();
    m_quietTimer.stop();
    m_handover.clear();
    if (m_port.isOpen())
        m_port.close();
}

void SerialReader::readArrived()
{
    const QString piece = QString::fromLatin1(m_port.readAll());
    const qint64 now = m_clock.elapsed();
    for (const QString& text : m_handover.take(piece, now))
        emit handedOver(text);
    if (const std::optional<qint64> due = m_handover.releaseDueMs())
        m_quietTimer.start(static_cast<int>(qMax<qint64>(0, *due - now)));
    else
        m_quietTimer.stop();
    // A frame begun waits here for its rest, which the kernel gathers meanwhile, so the
    // next wake-up reads it whole instead of piece by piece. Only this thread waits.
    if (const qint64 nap = m_handover.napUs(m_baudRate, now); nap > 0)
        QThread::usleep(static_cast<unsigned long>(nap));
}

void SerialReader::releaseQuiet()
{
    const qint64 now = m_clock.elapsed();
    if (const std::optional<QString> held = m_handover.release(now))
        emit handedOver(*held);
    else if (const std::optional<qint64> due = m_handover.releaseDueMs())
        m_quietTimer.start(static_cast<int>(qMax<qint64>(0, *due - now)));
}

// A device that goes away reports a ResourceError (an unplugged adapter) or, on every
// notification, a ReadError for the end of input (a hung-up pseudo-terminal, which would
// otherwise keep the event loop busy). Either way the line is gone: close it, and look for
// the device again now and then. The close waits for the event loop, because Qt is still
// inside its own read when it reports the error.
void SerialReader::onError(QSerialPort::SerialPortError error)
{
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError)
        return;
    if (!m_wanted || m_lost)
        return;
    m_lost = true;
    QMetaObject::invokeMethod(this, &SerialReader::closeLostDevice, Qt::QueuedConnection);
}

void SerialReader::closeLostDevice()
{
    if (!m_lost)
        return;
    m_port.close();
    m_quietTimer.stop();
    m_handover.clear();
    m_reopenTimer.start();
    emit linkStatus(kPortLost);
}

// The status is repeated while the device stays away, so that it comes back to the screen
// after the logging tick has put its own text there.
void SerialReader::tryReopen()
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
