#include "ui/corvane_main.h"

#include "platform/interaction.h"
#include "ui/history_window.h"

namespace corvane {

// Like the viewer, modal for the user only: the port and the logging timer keep running.
void CorvaneMain::History_Click()
{
    HistoryWindow history(m_platform, this);
    history.Form_Load();
    m_platform.interaction->showModal(history);
}

}  // namespace corvane
