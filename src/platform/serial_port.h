#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace corvane {

// The serial line to the measuring board, with exactly the operations the windows use.
// Operations that cannot be carried out throw corvane::Failure.
class SerialPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialPort() override = default;

    virtual void setPortNumber(qint16 number) = 0;
    // The baud rate's digits followed by ",N,8,1".
    virtual void setSettings(const QString& settings) = 0;
    // 0: every read returns all characters waiting.
    virtual void setInputLength(int length) = 0;
    virtual void open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // All characters waiting, in arrival order, as 8-bit text.
    virtual QString readInput() = 0;
    // Drops whatever arrived after the last read.
    virtual void discardInput() = 0;

signals:
    // Raised on the user-interface thread whenever characters have arrived.
    void received();
    // A change of the link that the user should see ("port lost", "port back").
    void linkStatus(const QString& text);
};

using SerialPortFactory = std::function<std::unique_ptr<SerialPort>()>;

}  // namespace corvane
