// The main window's side of the two dialogs: its port is closed while either is open,
// the configuration is read again afterwards, and a port that will not open leads the
// user through the setup dialog to a new start-up until it opens or there is none.
#include "ui/calibrate.h"
#include "ui/corvane_main.h"
#include "ui/corvane_main_texts.h"
#include "ui/program_setup.h"

#include "platform/interaction.h"
#include "text/failure.h"

namespace corvane {

void CorvaneMain::Setup_Click()
{
    trapMessage = main_text::portNotAvailable;
    try {
        MSComm1->close();
        showProgramSetup();
        if (m_stopRequested)
            return;
        LoadConfiguration();
        openPort();
    } catch (const Failure& failure) {
        trapPortFailure(failure);
        ShowPortProblem();
    }
}

void CorvaneMain::CalibrateButton_Click()
{
    trapMessage = main_text::portNotAvailable;
    try {
        MSComm1->close();
        {
            // Destroyed before the main window reopens the board's port.
            Calibrate dialog(m_platform, this);
            dialog.Form_Load();
            m_platform.interaction->showModal(dialog);
        }
        if (m_stopRequested)
            return;
        LoadConfiguration();
        MSComm1->open();  // with the port number and settings it already had
    } catch (const Failure& failure) {
        trapPortFailure(failure);
        ShowPortProblem();
    }
}

void CorvaneMain::ShowPortProblem()
{
    if (m_stopRequested)
        return;
    promptPortProblem();
    Form_Load();
}

void CorvaneMain::promptPortProblem()
{
    showInLabel2(main_text::possibleCommsProblem);
    m_platform.interaction->message(this, portProblemMessage());
    if (!m_stopRequested)
        showProgramSetup();
}

void CorvaneMain::showProgramSetup()
{
    ProgramSetup dialog(m_platform, this);
    dialog.Form_Load();
    m_platform.interaction->showModal(dialog);
}

}  // namespace corvane
