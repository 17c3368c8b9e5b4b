#pragma once

#include "platform/serial_port.h"

#include <QSerialPort>
#include <QTimer>

namespace corvane {

// The board's port on a real serial device or pseudo-terminal.
class QtSerialPort final : public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QString programFolder, QObject* parent = nullptr);

    void setPortNumber(qint16 number) override;
    void setSettings(const QString& settings) override;
    void setInputLength(int length) override;
    void open() override;
    void close() override;
    bool isOpen() const override;
    QString readInput() override;
    void discardInput() override;

private:
    void onError(QSerialPort::SerialPortError error);
    void closeLostDevice();
    void tryReopen();

    QString m_programFolder;
    QSerialPort m_port;
    qint16 m_portNumber = 0;
    int m_baudRate = 0;
    bool m_wanted = false;  // opened by the caller and not closed since
    bool m_lost = false;    // the device went away; it is looked for again every second
    QTimer m_reopenTimer;
};

}  // namespace corvane
