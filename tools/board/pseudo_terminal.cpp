#include "board/pseudo_terminal.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace corvane::board {
namespace {

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

std::string linkTarget(const std::string& link)
{
    std::array<char, 4096> target{};
    const ssize_t length = ::readlink(link.c_str(), target.data(), target.size() - 1);
    return length > 0 ? std::string(target.data(), static_cast<std::size_t>(length)) : std::string();
}

}  // namespace

PseudoTerminal::PseudoTerminal(std::string folder, int port)
    : m_folder(std::move(folder)), m_link(m_folder + "/COM" + std::to_string(port))
{
}

PseudoTerminal::~PseudoTerminal()
{
    unplug();
}

void PseudoTerminal::plugIn()
{
    unplug();
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        throw LineError(systemError("cannot open a pseudo-terminal"));
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    std::array<char, 256> name{};
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::ptsname_r(master, name.data(), name.size()) != 0) {
        const std::string error = systemError("cannot prepare the pseudo-terminal");
        ::close(master);
        throw LineError(error);
    }
    m_master = master;
    m_device = name.data();
    makeRaw(m_device);
    link(m_device);
}

// Raw mode on the reader's side: no echo, no line editing, no CR/LF translation, so the
// reader gets exactly the bytes written. Opening and closing that side once also lets the
// master report a hang-up while nobody has it open, which is how a reader is noticed.
void PseudoTerminal::makeRaw(const std::string& device)
{
    const int slave = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0)
        throw LineError(systemError("cannot open " + device));
    termios settings{};
    bool ok = ::tcgetattr(slave, &settings) == 0;
    if (ok) {
        ::cfmakeraw(&settings);
        ::cfsetspeed(&settings, B9600);
        ok = ::tcsetattr(slave, TCSANOW, &settings) == 0;
    }
    const std::string error = ok ? std::string() : systemError("cannot set raw mode on " + device);
    ::close(slave);
    if (!ok)
        throw LineError(error);
}

// Replaces a stale link in one step, so a reader never finds COMn missing or half made.
void PseudoTerminal::link(const std::string& device)
{
    struct stat existing {};
    if (::lstat(m_link.c_str(), &existing) == 0 && !S_ISLNK(existing.st_mode))
        throw LineError(m_link + " exists and is not a link; not replacing it");
    const std::string temporary = m_link + ".board-" + std::to_string(::getpid());
    ::unlink(temporary.c_str());
    if (::symlink(device.c_str(), temporary.c_str()) != 0)
        throw LineError(systemError("cannot link " + m_link));
    if (::rename(temporary.c_str(), m_link.c_str()) != 0) {
        const std::string error = systemError("cannot link " + m_link);
        ::unlink(temporary.c_str());
        throw LineError(error);
    }
}

void PseudoTerminal::unplug()
{
    if (m_master < 0)
        return;
    // Only our own link goes; another board may have taken COMn meanwhile.
    if (linkTarget(m_link) == m_device)
        ::unlink(m_link.c_str());
    ::close(m_master);
    m_master = -1;
}

bool PseudoTerminal::hasReader()
{
    if (m_master < 0)
        return false;
    pollfd watch{m_master, POLLIN, 0};
    if (::poll(&watch, 1, 0) <= 0)
        return true;
    if (watch.revents & POLLHUP)
        return false;
    if (watch.revents & POLLIN) {
        std::array<char, 256> discarded{};
        [[maybe_unused]] const ssize_t ignored = ::read(m_master, discarded.data(), discarded.size());
    }
    return true;
}

bool PseudoTerminal::write(std::string_view text)
{
    while (!text.empty() && m_master >= 0) {
        const ssize_t written = ::write(m_master, text.data(), text.size());
        if (written < 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return text.empty();
}

}  // namespace corvane::board
