// What the main window shows for each frame, and that showing it stays cheap: rows kept
// and updated in place, long texts cut with their whole text in the tooltip.
#include "main_window_fixture.h"

#include "ui/single_line_label.h"

#include <QCoreApplication>
#include <QImage>
#include <QStyledItemDelegate>

namespace corvane::test {
namespace {
using namespace Qt::StringLiterals;

const QString kFrameA = QStringLiteral("[<V>745</V><I>512</I><R>12</R><M>3</M><S>40</S><C>1309</C>]");
const QString kFrameB = QStringLiteral("[<V>761</V><I>530</I><R>15</R><M>3</M><S>44</S><C>1350</C>]");

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
    for (const QString& frame : {kFrameA, kFrameB}) {
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

}  // namespace
}  // namespace corvane::test
