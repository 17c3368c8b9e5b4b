#include "support/test_folder.h"

#include <QFile>
#include <QFileInfo>

namespace corvane::test {

TestFolder::TestFolder()
{
    m_platform.programFolder = m_dir.path();
    m_platform.clock = &clock;
    m_platform.interaction = &user;
    m_platform.makeSerialPort = [this] {
        auto port = std::make_unique<FakeSerialPort>();
        port->unavailablePorts = unavailablePorts;
        ports.push_back(port.get());
        return port;
    };
}

void TestFolder::write(const QString& name, const QByteArray& bytes) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write test file");
    file.write(bytes);
}

QByteArray TestFolder::read(const QString& name) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool TestFolder::exists(const QString& name) const { return QFileInfo::exists(path(name)); }

}  // namespace corvane::test
