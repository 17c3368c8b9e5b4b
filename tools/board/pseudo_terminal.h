#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace corvane::board {

// Why the terminal or its link could not be made.
class LineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The board's end of a pseudo-terminal, whose other end is linked as COMn in a program
// folder so that Corvane opens it like a serial port.
class PseudoTerminal {
public:
    PseudoTerminal(std::string folder, int port);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Opens a new terminal in raw mode and points COMn at it, replacing a stale link.
    void plugIn();
    // Closes the terminal, which hangs up its reader, and removes COMn: an adapter pulled out.
    void unplug();
    bool pluggedIn() const { return m_master >= 0; }

    // True while some program has the port open. Drains anything the reader sent.
    bool hasReader();
    // Writes all of `text`; false when the terminal failed or a signal interrupted it.
    bool write(std::string_view text);

    const std::string& linkPath() const { return m_link; }
    const std::string& devicePath() const { return m_device; }

private:
    void makeRaw(const std::string& device);
    void link(const std::string& device);

    std::string m_folder;
    std::string m_link;
    std::string m_device;
    int m_master = -1;
};

}  // namespace corvane::board
