#pragma once

#include "platform/serial_port.h"

#include <QQueue>
#include <QThread>
#include <functional>

namespace corvane {

class SerialReader;

// The board's port on a real serial device or pseudo-terminal. The device is read on a
// thread of its own (SerialReader); each `received` here carries one hand-over, and
// open and close wait for the reader, so that a closed device is free when this returns.
class QtSerialPort final : public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QString programFolder, QObject* parent = nullptr);
    ~QtSerialPort() override;

    void setPortNumber(qint16 number) override;
    void setSettings(const QString& settings) override;
    void setInputLength(int length) override;
    void open() override;
    void close() override;
    bool isOpen() const override;
    QString readInput() override;
    void discardInput() override;

private:
    // Runs work on the reader's thread and waits for it; its failure is thrown here.
    void runOnReader(const std::function<void()>& work);
    // Hand-overs of an earlier opening that have not been read yet are dropped.
    void dropHandedOver();
    void onHandedOver(const QString& text);

    QThread m_thread;
    SerialReader* m_reader = nullptr;  // lives on m_thread, deleted when it finishes
    QQueue<QString> m_handedOver;
    qint16 m_portNumber = 0;
    int m_baudRate = 0;
    bool m_wanted = false;  // opened by the caller and not closed since
};

}  // namespace corvane
