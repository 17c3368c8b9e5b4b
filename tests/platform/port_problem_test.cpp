#include "platform/port_problem.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
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

TEST(PortProblem, ADeviceThisUserMayNotWriteIsForbidden)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser may use any device";
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("ttyUSB0")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(file.setPermissions(QFile::ReadOwner));
    EXPECT_EQ(classifyUnopenableDevice(file.fileName()), PortProblemKind::NoPermission);
}

}  // namespace
}  // namespace corvane
