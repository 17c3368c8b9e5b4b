#include "desktop/stderr_interaction.h"

#include "testing/fake_clock.h"

#include <QDialog>
#include <cstdio>
#include <gtest/gtest.h>

namespace corvane {
namespace {

const QDateTime kWhen(QDate(2026, 3, 7), QTime(4, 5, 9));

TEST(StderrInteraction, EachMessageIsOneDatedLine)
{
    EXPECT_EQ(stderrLine(kWhen, QStringLiteral("Invalid delay")), QStringLiteral("2026-03-07 04:05:09 corvane: Invalid delay\n"));
    EXPECT_EQ(stderrLine(kWhen, QStringLiteral("There is a problem.\n\nCOM3 not found\r\nTo fix it, plug it in.\n")),
              QStringLiteral("2026-03-07 04:05:09 corvane: There is a problem. / COM3 not found / To fix it, plug it in.\n"));
}

TEST(StderrInteraction, MessagesAndDialogsReachTheStreamAndNoDialogWaits)
{
    FakeClock clock(kWhen);
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    StderrInteraction interaction(clock, stream);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Program Setup"));

    interaction.message(nullptr, QStringLiteral("first\nsecond"));
    interaction.showModal(dialog);
    const QString chosen = interaction.chooseSaveFile(nullptr, QStringLiteral("Save the summary"), QStringLiteral("/tmp/a.csv"));

    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(chosen.isEmpty());
    std::rewind(stream);
    char text[512] = {};
    const size_t size = std::fread(text, 1, sizeof text - 1, stream);
    std::fclose(stream);
    EXPECT_EQ(QString::fromLocal8Bit(text, static_cast<qsizetype>(size)),
              QStringLiteral("2026-03-07 04:05:09 corvane: first / second\n"
                             "2026-03-07 04:05:09 corvane: \"Program Setup\" needs a screen; closed unanswered\n"
                             "2026-03-07 04:05:09 corvane: \"Save the summary\" needs a screen; cancelled\n"));
}

}  // namespace
}  // namespace corvane
