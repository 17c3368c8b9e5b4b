#include "ui/corvane_main.h"

#include "platform/interaction.h"
#include "ui/graph.h"

namespace corvane {

// The viewer is modal for the user only: the port and the logging timer keep running.
void CorvaneMain::ShowLogs_Click()
{
    Graph graph(m_platform, this);
    graph.Form_Load();
    m_platform.interaction->showModal(graph);
}

}  // namespace corvane
