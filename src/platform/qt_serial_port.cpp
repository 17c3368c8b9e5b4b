#include "platform/qt_serial_port.h"

#include "platform/port_device.h"
#include "platform/port_problem.h"
#include "platform/serial_reader.h"
#include "text/failure.h"

#include <QCoreApplication>
#include <exception>

namespace corvane {

QtSerialPort::QtSerialPort(QString programFolder, QObject* parent)
    : SerialPort(parent), m_reader(new SerialReader(std::move(programFolder)))
{
    m_reader->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_reader, &QObject::deleteLater);
    connect(m_reader, &SerialReader::handedOver, this, &QtSerialPort::onHandedOver);
    connect(m_reader, &SerialReader::linkStatus, this, &SerialPort::linkStatus);
    m_thread.setObjectName(QStringLiteral("serial reader"));
    m_thread.start();
}

QtSerialPort::~QtSerialPort()
{
    runOnReader([this] { m_reader->close(); });
    m_thread.quit();
    m_thread.wait();
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
    close();
    runOnReader([this, number = m_portNumber, rate = m_baudRate] { m_reader->open(number, rate); });
    m_wanted = true;
}

void QtSerialPort::close()
{
    m_wanted = false;
    runOnReader([this] { m_reader->close(); });
    dropHandedOver();
}

bool QtSerialPort::isOpen() const { return m_wanted; }

QString QtSerialPort::readInput() { return m_handedOver.isEmpty() ? QString() : m_handedOver.dequeue(); }

// The reader takes every character from the device as it arrives, so nothing waits there
// to be dropped; what it holds or has handed over is the start of a frame, and dropping
// it would lose that frame.
void QtSerialPort::discardInput() {}

void QtSerialPort::runOnReader(const std::function<void()>& work)
{
    std::exception_ptr failure;
    QMetaObject::invokeMethod(
        m_reader,
        [&work, &failure] {
            try {
                work();
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure)
        std::rethrow_exception(failure);
}

// Called once the reader has closed the device, so that nothing more can follow.
void QtSerialPort::dropHandedOver()
{
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    m_handedOver.clear();
}

void QtSerialPort::onHandedOver(const QString& text)
{
    m_handedOver.enqueue(text);
    emit received();
}

}  // namespace corvane
