#include "desktop/display_check.h"

#include <QFile>
#include <QRegularExpression>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace corvane {
namespace {

bool connects(const QString& socketName)
{
    const QByteArray name = QFile::encodeName(socketName);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (name.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size());
    if (name.startsWith('@'))
        address.sun_path[0] = '\0';  // abstract: the length, not a terminator, ends the name
    else
        ++length;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    ::close(fd);
    return ok;
}

QString environmentText(const char* name) { return QString::fromLocal8Bit(qgetenv(name)); }

}  // namespace

bool displayAvailable(const DisplayEnvironment& environment,
                      const std::function<bool(const QString& socket)>& socketAnswers)
{
    // A platform chosen by name (offscreen, vnc, eglfs, ...) needs no display server;
    // xcb and wayland are checked below like the default.
    const QString platform = environment.qpaPlatform.section(u':', 0, 0).section(u';', 0, 0).trimmed();
    if (!platform.isEmpty() && platform != u"xcb" && !platform.startsWith(u"wayland"))
        return true;

    if (!environment.waylandDisplay.isEmpty() && platform != u"xcb") {
        const QString socket = environment.waylandDisplay.startsWith(u'/')
                                   ? environment.waylandDisplay
                                   : environment.runtimeDir + u'/' + environment.waylandDisplay;
        if (socketAnswers(socket))
            return true;
    }

    // Only a local X display (":N" or "unix:N") can be checked cheaply; one on another
    // host (forwarded over ssh, say) is taken on trust.
    static const QRegularExpression local(QStringLiteral("^(?:unix)?:(\\d+)(?:\\.\\d+)?$"));
    const QString& display = environment.x11Display;
    if (display.isEmpty())
        return false;
    const QRegularExpressionMatch match = local.match(display);
    if (!match.hasMatch())
        return true;
    const QString socket = QStringLiteral("/tmp/.X11-unix/X") + match.captured(1);
    return socketAnswers(u'@' + socket) || socketAnswers(socket);
}

bool displayAvailable()
{
    return displayAvailable({environmentText("QT_QPA_PLATFORM"), environmentText("WAYLAND_DISPLAY"),
                             environmentText("DISPLAY"), environmentText("XDG_RUNTIME_DIR")},
                            connects);
}

}  // namespace corvane
