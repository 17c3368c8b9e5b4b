#pragma once

#include "platform/platform.h"
#include "testing/fake_clock.h"
#include "testing/fake_serial_port.h"
#include "testing/scripted_interaction.h"

#include <QString>
#include <QTemporaryDir>
#include <vector>

namespace corvane::test {

// A temporary program folder with a fake clock, a scripted user and fake serial ports.
class TestFolder {
public:
    TestFolder();

    const QString& path() const { return m_platform.programFolder; }
    QString path(const QString& name) const { return m_platform.path(name); }

    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;

    const Platform& platform() const { return m_platform; }
    FakeClock clock;
    ScriptedInteraction user;
    // Every port the platform has made, in order; the main window's port is the first.
    std::vector<FakeSerialPort*> ports;
    // Port numbers that cannot be opened by the ports made from now on.
    QSet<int> unavailablePorts;

private:
    QTemporaryDir m_dir;
    Platform m_platform;
};

}  // namespace corvane::test
