#include "platform/port_problem.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvane {
namespace {

TEST(PortProblem, OnlyPortFailuresCarryAReason)
{
    const PortFailure busy({PortProblemKind::Busy, QStringLiteral("/dev/ttyUSB0")}, QStringLiteral("busy"));
    const Failure& asFailure = busy;
    EXPECT_EQ(portProblemOf(asFailure).kind, PortProblemKind::Busy);
    EXPECT_EQ(portProblemOf(asFailure).device, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(portProblemOf(Failure(QStringLiteral("File not found"))).kind, PortProblemKind::Other);
    EXPECT_EQ(portProblemAdvice({}, QStringLiteral("File not found: prog.cfg")),
              QStringLiteral("Reason: File not found: prog.cfg.\nTo fix it, check the port number and the adapter in "
                             "Program Setup."));
}

TEST(PortProblem, ADeviceThatWillNotOpenIsMissingForbiddenOrBusy)
{
    QTemporaryDir dir;
    const QString device = dir.filePath(QStringLiteral("ttyUSB0"));
    const QString link = dir.filePath(QStringLiteral("COM4"));
    EXPECT_EQ(classifyUnopenableDevice(device), PortProblemKind::Missing);

    ASSERT_TRUE(QFile::link(device, link));
    EXPECT_EQ(classifyUnopenableDevice(link), PortProblemKind::Missing) << "a link to a vanished terminal";

    QFile file(device);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(classifyUnopenableDevice(link), PortProblemKind::Busy);
}

// The superuser may use any device, so as root the check runs in a child that has become
// the unprivileged user "nobody".
PortProblemKind classifyAsUnprivileged(const QString& device)
{
    if (::geteuid() != 0)
        return classifyUnopenableDevice(device);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(100);
        ::_exit(static_cast<int>(classifyUnopenableDevice(device)));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 100) << "could not become the user nobody";
    return static_cast<PortProblemKind>(WEXITSTATUS(status));
}

TEST(PortProblem, ADeviceThisUserMayNotWriteIsForbidden)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                      QFile::ReadOther | QFile::ExeOther));
    QFile file(dir.filePath(QStringLiteral("ttyUSB0")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(file.setPermissions(QFile::ReadOwner | QFile::ReadOther));
    EXPECT_EQ(classifyAsUnprivileged(file.fileName()), PortProblemKind::NoPermission);
}

}  // namespace
}  // namespace corvane
