// What the main window shows for each frame, and that showing it stays cheap: rows kept
// and updated in place, long texts cut with their whole text in the tooltip.
#include "main_window_fixture.h"

#include "ui/single_line_label.h"

#include <QCoreApplication>
#include <QImage>
#include <QScreen>
#include <QWindow>
#include <QStyledItemDelegate>

namespace corvane::test {
namespace {
using namespace Qt::StringLiterals;

const QString kFrameA = QStringLiteral("[<V>745</V><I>512</I><R>12</R><M>3</M><S>40</S><C>1309</C>]");
const QString kFrameB = QStringLiteral("[<V>761</V><I>530</I><R>15</R><M>3</M><S>44</S><C>1350</C>]");
// Values too wide for their column, which are cut.
const QString kFrameWide = QStringLiteral("[<V>99999</V><I>99999</I><R>999999</R><S>999999</S><C>2199996</C>]");

// A frame with the given readings and the line end that precedes it in a stream.
QString frameWith(int v, int i, int r, int s)
{
    return QStringLiteral("\r\n[<V>%1</V><I>%2</I><R>%3</R><S>%4</S><C>%5</C>]").arg(v).arg(i).arg(r).arg(s).arg(v + i + r + s);
}

class Display : public MainWindowTest {
protected:
    void SetUp() override
    {
        prog.DisplayRPM = QStringLiteral("1");
        prog.DisplayWS = QStringLiteral("1");
        calibration.RPMDivider = QStringLiteral("60");  // revs shown as RPM
        start();
        window->show();
    }
    QList<const QTreeWidgetItem*> items() const
    {
        QList<const QTreeWidgetItem*> rows;
        for (int i = 0; i < window->ListView1->topLevelItemCount(); ++i)
            rows << window->ListView1->topLevelItem(i);
        return rows;
    }
    QImage listImage() const { return window->ListView1->grab().toImage(); }
};

TEST_F(Display, RowsAreUpdatedInPlaceWhileTheirUnitsStay)
{
    port().deliver(kFrameA);
    const QList<const QTreeWidgetItem*> first = items();
    ASSERT_EQ(first.size(), 6);
    port().deliver(kFrameB);
    EXPECT_EQ(items(), first);
    EXPECT_EQ(liveRows(), (QStringList{u"761.00|Volts"_s, u"530.0|Amps"_s, u"403330.0|Watts"_s,
                                       u"0.0|WattHours"_s, u"15|RPM"_s, u"44|km/h"_s}))
        << liveRows().join(u", ").toStdString();
    EXPECT_TRUE(errorLog().isEmpty()) << errorLog().toStdString();

    // Other rows (wind speed no longer shown) are laid out afresh.
    window->DisplayWS = QStringLiteral("0");
    port().deliver(kFrameA);
    EXPECT_EQ(liveRows(), (QStringList{u"745.00|Volts"_s, u"512.0|Amps"_s, u"381440.0|Watts"_s,
                                       u"0.0|WattHours"_s, u"12|RPM"_s}));
}

// The list's own painter draws exactly what the standard one would.
TEST_F(Display, TheLiveListLooksAsWithTheStandardPainter)
{
    for (const QString& frame : {kFrameA, kFrameB, kFrameWide, frameWith(3, 1023, 2, 7)}) {
        port().deliver(frame);
        const QImage own = listImage();
        QAbstractItemDelegate* ownDelegate = window->ListView1->itemDelegate();
        QStyledItemDelegate standard;
        window->ListView1->setItemDelegate(&standard);
        const QImage expected = listImage();
        window->ListView1->setItemDelegate(ownDelegate);
        EXPECT_EQ(own, expected);
    }
}

// The last-error line and the frame line show texts longer than the window is wide cut
// with "…", and the whole text in their tooltip.
TEST_F(Display, TextsWiderThanTheMessageAreaAreCutWithTheWholeTextInTheTooltip)
{
    for (QLabel* shown : {window->ErrorString, window->Label2}) {
        auto* label = qobject_cast<SingleLineLabel*>(shown);
        ASSERT_NE(label, nullptr);
        const int heightBefore = label->height();
        const QRect placeBefore = label->geometry();

        label->setText(QStringLiteral("short"));
        EXPECT_EQ(label->shownText(), u"short");
        EXPECT_EQ(label->tooltipText(), QString());

        const QString whole = QStringLiteral("  Last Error trapped  14:05  ---  port not available  ")
                              + QString(200, u'x') + QStringLiteral(" the end");
        label->setText(whole);
        QCoreApplication::processEvents();
        EXPECT_TRUE(label->shownText().endsWith(QChar(0x2026))) << label->shownText().toStdString();
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->shownText()), label->contentsRect().width());
        EXPECT_EQ(label->tooltipText(), whole);
        label->setToolTip(QStringLiteral("Not written to the error log: disk full"));
        EXPECT_EQ(label->tooltipText(), whole + u"\nNot written to the error log: disk full"_s);
        EXPECT_EQ(label->height(), heightBefore);
        EXPECT_EQ(label->geometry(), placeBefore);
    }
}

// A frame repaints only its changed cells, over a plain fill of the list's panel, and the
// frame line: what is on screen must still be what painting the whole window shows.
TEST_F(Display, WhatIsOnScreenIsWhatPaintingTheWholeWindowShows)
{
    QCoreApplication::processEvents();
    const int readings[][4] = {{745, 512, 12, 40}, {761, 530, 15, 44}, {1023, 1, 999, 1000},
                               {1, 1023, 1, 1}, {1, 1023, 1, 1}, {12, 34, 56, 78}};
    for (const auto& reading : readings) {
        port().deliver(frameWith(reading[0], reading[1], reading[2], reading[3]));
        QCoreApplication::processEvents();
        const QImage onScreen = window->windowHandle()->screen()->grabWindow(window->winId()).toImage();
        const QImage whole = window->grab().toImage();
        EXPECT_EQ(onScreen.convertToFormat(QImage::Format_RGB32), whole.convertToFormat(QImage::Format_RGB32))
            << window->windowTitle().toStdString();
    }
    EXPECT_TRUE(errorLog().isEmpty()) << errorLog().toStdString();
}

// Texts that surely fit are shown without being measured; every text must still be shown
// exactly as the font's own cutting gives it.
TEST_F(Display, TheMessageLinesCutTextsAsTheFontDoes)
{
    for (QLabel* shown : {window->ErrorString, window->Label2}) {
        auto* label = qobject_cast<SingleLineLabel*>(shown);
        ASSERT_NE(label, nullptr);
        const int width = label->contentsRect().width();
        const QFontMetrics metrics = label->fontMetrics();
        QStringList texts{kFrameA, u"\r\n"_s + kFrameB, QString(), u"Port back: waiting for COMM data"_s};
        for (const QChar c : {u'W', u'i', u'.'}) {
            const int fitting = width / metrics.horizontalAdvance(c);
            texts << QString(fitting, c) << QString(fitting + 1, c);
        }
        texts << QString(12, u'\t') + kFrameA                  // a tab reaches the next tab stop
              << QString(width / metrics.horizontalAdvance(u'W'), QChar(0x00c6))  // wider letters
              << QString(40, QChar(0x6f22))                     // another script's font
              << u"\u00e9t\u00e9 "_s.repeated(30);
        for (const QString& text : texts) {
            label->setText(text);
            EXPECT_EQ(label->shownText(), metrics.elidedText(text, Qt::ElideRight, width))
                << label->objectName().toStdString() << ": " << text.toStdString();
        }
    }
}

// Plain texts are drawn line by line rather than through the style's paragraph layout:
// they must look exactly as the style draws them (which it does for the same alignment
// given as absolute).
TEST_F(Display, TheMessageLinesDrawPlainTextsAsTheStyleDoes)
{
    const QStringList texts{kFrameA,
                            u"\r\n"_s + kFrameB,
                            kFrameB + u"\r\n"_s,
                            u"\r\n\r\n"_s + kFrameA,
                            u"one\ntwo\nthree"_s,
                            u"  Last Error trapped  14:05  ---  corrupt Volts COMM data"_s,
                            u"gjpqy_|"_s};
    for (QLabel* label : {window->ErrorString, window->Label2}) {
        for (const QString& text : texts) {
            label->setText(text);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            const QImage drawnHere = label->grab().toImage();
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter | Qt::AlignAbsolute);
            const QImage drawnByStyle = label->grab().toImage();
            EXPECT_EQ(drawnHere, drawnByStyle) << (label == window->Label2 ? "frame line: " : "error line: ") << texts.indexOf(text);
        }
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

}  // namespace
}  // namespace corvane::test
