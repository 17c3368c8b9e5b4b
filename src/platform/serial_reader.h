#pragma once

#include "platform/piece_handover.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QTimer>

namespace corvane {

// The board's device, read on a thread of its own as characters arrive, so that the
// user-interface thread wakes once per frame instead of once per piece. Every member
// runs on the reader's thread; QtSerialPort is its face on the user-interface thread.
class SerialReader final : public QObject {
    Q_OBJECT
public:
    explicit SerialReader(QString programFolder);

    // Opens the device of the port number at the baud rate; throws PortFailure.
    void open(qint16 portNumber, int baudRate);
    // Closes the device and drops what was held; nothing is handed over after it.
    void close();

signals:
    // One notification's characters, as PieceHandover cut them.
    void handedOver(const QString& text);
    // A change of the link that the user should see ("port lost", "port back").
    void linkStatus(const QString& text);

private:
    void readArrived();
    void releaseQuiet();
    void onError(QSerialPort::SerialPortError error);
    void closeLostDevice();
    void tryReopen();

    QString m_programFolder;
    QSerialPort m_port{this};
    QTimer m_reopenTimer{this};
    QTimer m_quietTimer{this};
    PieceHandover m_handover;
    QElapsedTimer m_clock;
    int m_baudRate = 9600;
    bool m_wanted = false;  // opened by the caller and not closed since
    bool m_lost = false;    // the device went away; it is looked for again every second
};

}  // namespace corvane
