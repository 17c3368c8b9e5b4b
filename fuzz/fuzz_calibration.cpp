// The calibration dialog over arbitrary input on its port and arbitrary divisor texts:
// settings.cfg as the input gives it, then chunks, "Zero" presses and retyped boxes in any
// order, then "Save Calibration" and a second opening. After every step the buffer holds
// no complete frame, the raw readings show as numbers, the previews carry their units, and
// the offset shown is the one in use; the second opening shows exactly what was saved.
//
// The input: one byte of options (which settings come from the input, and the unit), those
// texts, then steps. A step's first byte picks it: a chunk of the next bytes (its length
// from the step byte or the byte after it), "Zero", or a box retyped with the next bytes.
#include "config/config_files.h"
#include "fuzz_app.h"
#include "fuzz_input.h"
#include "testing/fake_clock.h"
#include "testing/fake_serial_port.h"
#include "testing/scripted_interaction.h"
#include "text/number_format.h"
#include "text/numeric_text.h"
#include "ui/calibrate.h"
#include "ui/calibrate_texts.h"

#include <QFile>
#include <array>
#include <memory>

namespace {
using namespace corvane;
using fuzz::FuzzInput;
using fuzz::require;
using fuzz::tagged;
using fuzz::writeFile;

using fuzz::kCalibration;
constexpr int kLongestText = 16;

class CalibrationRun {
public:
    CalibrationRun()
        : m_platform{fuzz::programFolder(), &m_clock, &m_user, [this] {
                         auto port = std::make_unique<FakeSerialPort>();
                         m_port = port.get();
                         return port;
                     }}
    {
    }

    void open(FuzzInput& input)
    {
        const uint8_t options = input.byte();
        QByteArray settings = "Calibration Settings\r\n\r\n\r\n";
        for (int i = 0; i < 5; ++i) {
            const bool fromInput = options & (1u << i);
            settings += tagged(kCalibration[i].key,
                               fromInput ? input.bytes(input.byte() % (kLongestText + 1)) : QByteArray(kCalibration[i].usual));
        }
        m_units = (options & 0x20) ? input.bytes(input.byte() % 8) : QByteArray("km/h");
        writeFile(m_platform.path(kProgramConfigFile),
                  "Program Config File\r\n\r\n" + tagged("Port", "1") + tagged("BR", "4800") + tagged("WSUnits", m_units));
        writeFile(m_platform.path(kCalibrationFile), settings);

        m_dialog = std::make_unique<Calibrate>(m_platform, nullptr);
        m_dialog->Form_Load();
        require(m_port != nullptr && m_port->isOpen(), "the dialog opens its port");
    }

    void step(FuzzInput& input)
    {
        const uint8_t kind = input.byte();
        const int detail = kind >> 3;
        switch (kind & 7) {
        case 0: case 1: case 2: case 3: case 4:
            m_port->deliver(input.text(detail));
            break;
        case 5:
            m_port->deliver(input.text(input.byte()));
            break;
        case 6:
            m_dialog->Command2_Click();
            require(m_dialog->offset() == m_dialog->txtShuntV->text(), "Zero takes the shunt reading as shown");
            break;
        default:
            boxes()[detail % 4]->setText(input.shortText(kLongestText));
            break;
        }
        check();
    }

    // Save, then open the dialog again: it shows what was saved.
    void saveAndReopen()
    {
        const std::array<QString, 4> typed{m_dialog->BatteryVolts->text(), m_dialog->BatteryCurrent->text(),
                                           m_dialog->PulseDivider->text(), m_dialog->Pulse2Divider->text()};
        const QString offset = m_dialog->offset();
        m_dialog->Command1_Click();
        require(!m_port->isOpen(), "saving closes the port");
        for (const QString& text : typed)
            if (text.contains(u'<') || offset.contains(u'<'))
                return;  // a typed tag changes what the file says; the reading rule decides then

        m_dialog = std::make_unique<Calibrate>(m_platform, nullptr);
        m_dialog->Form_Load();
        const std::optional<double> ampDivider = numericValue(typed[1]);
        require(m_dialog->BatteryVolts->text() == typed[0] && m_dialog->PulseDivider->text() == typed[2]
                    && m_dialog->Pulse2Divider->text() == typed[3] && m_dialog->offset() == offset,
                "the dialog shows the values it saved");
        require(m_dialog->BatteryCurrent->text() == (ampDivider ? generalNumberText(*ampDivider) : typed[1]),
                "the amps divisor shows as saved, in general form when it is a number");
    }

private:
    std::array<QLineEdit*, 4> boxes() const
    {
        return {m_dialog->BatteryVolts, m_dialog->BatteryCurrent, m_dialog->PulseDivider, m_dialog->Pulse2Divider};
    }

    void check() const
    {
        const Calibrate& d = *m_dialog;
        const QString& buffer = d.receiveBuffer();
        require(!(buffer.contains(u'[') && buffer.contains(u']')), "a complete frame never waits in the buffer");
        require(isNumericText(d.txtBattV->text()) && isNumericText(d.txtShuntV->text()),
                "the raw readings show as numbers");
        for (const QLabel* pulses : {d.txtPulsess, d.txtPulsess2})
            require(pulses->text().isEmpty() || isNumericText(pulses->text()), "pulse counts show as received numbers");
        require(d.txtWindmillRPM->text().isEmpty() || d.txtWindmillRPM->text().endsWith(QStringLiteral(" RPM")),
                "the RPM preview carries its unit");
        // The unit as the dialog read it from prog.cfg, from its question "How many pulses per km/h?".
        const QString question = d.Label23->text();
        const QString units = question.mid(calibrate_text::pulsesPer.size(),
                                           question.size() - calibrate_text::pulsesPer.size() - 1);
        require(d.txtWindSpeed->text().isEmpty() || d.txtWindSpeed->text().endsWith(u' ' + units),
                "the wind-speed preview carries its unit");
        require(d.txtBattVadjusted->text().isEmpty() || d.txtBattVadjusted->text().endsWith(QStringLiteral(" Volts")),
                "the volts preview carries its unit");
        require(d.txtBattAadjusted->text().isEmpty() || d.txtBattAadjusted->text().endsWith(QStringLiteral(" Amps")),
                "the amps preview carries its unit");
        require(d.OffsetV->text() == d.offset(), "the offset shown is the one in use");
    }

    FakeClock m_clock;
    ScriptedInteraction m_user;
    FakeSerialPort* m_port = nullptr;
    Platform m_platform;
    QByteArray m_units;
    std::unique_ptr<Calibrate> m_dialog;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::application();
    FuzzInput input(data, size);
    CalibrationRun run;
    run.open(input);
    while (!input.atEnd())
        run.step(input);
    run.saveAndReopen();
    return 0;
}
