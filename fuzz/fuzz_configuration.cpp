// Arbitrary configuration files through the reading rule and the main window's loading.
#include "config/tag_value.h"
#include "fuzz_app.h"
#include "testing/fake_clock.h"
#include "testing/fake_serial_port.h"
#include "testing/scripted_interaction.h"
#include "text/failure.h"
#include "ui/corvane_main.h"

#include <QFile>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace corvane;
    fuzz::application();
    static FakeClock clock;
    static ScriptedInteraction user;
    static Platform platform{fuzz::programFolder(), &clock, &user,
                             [] { return std::make_unique<FakeSerialPort>(); }};
    static CorvaneMain window(platform);

    // The input is both files, split at the first NUL byte.
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype split = input.indexOf('\0');
    const QByteArray prog = split < 0 ? input : input.left(split);
    const QByteArray settings = split < 0 ? input : input.mid(split + 1);

    const QString progText = QString::fromLatin1(prog);
    for (const char* key : {"Port", "BR", "LogDelay", "LogOn", "DisplayRPM", "DisplayWS", "WSUnits",
                            "dispMessages", "SV", "MA", "VoltDivider"}) {
        try {
            const QString value = TagValue(progText, QString::fromLatin1(key));
            if (value.size() > progText.size())
                std::abort();  // a value is always a part of the text
        } catch (const Failure&) {
        }
    }

    fuzz::writeFile(platform.path(QStringLiteral("prog.cfg")), prog);
    fuzz::writeFile(platform.path(QStringLiteral("settings.cfg")), settings);
    try {
        window.LoadConfiguration();
    } catch (const Failure&) {
    }
    return 0;
}
