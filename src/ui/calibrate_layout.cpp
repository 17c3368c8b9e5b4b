// The calibration dialog's controls: four step blocks, the notice and the two buttons.
#include "ui/calibrate.h"
#include "ui/calibrate_texts.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <span>

namespace corvane {
namespace {

constexpr int kReadingWidth = 90;
constexpr int kPreviewWidth = 130;
constexpr int kDivisorWidth = 70;

QLabel* makeReading(QWidget* parent, const QString& text, int width)
{
    auto* label = new QLabel(text, parent);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(width);
    return label;
}

QLineEdit* makeDivisor(QWidget* parent, const QString& text)
{
    auto* box = new QLineEdit(text, parent);
    box->setFixedWidth(kDivisorWidth);
    box->setAlignment(Qt::AlignRight);
    return box;
}

// A block with a bold heading, its instruction and a row: reading, divisor, "=", preview.
QFrame* makeStep(QWidget* parent, const QString& heading, QLabel* instruction, QLabel* reading,
                 QLineEdit* divisor, QLabel* preview, QLayout* extra = nullptr)
{
    auto* block = new QFrame(parent);
    block->setFrameShape(QFrame::StyledPanel);
    auto* title = new QLabel(heading, block);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    auto* row = new QHBoxLayout;
    row->addWidget(reading);
    row->addWidget(divisor);
    row->addWidget(new QLabel(calibrate_text::equals, block));
    row->addWidget(preview);
    row->addStretch();

    auto* column = new QVBoxLayout(block);
    column->addWidget(title);
    column->addWidget(instruction);
    if (extra)
        column->addLayout(extra);
    column->addLayout(row);
    column->addStretch();
    return block;
}

QLabel* makeInstruction(QWidget* parent, std::span<const QString> lines)
{
    QStringList text;
    for (const QString& line : lines)
        text << line;
    return new QLabel(text.join(u'\n'), parent);
}

}  // namespace

void Calibrate::buildControls()
{
    txtBattV = makeReading(this, QStringLiteral("0"), kReadingWidth);
    BatteryVolts = makeDivisor(this, QStringLiteral("0"));
    txtBattVadjusted = makeReading(this, QString(), kPreviewWidth);
    Command2 = new QPushButton(calibrate_text::zero, this);
    OffsetV = makeReading(this, QStringLiteral("0"), kReadingWidth);
    txtShuntV = makeReading(this, QStringLiteral("0"), kReadingWidth);
    BatteryCurrent = makeDivisor(this, QStringLiteral("0"));
    txtBattAadjusted = makeReading(this, QString(), kPreviewWidth);
    txtPulsess = makeReading(this, QStringLiteral("0"), kReadingWidth);
    PulseDivider = makeDivisor(this, QStringLiteral("1"));
    txtWindmillRPM = makeReading(this, QString(), kPreviewWidth);
    Label23 = new QLabel(this);
    txtPulsess2 = makeReading(this, QStringLiteral("0"), kReadingWidth);
    Pulse2Divider = makeDivisor(this, QStringLiteral("1"));
    txtWindSpeed = makeReading(this, QString(), kPreviewWidth);

    auto* zeroRow = new QHBoxLayout;
    zeroRow->addWidget(Command2);
    zeroRow->addWidget(new QLabel(calibrate_text::offset, this));
    zeroRow->addWidget(OffsetV);
    zeroRow->addStretch();

    auto* steps = new QGridLayout;
    steps->addWidget(makeStep(this, calibrate_text::step1, makeInstruction(this, calibrate_text::step1Lines),
                              txtBattV, BatteryVolts, txtBattVadjusted),
                     0, 0);
    steps->addWidget(makeStep(this, calibrate_text::step2, makeInstruction(this, calibrate_text::step2Lines),
                              txtShuntV, BatteryCurrent, txtBattAadjusted, zeroRow),
                     0, 1);
    steps->addWidget(makeStep(this, calibrate_text::step3, makeInstruction(this, calibrate_text::step3Lines),
                              txtPulsess, PulseDivider, txtWindmillRPM),
                     1, 0);
    steps->addWidget(makeStep(this, calibrate_text::step4, Label23, txtPulsess2, Pulse2Divider, txtWindSpeed), 1, 1);

    m_notice = new QLabel(this);
    m_notice->setWordWrap(true);
    m_notice->setStyleSheet(QStringLiteral("color: rgb(170, 0, 0);"));
    m_notice->hide();

    Command6 = new QPushButton(calibrate_text::exit, this);
    Command1 = new QPushButton(calibrate_text::save, this);
    // Return in a divisor box must do nothing: as the toolkit's default it would press
    // "Zero" (and lose the offset) or another button the user did not choose.
    for (QPushButton* button : {Command2, Command6, Command1})
        button->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command6);
    buttons->addWidget(Command1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(steps);
    layout->addWidget(m_notice);
    layout->addLayout(buttons);
}

}  // namespace corvane
