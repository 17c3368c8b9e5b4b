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
    // The characters of one notification, as 8-bit text; the real port hands over what
    // its reader joined or cut (PieceHandover), the fake all that arrived since the last read.
    virtual QString readInput() = 0;
    // Drops characters still waiting in the device after the read, never a hand-over the
    // reader has already made; the real port's reader leaves none waiting.
    virtual void discardInput() = 0;

signals:
    // Raised on the user-interface thread once for each hand-over of characters.
    void received();
    // A change of the link that the user should see ("port lost", "port back").
    void linkStatus(const QString& text);
};

using SerialPortFactory = std::function<std::unique_ptr<SerialPort>()>;

}  // namespace corvane
