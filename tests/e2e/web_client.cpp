#include "web_client.h"

#include <QDeadlineTimer>
#include <QSslSocket>

namespace corvane::e2e {

QByteArray HttpAnswer::header(const QByteArray& name) const
{
    for (const auto& [key, value] : headers)
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return {};
}

HttpAnswer httpRequest(int port, const QByteArray& method, const QByteArray& target,
                       const QList<QByteArray>& extraHeaders, bool tls)
{
    QSslSocket socket;
    if (tls) {
        socket.setPeerVerifyMode(QSslSocket::VerifyNone);
        socket.connectToHostEncrypted(QStringLiteral("127.0.0.1"), static_cast<quint16>(port));
        if (!socket.waitForEncrypted(5000))
            return {};
    } else {
        socket.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(port));
        if (!socket.waitForConnected(5000))
            return {};
    }
    QByteArray request = method + ' ' + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) + "\r\n";
    for (const QByteArray& line : extraHeaders)
        request += line + "\r\n";
    socket.write(request + "\r\n");

    // Reads until the head is in and then Content-Length bytes of body (none for HEAD).
    QByteArray data;
    HttpAnswer answer;
    qsizetype headEnd = -1;
    qsizetype length = -1;
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (headEnd < 0 && (headEnd = data.indexOf("\r\n\r\n")) >= 0) {
            const QList<QByteArray> lines = data.left(headEnd).split('\n');
            answer.status = lines.value(0).split(' ').value(1).toInt();
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const QByteArray line = lines[i].trimmed();
                const qsizetype colon = line.indexOf(':');
                if (colon > 0)
                    answer.headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
            }
            length = method == "HEAD" ? 0 : answer.header("Content-Length").toLongLong();
        }
        if (headEnd >= 0 && data.size() - headEnd - 4 >= length) {
            answer.body = data.mid(headEnd + 4, length);
            return answer;
        }
        if (socket.state() != QAbstractSocket::ConnectedState && socket.bytesAvailable() == 0)
            break;
        if (socket.waitForReadyRead(200))
            data += socket.readAll();
    }
    data += socket.readAll();
    if (headEnd >= 0)
        answer.body = data.mid(headEnd + 4);
    return answer;
}

}  // namespace corvane::e2e
