// tools/demo.sh lays out the demo folder for the bank the board simulates.
#include "live_programs.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

namespace corvane::e2e {
namespace {

TEST(DemoScript, TheSystemVoltageFollowsTheBank)
{
    const struct {
        QStringList options;
        const char* sv;
    } cases[] = {
        {{}, "<SV>24</SV>"},
        {{QStringLiteral("--bank"), QStringLiteral("48")}, "<SV>48</SV>"},
        {{QStringLiteral("--bank=12"), QStringLiteral("--seed"), QStringLiteral("7")}, "<SV>12</SV>"},
        {{QStringLiteral("--bank"), QStringLiteral("48"), QStringLiteral("--bank"), QStringLiteral("12")},
         "<SV>12</SV>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.join(u' ').toStdString());
        QTemporaryDir demo;
        QProcess script;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("CORVANE_DEMO_FOLDER"), demo.path());
        // In place of Corvane: a program that ends at once, which stops the board.
        environment.insert(QStringLiteral("CORVANE_DEMO_PROGRAM"), QStringLiteral("true"));
        script.setProcessEnvironment(environment);
        script.setProcessChannelMode(QProcess::MergedChannels);
        script.start(QStringLiteral(CORVANE_SOURCE_DIR "/tools/demo.sh"),
                     QStringList{QFileInfo(QStringLiteral(CORVANE_BOARD_EXECUTABLE)).path()} + c.options);
        ASSERT_TRUE(script.waitForFinished(20000));
        EXPECT_EQ(script.exitCode(), 0) << script.readAll().toStdString();

        QFile prog(demo.filePath(QStringLiteral("prog.cfg")));
        ASSERT_TRUE(prog.open(QIODevice::ReadOnly));
        EXPECT_TRUE(prog.readAll().contains(QByteArray(c.sv) + "\r\n"));
    }
}

}  // namespace
}  // namespace corvane::e2e
