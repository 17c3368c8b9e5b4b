#pragma once

// What the fault tests over damaged configuration files share: the keys of both files, the
// rule that says which keys survive a cut, what the dialogs save from a cut file, and a main
// window fixture whose start-up is answered with Abort.
#include "main_window_fixture.h"

#include "platform/files.h"
#include "ui/program_setup.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

namespace corvane::test {

inline const QString kPortProblem = QStringLiteral("There is a possible Port Number problem. Check available PORTS");
inline const QString kSetupNoticeStart = QStringLiteral("Not everything could be read; check these before saving:");
inline const QString kCalibrateNoticeStart = QStringLiteral("Not everything could be read:");
// Scaled with VoltDivider 2, VoltOffset 512, AmpDivider 10: 372.50 V and 2.0 A.
inline const QString kBoardFrame = QStringLiteral("[<V>745</V><I>532</I><R>7</R><S>13</S>]");
inline const QStringList kProgKeys = {
    QStringLiteral("Port"),       QStringLiteral("Savehtml"),  QStringLiteral("SaveExcel"), QStringLiteral("LogDelay"),
    QStringLiteral("LogOn"),      QStringLiteral("DisplayRPM"), QStringLiteral("DisplayWS"), QStringLiteral("WSUnits"),
    QStringLiteral("SV"),         QStringLiteral("MA"),        QStringLiteral("BR"),        QStringLiteral("dispMessages")};
inline const QStringList kCalibrationKeys = {QStringLiteral("VoltDivider"), QStringLiteral("VoltOffset"),
                                             QStringLiteral("AmpDivider"), QStringLiteral("RPMDivider"),
                                             QStringLiteral("WSDivider")};

// A key can be read from a file cut short only if its closing tag survived whole.
inline bool complete(const QString& text, const QString& key)
{
    return text.contains(QStringLiteral("</") + key + u'>');
}

// The notice a dialog shows for the keys a cut file lost; empty when none was lost.
inline QString missingNotice(const QString& heading, const QStringList& keys, const QString& cut,
                             const QString& fileName)
{
    QStringList notice{heading};
    for (const QString& key : keys) {
        if (!complete(cut, key))
            notice << key + QStringLiteral(" is missing or misplaced in ") + fileName;
    }
    return notice.size() == 1 ? QString() : notice.join(u'\n');
}

// What the setup dialog saves from a cut prog.cfg: each value that survived, the dialog's
// starting value for the rest, and the port it was given.
inline ProgConfig savedFromCut(const ProgConfig& whole, const QString& cut, const QString& port)
{
    const auto kept = [&](const char* key, const QString& value, const char* otherwise) {
        return complete(cut, QLatin1String(key)) ? value : QString::fromLatin1(otherwise);
    };
    return {port,
            kept("Savehtml", whole.Savehtml, "0"),
            kept("SaveExcel", whole.SaveExcel, "0"),
            kept("LogDelay", whole.LogDelay, ""),
            kept("LogOn", whole.LogOn, "0"),
            kept("DisplayRPM", whole.DisplayRPM, "0"),
            kept("DisplayWS", whole.DisplayWS, "0"),
            kept("WSUnits", whole.WSUnits, ""),
            kept("SV", whole.SV, "24"),
            kept("MA", whole.MA, "20"),
            kept("BR", whole.BR, "4800"),
            kept("dispMessages", whole.dispMessages, "0")};
}

// The same for the calibration dialog and a cut settings.cfg.
inline CalibrationConfig savedFromCut(const CalibrationConfig& whole, const QString& cut)
{
    const auto kept = [&](const char* key, const QString& value, const char* otherwise) {
        return complete(cut, QLatin1String(key)) ? value : QString::fromLatin1(otherwise);
    };
    return {kept("VoltDivider", whole.VoltDivider, "0"), kept("VoltOffset", whole.VoltOffset, "0"),
            kept("AmpDivider", whole.AmpDivider, "0"), kept("RPMDivider", whole.RPMDivider, "1"),
            kept("WSDivider", whole.WSDivider, "1")};
}

inline QByteArray replaced(QByteArray text, const char* before, const QByteArray& after)
{
    if (!text.contains(before))
        throw std::logic_error("nothing to replace");
    return text.replace(before, after);
}

// Writes a new file rather than truncating the old one: a truncated file has its earlier
// contents flushed first, which makes hundreds of rewrites wait for the disk.
inline void writeAfresh(const TestFolder& folder, const QString& name, const QByteArray& bytes)
{
    QFile::remove(folder.path(name));
    folder.write(name, bytes);
}

// A dialog's save for the loops that save hundreds of times: what is saved matters there,
// not how it is put in place (the atomic replacement has tests of its own), so no flush.
inline void saveAfresh(const QString& path, const QString& text)
{
    QFile::remove(path);
    writeFile(path, text);
}

// A main window whose start-ups run over given files, the user answering the port-problem
// recovery with Abort.
class ConfigFaultStartUp : public MainWindowTest {
protected:
    ConfigFaultStartUp()
    {
        prog = {QStringLiteral("3"),   QStringLiteral("0"),  QStringLiteral("1"),  QStringLiteral("30"),
                QStringLiteral("1"),   QStringLiteral("1"),  QStringLiteral("1"),  QStringLiteral("mph"),
                QStringLiteral("48"),  QStringLiteral("50"), QStringLiteral("9600"), QStringLiteral("1")};
        calibration = {QStringLiteral("2"), QStringLiteral("512"), QStringLiteral("10"), QStringLiteral("14"),
                       QStringLiteral("2")};
        // One Abort answers the recovery; a second round would mean it did not end.
        folder.user.onMessage = [this](const QString&) {
            if (folder.user.messages.size() > 3)
                throw std::runtime_error("the port-problem recovery does not end");
        };
    }
    // A new window's start-up over the two files.
    void startWith(const QByteArray& progText, const QByteArray& settingsText)
    {
        window.reset();
        writeAfresh(folder, QStringLiteral("prog.cfg"), progText);
        writeAfresh(folder, QStringLiteral("settings.cfg"), settingsText);
        QFile::remove(folder.path(QStringLiteral("errorlog.txt")));
        folder.user.messages.clear();
        folder.user.events.clear();
        folder.user.dialogSteps.clear();
        setupNotice = QStringLiteral("(not shown)");
        captionDuringSetup.clear();
        folder.user.dialogSteps.push_back([this](QDialog& dialog) {
            auto& setup = dynamic_cast<ProgramSetup&>(dialog);
            setupNotice = setup.loadNotice();
            captionDuringSetup = errorCaption();
            if (quickSaves)
                setup.setConfigWriter(saveAfresh);
            setup.Command2_Click();
        });
        create();
        window->Form_Load();
    }
    FakeSerialPort& windowPort() const { return *folder.ports.back(); }
    bool recovered() const
    {
        // The port-problem text, whatever reason and fix follow it.
        const QStringList& events = folder.user.events;
        return events.size() == 2 && events[0].startsWith(QStringLiteral("message: ") + kPortProblem + u'\n')
               && events[1] == QStringLiteral("dialog: ProgramSetup");
    }
    QString errorCaption() const { return window->ErrorString->text(); }
    // For the hundreds of start-ups of a cut file, which would otherwise wait for the disk
    // each time: errors show on screen only, and Abort saves without a flush.
    void skipTheDiskFlushes()
    {
        QDir(folder.path()).mkdir(QStringLiteral("errorlog.txt"));
        quickSaves = true;
    }

    QString setupNotice;
    QString captionDuringSetup;
    bool quickSaves = false;
};

}  // namespace corvane::test
