// corvane-board itself, read through its COMn link as Corvane would read it.
#include "live_programs.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace corvane::e2e {
namespace {

const QString kBoard = QStringLiteral(CORVANE_BOARD_EXECUTABLE);
const QByteArray kFrameA = "[<V>756</V><I>612</I><R>35</R><M>0</M><S>40</S><C>1443</C>]";
const QByteArray kFrameB = "[<V>762</V><I>632</I><R>49</R><M>0</M><S>50</S><C>1493</C>]";

// The reading end of COMn, opened the way a serial port is: not as a controlling terminal.
class LineReader {
public:
    explicit LineReader(const QString& link)
        : m_fd(::open(QFile::encodeName(link).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
    }
    ~LineReader()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isOpen() const { return m_fd >= 0; }
    int reads = 0;
    bool hungUp = false;

    // Collects what arrives until `wanted` bytes are in or the line hangs up.
    QByteArray read(qsizetype wanted, milliseconds timeout)
    {
        QByteArray received;
        QDeadlineTimer deadline(timeout);
        while (received.size() < wanted && !hungUp && !deadline.hasExpired()) {
            pollfd watch{m_fd, POLLIN, 0};
            if (::poll(&watch, 1, 20) <= 0)
                continue;
            char buffer[256];
            const ssize_t count = ::read(m_fd, buffer, sizeof buffer);
            if (count > 0) {
                ++reads;
                received.append(buffer, count);
            } else if (watch.revents & (POLLHUP | POLLERR)) {
                hungUp = true;
            }
        }
        return received;
    }

    termios settings() const
    {
        termios s{};
        ::tcgetattr(m_fd, &s);
        return s;
    }

private:
    int m_fd = -1;
};

class BoardProgram : public testing::Test {
protected:
    QString link(int port) const { return folder.path(QStringLiteral("COM%1").arg(port)); }
    bool linked(int port) const { return QFileInfo(link(port)).isSymLink(); }
    QStringList arguments(int port, const QStringList& more) const
    {
        return QStringList{QStringLiteral("--folder"), folder.path(), QStringLiteral("--port"),
                           QString::number(port)} +
               more;
    }

    ProgramFolder folder;
    Program board;
};

TEST_F(BoardProgram, UnusableOptionsEndWithStatus2AndAReason)
{
    const QList<QStringList> cases = {
        {QStringLiteral("--bank"), QStringLiteral("13"), QStringLiteral("--folder"), folder.path()},
        {QStringLiteral("--folder"), folder.path(QStringLiteral("missing"))},
        {QStringLiteral("--folder"), folder.path(), QStringLiteral("--script"),
         folder.path(QStringLiteral("none"))},
        {QStringLiteral("--nonsense")},
    };
    for (const QStringList& arguments : cases) {
        Program bad;
        bad.start(kBoard, arguments);
        EXPECT_EQ(bad.finish(), 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(bad.output().contains(QStringLiteral("--help"))) << bad.output().toStdString();
    }
    Program help;
    help.start(kBoard, {QStringLiteral("--help")});
    EXPECT_EQ(help.finish(), 0);
    EXPECT_TRUE(help.output().contains(QStringLiteral("--hangup-after")));
}

// The frames wait for a reader, then arrive in pieces, byte for byte: a CR inside a frame
// stays a CR on a raw line.
TEST_F(BoardProgram, ScriptArrivesExactlyAndInPiecesOnARawLine)
{
    const QByteArray withCarriageReturn = "[<V>1</V>\r<I>2</I>]";
    folder.writeFile(QStringLiteral("script.txt"),
                     kFrameA + "\n" + withCarriageReturn + "\n" + kFrameB + "\n");
    board.start(kBoard, arguments(7, {QStringLiteral("--script"), folder.path(QStringLiteral("script.txt")),
                                      QStringLiteral("--rate"), QStringLiteral("10")}));
    ASSERT_TRUE(waitUntil([&] { return linked(7); }, milliseconds(10000))) << board.output().toStdString();
    QThread::msleep(500);  // nobody listens yet: nothing may be lost meanwhile

    LineReader reader(link(7));
    ASSERT_TRUE(reader.isOpen());
    const QByteArray expected = kFrameA + withCarriageReturn + kFrameB;
    EXPECT_EQ(reader.read(expected.size(), milliseconds(10000)).toStdString(), expected.toStdString());
    EXPECT_GT(reader.reads, 3) << "frames should arrive in pieces";

    const termios line = reader.settings();
    EXPECT_FALSE(line.c_lflag & (ECHO | ICANON));
    EXPECT_FALSE(line.c_iflag & (ICRNL | INLCR | IGNCR));
    EXPECT_FALSE(line.c_oflag & OPOST);

    EXPECT_EQ(board.finish(), 0) << board.output().toStdString();
    EXPECT_FALSE(linked(7)) << "the board removes its link when it ends";
}

TEST_F(BoardProgram, PulledAdapterComesBackOnTheSameLink)
{
    folder.writeFile(QStringLiteral("script.txt"), kFrameA + "\n" + kFrameB + "\n");
    board.start(kBoard, arguments(8, {QStringLiteral("--script"), folder.path(QStringLiteral("script.txt")),
                                      QStringLiteral("--hangup-after"), QStringLiteral("1"),
                                      QStringLiteral("--reopen-after"), QStringLiteral("1.5")}));
    ASSERT_TRUE(waitUntil([&] { return linked(8); }, milliseconds(10000))) << board.output().toStdString();
    {
        LineReader reader(link(8));
        EXPECT_EQ(reader.read(kFrameA.size(), milliseconds(10000)).toStdString(), kFrameA.toStdString());
        reader.read(1, milliseconds(5000));
        EXPECT_TRUE(reader.hungUp) << "pulling the adapter hangs up its reader";
        EXPECT_FALSE(linked(8)) << "a pulled adapter's COMn is gone";
    }
    ASSERT_TRUE(waitUntil([&] { return linked(8); }, milliseconds(10000))) << board.output().toStdString();
    LineReader again(link(8));
    EXPECT_EQ(again.read(kFrameB.size(), milliseconds(10000)).toStdString(), kFrameB.toStdString());
    EXPECT_EQ(board.finish(), 0);
}

TEST_F(BoardProgram, ReplacesAStaleLinkButNoOtherFile)
{
    QFile::link(folder.path(QStringLiteral("gone")), link(3));
    board.start(kBoard, arguments(3, {QStringLiteral("--count"), QStringLiteral("1")}));
    EXPECT_TRUE(waitUntil([&] { return QFileInfo(link(3)).symLinkTarget().startsWith(u"/dev/"); },
                          milliseconds(10000)));

    folder.writeFile(QStringLiteral("COM4"), "not a device");
    Program refused;
    refused.start(kBoard, arguments(4, {}));
    EXPECT_EQ(refused.finish(), 1);
    EXPECT_TRUE(refused.output().contains(QStringLiteral("not a link"))) << refused.output().toStdString();
    EXPECT_EQ(folder.readFile(QStringLiteral("COM4")), "not a device");
}

}  // namespace
}  // namespace corvane::e2e
