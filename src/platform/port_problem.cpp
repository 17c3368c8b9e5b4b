#include "platform/port_problem.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

namespace corvane {

PortProblem portProblemOf(const Failure& failure)
{
    if (const auto* port = dynamic_cast<const PortFailure*>(&failure))
        return port->problem();
    return {};
}

QString portProblemAdvice(const PortProblem& problem, const QString& reason)
{
    const QString& device = problem.device;
    switch (problem.kind) {
    case PortProblemKind::NoPermission:
        return QStringLiteral("No permission to use %1.\n"
                              "To fix it, add yourself to the group dialout (sudo adduser $USER dialout) and log in again.")
            .arg(device);
    case PortProblemKind::Busy:
        return QStringLiteral("%1 is in use by another program.\n"
                              "To fix it, close the other program (another Corvane, a terminal program, a modem manager).")
            .arg(device);
    case PortProblemKind::Missing:
        return QStringLiteral("%1 not found: is the adapter plugged in?\n"
                              "To fix it, plug in the adapter, or choose the port it is on in Program Setup.")
            .arg(device);
    case PortProblemKind::InvalidNumber:
        if (device.isEmpty())
            return QStringLiteral("No port number is configured.\n"
                                  "To fix it, check that prog.cfg is in the program folder, or choose a port in "
                                  "Program Setup.");
        return QStringLiteral("\"%1\" is not a usable port number.\n"
                              "To fix it, choose a port from 1 to 255 in Program Setup, or 0 for no port.")
            .arg(device);
    case PortProblemKind::InvalidBaudRate:
        return QStringLiteral("\"%1\" is not a usable baud rate.\n"
                              "To fix it, choose the board's baud rate in Program Setup.")
            .arg(device);
    case PortProblemKind::Other:
        break;
    }
    return QStringLiteral("Reason: %1.\n"
                          "To fix it, check the port number and the adapter in Program Setup.")
        .arg(reason);
}

PortProblemKind classifyUnopenableDevice(const QString& device)
{
    const QFileInfo info(device);
    if (!info.exists())
        return PortProblemKind::Missing;
    const QByteArray name = QFile::encodeName(info.canonicalFilePath());
    if (::access(name.constData(), R_OK | W_OK) != 0)
        return errno == ENOENT ? PortProblemKind::Missing : PortProblemKind::NoPermission;
    return PortProblemKind::Busy;
}

}  // namespace corvane
