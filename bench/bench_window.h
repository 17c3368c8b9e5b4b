#pragma once

// The real main window as the frame-path benchmarks drive it: all six rows shown, logging
// on, fed by a fake port, in a program folder of its own.
#include "platform/platform.h"
#include "testing/fake_clock.h"
#include "testing/fake_serial_port.h"
#include "testing/scripted_interaction.h"
#include "ui/corvane_main.h"

#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace corvane {

inline void writeBenchFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(text);
}

// 53 characters with the line end, well inside the 60 allowed.
inline const QString kBenchFrame = QStringLiteral("[<V>745</V><I>512</I><R>12</R><S>40</S><C>1309</C>]\r\n");

class BenchWindow {
public:
    // `mqttConfig`, when not empty, is written as mqtt.cfg before the window starts.
    explicit BenchWindow(const QByteArray& mqttConfig = {})
    {
        writeBenchFile(m_folder.filePath(QStringLiteral("prog.cfg")),
                       "Program Config File\r\n\r\n<Port>0</Port>\r\n<Savehtml>0</Savehtml>\r\n"
                       "<SaveExcel>0</SaveExcel>\r\n<LogDelay>60</LogDelay>\r\n<LogOn>0</LogOn>\r\n"
                       "<DisplayRPM>1</DisplayRPM>\r\n<DisplayWS>1</DisplayWS>\r\n<WSUnits>km/h</WSUnits>\r\n"
                       "<SV>24</SV>\r\n<MA>20</MA>\r\n<BR>9600</BR>\r\n<dispMessages>1</dispMessages>\r\n\r\n");
        writeBenchFile(m_folder.filePath(QStringLiteral("settings.cfg")),
                       "Calibration Settings\r\n\r\n\r\n<VoltDivider>59.127</VoltDivider>\r\n"
                       "<VoltOffset>500</VoltOffset>\r\n<AmpDivider>3.8</AmpDivider>\r\n"
                       "<RPMDivider>3</RPMDivider>\r\n<WSDivider>10</WSDivider>\r\n");
        if (!mqttConfig.isEmpty())
            writeBenchFile(m_folder.filePath(QStringLiteral("mqtt.cfg")), mqttConfig);
        m_platform.programFolder = m_folder.path();
        m_platform.clock = &m_clock;
        m_platform.interaction = &m_user;
        m_platform.makeSerialPort = [this] {
            auto port = std::make_unique<FakeSerialPort>();
            m_port = port.get();
            return port;
        };
        window = std::make_unique<CorvaneMain>(m_platform);
        window->show();
        window->Form_Load();
        window->StartLogging_Click();
    }

    FakeSerialPort& port() { return *m_port; }
    const Platform& platform() const { return m_platform; }
    bool anyErrorLogged() const { return QFile::exists(m_folder.filePath(QStringLiteral("errorlog.txt"))); }

    std::unique_ptr<CorvaneMain> window;

private:
    QTemporaryDir m_folder;
    FakeClock m_clock;
    ScriptedInteraction m_user;
    Platform m_platform;
    FakeSerialPort* m_port = nullptr;
};

}  // namespace corvane
