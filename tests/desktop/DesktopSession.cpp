#include "tests/desktop/DesktopSession.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace {
constexpr auto kPoll = std::chrono::milliseconds(20);

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> Split(const std::string& chord) {
    std::vector<std::string> keys;
    std::string key;
    std::istringstream parts(chord);
    while (std::getline(parts, key, '+')) keys.push_back(key);
    return keys;
}

std::string KeyName(const std::string& key) {
    if (key == "alt") return "Alt_L";
    if (key == "ctrl") return "Control_L";
    if (key == "shift") return "Shift_L";
    return key;
}

std::string WindowName(Display* display, Window window) {
    XTextProperty property{};
    if (!XGetWMName(display, window, &property) || !property.value) return {};
    std::string name(reinterpret_cast<const char*>(property.value), property.nitems);
    XFree(property.value);
    return name;
}

bool HasProperty(Display* display, Window window, const char* name) {
    const Atom property = XInternAtom(display, name, True);
    if (property == None)
        return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(display, window, property, 0, 1, False, AnyPropertyType, &type,
                                          &format, &count, &left, &data) == Success &&
                       type != None;
    if (data)
        XFree(data);
    return found;
}

// The window a window property names, or 0.
Window WindowNamedBy(Display* display, Window window, const char* name) {
    const Atom property = XInternAtom(display, name, True);
    if (property == None)
        return 0;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    Window named = 0;
    if (XGetWindowProperty(display, window, property, 0, 1, False, XA_WINDOW, &type, &format, &count, &left,
                           &data) == Success &&
        type == XA_WINDOW && format == 32 && count == 1)
        named = *reinterpret_cast<Window*>(data);
    if (data)
        XFree(data);
    return named;
}

// A running window manager's check window names itself; a manager that ended leaves the root's
// property behind, naming a window that is gone.
bool WindowManagerRuns(Display* display) {
    const Window check = WindowNamedBy(display, DefaultRootWindow(display), "_NET_SUPPORTING_WM_CHECK");
    return check != 0 && WindowNamedBy(display, check, "_NET_SUPPORTING_WM_CHECK") == check;
}

// Under a window manager a top-level sits in the manager's frame; the program's own window is
// the one the manager marked with WM_STATE.
Window ClientOf(Display* display, Window window, int depth = 0) {
    if (HasProperty(display, window, "WM_STATE"))
        return window;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window client = 0;
    if (depth < 3 && XQueryTree(display, window, &root, &parent, &children, &count))
        for (unsigned int i = 0; i < count && !client; ++i)
            client = ClientOf(display, children[i], depth + 1);
    if (children)
        XFree(children);
    return client;
}

bool Viewable(Display* display, Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

// A window the program destroys between listing and asking about it is no fault of the session's.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

bool WriteFile(const std::string& path, const std::string& text) {
    const int file = open(path.c_str(), O_WRONLY);
    const bool written =
        file >= 0 && write(file, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    if (file >= 0)
        close(file);
    return written;
}

// A user other than root is root in a user namespace of the process's own, where it may mount.
std::string EnterMountNamespace() {
    if (geteuid() == 0)
        return unshare(CLONE_NEWNS) == 0 ? std::string() : SystemError("no mount namespace");
    const std::string uid = std::to_string(geteuid()), gid = std::to_string(getegid());
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return SystemError("no user and mount namespace");
    if (!WriteFile("/proc/self/setgroups", "deny") || !WriteFile("/proc/self/uid_map", "0 " + uid + " 1") ||
        !WriteFile("/proc/self/gid_map", "0 " + gid + " 1"))
        return SystemError("no user mapping in the namespace");
    return {};
}

// Writes until the file system refuses even a byte.
void FillFileSystem(const std::filesystem::path& folder) {
    const int file = open((folder / "filling").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::array<char, 65536> block{};
    for (size_t size = block.size(); size > 0; size /= 2)
        while (write(file, block.data(), size) > 0) {
        }
    close(file);
}

// Mounts a small tmpfs, filled, on the folder, seen only by this process and what it runs.
std::string MountFullFileSystem(const std::filesystem::path& folder) {
    if (std::string refused = EnterMountNamespace(); !refused.empty())
        return refused;
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return SystemError("mounts cannot be made private");
    if (mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=4m") != 0)
        return SystemError("no tmpfs can be mounted");
    FillFileSystem(folder);
    return {};
}

// Starts Xvfb on a display number of its own choosing and answers the number, or -1.
int StartXvfb(pid_t& server) {
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) return -1;
    server = fork();
    if (server == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(pipe_fds[0]);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        const std::string fd = std::to_string(pipe_fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1600x1000x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipe_fds[1]);
    std::string number;
    char c = 0;
    while (read(pipe_fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(pipe_fds[0]);
    return number.empty() ? -1 : std::atoi(number.c_str());
}
}  // namespace

DesktopSession::DesktopSession() {
    const char* given = std::getenv("CORVANE_DESKTOP_DISPLAY");
    if (given && *given)
        m_displayName = given;
    else
        StartServer();
    if (!m_unavailable.empty()) return;
    XSetErrorHandler(IgnoreXError);
    // A server that resets when its last client leaves, as the one before this session's may have
    // just done, refuses connections for a moment.
    WaitUntil([&] { return (m_display = XOpenDisplay(m_displayName.c_str())) != nullptr; },
              std::chrono::seconds(10));
    int event = 0, error = 0, major = 0, minor = 0;
    if (!m_display)
        m_unavailable = "cannot open X display " + m_displayName;
    else if (!XTestQueryExtension(m_display, &event, &error, &major, &minor))
        m_unavailable = "the X server has no XTest extension";
}

DesktopSession::~DesktopSession() {
    if (m_program > 0) {
        kill(m_program, SIGKILL);
        waitpid(m_program, nullptr, 0);
    }
    if (m_windowManager > 0) {
        kill(m_windowManager, SIGTERM);
        waitpid(m_windowManager, nullptr, 0);
    }
    if (m_display) XCloseDisplay(m_display);
    if (m_server > 0) {
        kill(m_server, SIGTERM);
        waitpid(m_server, nullptr, 0);
    }
}

void DesktopSession::StartServer() {
    const int number = StartXvfb(m_server);
    if (number < 0)
        m_unavailable = "Xvfb could not be started (Debian package xvfb)";
    else
        m_displayName = ":" + std::to_string(number);
}

void DesktopSession::StartProgram(const std::vector<std::string>& arguments) {
    LaunchProgram(arguments, [] { return std::string(); });
}

std::string DesktopSession::StartProgramOnFullDisk() {
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return SystemError("no pipe");
    const std::filesystem::path cache = Folder() / "home" / ".cache";
    LaunchProgram({}, [&] {
        std::string refused = MountFullFileSystem(cache);
        if (!refused.empty() && write(report[1], refused.data(), refused.size()) < 0)
            refused = "the full disk could not be made";
        return refused;
    });
    close(report[1]);
    // The program's start closes the pipe unwritten.
    std::string refused;
    char c = 0;
    while (read(report[0], &c, 1) == 1) refused += c;
    close(report[0]);
    if (!refused.empty())
        WaitForExit(std::chrono::seconds(10));
    return refused;
}

void DesktopSession::LaunchProgram(const std::vector<std::string>& arguments,
                                   const std::function<std::string()>& prepared) {
    const std::filesystem::path home = Folder() / "home";
    std::filesystem::create_directories(home / ".config");
    std::filesystem::create_directories(home / ".cache");
    const std::filesystem::path errors = Folder() / "stderr.txt";
    m_program = fork();
    if (m_program != 0) return;
    // A test that dies leaves no program behind on the display.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (!prepared().empty())
        _exit(125);
    setenv("DISPLAY", m_displayName.c_str(), 1);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
    // The system's libraries keep their caches there too, not in the user's own.
    setenv("XDG_CACHE_HOME", (home / ".cache").c_str(), 1);
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("CORVANE_HEADLESS");
    unsetenv("CORVANE_TEST");
    // Leaks of the GL driver and font libraries at exit are no fault of the program's.
    setenv("ASAN_OPTIONS", "detect_leaks=0:abort_on_error=1", 1);
    if (chdir(home.c_str()) != 0) _exit(126);
    const int file = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(file, STDERR_FILENO);
    dup2(file, STDOUT_FILENO);
    std::vector<char*> argv{const_cast<char*>(CORVANE_PROGRAM)};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(CORVANE_PROGRAM, argv.data());
    _exit(127);
}

bool DesktopSession::ProgramRunning() {
    if (m_program <= 0) return false;
    int status = 0;
    const pid_t ended = waitpid(m_program, &status, WNOHANG);
    if (ended == 0) return true;
    // A program waitpid no longer knows (ECHILD) runs no more either; its exit code is lost.
    m_exitCode = ended == m_program ? (WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status)) : -1;
    m_program = -1;
    return false;
}

int DesktopSession::WaitForExit(Milliseconds timeout) {
    WaitUntil([this] { return !ProgramRunning(); }, timeout);
    return m_program > 0 ? -1 : m_exitCode;
}

std::filesystem::path DesktopSession::ProgramProcess() const {
    return std::filesystem::path("/proc") / std::to_string(m_program);
}

void DesktopSession::SignalProgram(int signal) {
    if (m_program > 0)
        kill(m_program, signal);
}

bool DesktopSession::StartWindowManager() {
    const std::filesystem::path home = Folder() / "wm";
    std::filesystem::create_directories(home);
    m_windowManager = fork();
    if (m_windowManager == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        setenv("DISPLAY", m_displayName.c_str(), 1);
        // What it keeps of itself stays in the session's folder.
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", home.c_str(), 1);
        setenv("XDG_CACHE_HOME", home.c_str(), 1);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
        _exit(127);
    }
    // Waits until it manages windows or has ended (no openbox, or it could not start).
    bool ended = false;
    const auto settled = [&] {
        ended = waitpid(m_windowManager, nullptr, WNOHANG) != 0;
        return ended || WindowManagerRuns(m_display);
    };
    if (m_windowManager > 0 && WaitUntil(settled, std::chrono::seconds(30)) && !ended)
        return true;
    if (m_windowManager > 0 && !ended) {
        kill(m_windowManager, SIGTERM);
        waitpid(m_windowManager, nullptr, 0);
    }
    m_windowManager = -1;
    return false;
}

bool DesktopSession::WindowManagerRunning() const {
    return m_windowManager > 0 && WindowManagerRuns(m_display);
}

void DesktopSession::RequestClose(unsigned long window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &event);
    Flush();
}

std::string DesktopSession::ProgramErrors() const { return ReadAll(Folder() / "stderr.txt"); }

std::vector<DesktopSession::TopLevel> DesktopSession::TopLevels() const {
    std::vector<TopLevel> shown;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count)) return shown;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(m_display, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        const Window client = attributes.override_redirect ? 0 : ClientOf(m_display, children[i]);
        // The window manager's own windows, some kept off the screen, are none of the program's.
        const bool offScreen = attributes.x + attributes.width <= 0 || attributes.y + attributes.height <= 0;
        if (m_windowManager > 0 && (offScreen || (!client && !attributes.override_redirect)))
            continue;
        if (client && client != children[i]) {
            // A window the program hid stays in its frame until the window manager hears of it.
            if (Viewable(m_display, client))
                shown.push_back(ManagedTopLevel(client));
            continue;
        }
        shown.push_back({children[i], attributes.x, attributes.y, attributes.width, attributes.height,
                         WindowName(m_display, children[i]), attributes.override_redirect != 0});
    }
    if (children) XFree(children);
    return shown;
}

DesktopSession::TopLevel DesktopSession::ManagedTopLevel(unsigned long client) const {
    XWindowAttributes attributes{};
    XGetWindowAttributes(m_display, client, &attributes);
    Window child = 0;
    int x = 0, y = 0;
    XTranslateCoordinates(m_display, client, DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
    return {client, x, y, attributes.width, attributes.height, WindowName(m_display, client)};
}

std::vector<DesktopSession::TopLevel> DesktopSession::Popups() const {
    std::vector<TopLevel> popups;
    for (const TopLevel& window : TopLevels())
        if (window.name.empty()) popups.push_back(window);
    return popups;
}

std::vector<DesktopSession::TopLevel> DesktopSession::Dialogs() const {
    TopLevel main;
    const bool hasMain = FindMainWindow(main);
    std::vector<TopLevel> dialogs;
    for (const TopLevel& window : TopLevels())
        if (!window.name.empty() && !window.popup && !(hasMain && window.id == main.id))
            dialogs.push_back(window);
    return dialogs;
}

// Message boxes take the program's name as their caption too; the main window is the largest.
bool DesktopSession::FindMainWindow(TopLevel& main) const {
    bool found = false;
    for (const TopLevel& window : TopLevels())
        if (window.name.rfind("Corvane", 0) == 0 &&
            (!found || window.width * window.height > main.width * main.height)) {
            main = window;
            found = true;
        }
    return found;
}

unsigned long DesktopSession::FocusWindow() const {
    Window focus = 0;
    int revertTo = 0;
    XGetInputFocus(m_display, &focus, &revertTo);
    return focus;
}

int DesktopSession::PixelsOtherThan(unsigned long colour, int x, int y, int width, int height) const {
    XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), x, y, static_cast<unsigned int>(width),
                              static_cast<unsigned int>(height), AllPlanes, ZPixmap);
    if (image == nullptr)
        return width * height;
    int count = 0;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            count += (XGetPixel(image, column, row) & 0xFFFFFF) != colour;
    XDestroyImage(image);
    return count;
}

unsigned long DesktopSession::FocusOtherProgram() {
    const unsigned long other = ShowOtherProgram(1400, 850);
    if (other != 0)
        GiveKeyboardTo(other);
    return other;
}

unsigned long DesktopSession::ShowOtherProgram(int x, int y) {
    const Window other = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), x, y, 120, 80, 0, 0,
                                             WhitePixel(m_display, DefaultScreen(m_display)));
    XStoreName(m_display, other, "Another program");
    // Placed where asked: a window manager would otherwise put it where it likes, over the program.
    XSizeHints place{};
    place.flags = USPosition;
    place.x = x;
    place.y = y;
    XSetWMNormalHints(m_display, other, &place);
    XMapRaised(m_display, other);
    Flush();
    // The keyboard can go only to a window on the screen, which a window manager may take a while to show.
    const bool shown = WaitUntil([&] { return Viewable(m_display, other); }, std::chrono::seconds(30));
    return shown ? other : 0;
}

void DesktopSession::GiveKeyboardTo(unsigned long window) {
    XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
    Flush();
}

std::vector<unsigned long> DesktopSession::Pixels(int x, int y, int width, int height) const {
    XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), x, y, static_cast<unsigned int>(width),
                              static_cast<unsigned int>(height), AllPlanes, ZPixmap);
    std::vector<unsigned long> pixels;
    if (image == nullptr)
        return pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    // A 32-bit image in the machine's own byte order is read straight, a word a pixel: the desktop
    // tests read whole views many times over while they wait.
    const bool plain = image->bits_per_pixel == 32 &&
                       image->byte_order == (std::endian::native == std::endian::little ? LSBFirst : MSBFirst);
    for (int row = 0; row < height; ++row) {
        const char* line = image->data + static_cast<ptrdiff_t>(row) * image->bytes_per_line;
        for (int column = 0; column < width; ++column) {
            std::uint32_t word = 0;
            if (plain)
                std::memcpy(&word, line + static_cast<ptrdiff_t>(column) * 4, sizeof word);
            pixels.push_back((plain ? word : XGetPixel(image, column, row)) & 0xFFFFFF);
        }
    }
    XDestroyImage(image);
    return pixels;
}

// The wait is counted in polls, not read off the clock: a busy machine makes each poll take
// longer, never a wait fail sooner.
bool DesktopSession::WaitUntil(const std::function<bool()>& done, Milliseconds timeout) const {
    for (auto polls = timeout / kPoll; !done(); --polls) {
        if (polls <= 0) return false;
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

// SDL answers a ping as it reads the desktop's events, maybe before the program has handled those
// read with it; the next ping is read only once the program comes back for more. A few in a row
// see it through the messages its input posted as well.
bool DesktopSession::WaitUntilSettled(Milliseconds timeout) {
    constexpr int kRounds = 3;
    TopLevel main;
    if (!FindMainWindow(main))
        return false;
    for (int round = 0; round < kRounds; ++round)
        if (!Pinged(main.id, timeout))
            return false;
    return WindowManagerCaughtUp(timeout);
}

// The answer goes to the root window, where only what its children do is heard.
bool DesktopSession::Pinged(unsigned long window, Milliseconds timeout) {
    const Window root = DefaultRootWindow(m_display);
    const long stamp = ++m_pings;
    const Atom ping = XInternAtom(m_display, "_NET_WM_PING", False);
    XSelectInput(m_display, root, SubstructureNotifyMask);
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    request.xclient.format = 32;
    request.xclient.data.l[0] = static_cast<long>(ping);
    request.xclient.data.l[1] = stamp;
    request.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(m_display, window, False, NoEventMask, &request);
    Flush();
    const auto isAnswer = [&](const XEvent& event) {
        return event.type == ClientMessage && event.xclient.data.l[0] == static_cast<long>(ping) &&
               event.xclient.data.l[1] == stamp;
    };
    // A program that ends meanwhile (a signal ended it, or a close) will not answer.
    bool answered = false;
    WaitUntil([&] { return (answered = Arrived(isAnswer)) || !ProgramRunning(); }, timeout);
    XSelectInput(m_display, root, NoEventMask);
    Flush();
    Arrived([](const XEvent&) { return false; });
    return answered;
}

// The manager carries out requests in the order they came: once it has told the frame a window of
// the session's own would have, it has placed and stacked the program's windows as asked before.
bool DesktopSession::WindowManagerCaughtUp(Milliseconds timeout) {
    if (m_windowManager <= 0)
        return true;
    const Window root = DefaultRootWindow(m_display);
    if (!m_probe) {
        m_probe = XCreateSimpleWindow(m_display, root, 0, 0, 1, 1, 0, 0, 0);
        XSelectInput(m_display, m_probe, PropertyChangeMask);
    }
    const Atom extents = XInternAtom(m_display, "_NET_FRAME_EXTENTS", False);
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = m_probe;
    request.xclient.message_type = XInternAtom(m_display, "_NET_REQUEST_FRAME_EXTENTS", False);
    request.xclient.format = 32;
    XSendEvent(m_display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
    Flush();
    return WaitUntil(
        [&] {
            return Arrived([&](const XEvent& event) {
                return event.type == PropertyNotify && event.xproperty.window == m_probe &&
                       event.xproperty.atom == extents;
            });
        },
        timeout);
}

bool DesktopSession::Arrived(const std::function<bool(const XEvent&)>& wanted) {
    bool arrived = false;
    while (XPending(m_display)) {
        XEvent event;
        XNextEvent(m_display, &event);
        arrived = wanted(event) || arrived;
    }
    return arrived;
}

void DesktopSession::Key(const std::string& chord) {
    std::vector<unsigned int> codes;
    for (const std::string& key : Split(chord)) {
        const KeySym symbol = XStringToKeysym(KeyName(key).c_str());
        codes.push_back(symbol == NoSymbol ? 0 : XKeysymToKeycode(m_display, symbol));
    }
    for (unsigned int code : codes) XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    for (auto code = codes.rbegin(); code != codes.rend(); ++code)
        XTestFakeKeyEvent(m_display, *code, False, CurrentTime);
    Flush();
}

// The window manager takes the keyboard for its list of windows once it has seen Tab: an Alt let
// go before would not reach it, and the list would stay.
bool DesktopSession::AltTab(Milliseconds timeout, int steps) {
    const unsigned int alt = XKeysymToKeycode(m_display, XStringToKeysym("Alt_L"));
    XTestFakeKeyEvent(m_display, alt, True, CurrentTime);
    Key("Tab");
    const bool listed = WaitUntil([&] { return !Popups().empty(); }, timeout);
    for (int step = 1; step < steps; ++step) Key("Tab");
    XTestFakeKeyEvent(m_display, alt, False, CurrentTime);
    Flush();
    return listed;
}

void DesktopSession::Click(int x, int y) {
    MovePointer(x, y);
    XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
    XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    Flush();
}

void DesktopSession::CloseOtherProgram(unsigned long window) {
    XDestroyWindow(m_display, window);
    Flush();
}

void DesktopSession::HoldKey(const std::string& key, bool down) {
    const KeySym symbol = XStringToKeysym(KeyName(key).c_str());
    XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, symbol), down ? True : False, CurrentTime);
    Flush();
}

void DesktopSession::Button(unsigned int button, bool down) {
    XTestFakeButtonEvent(m_display, button, down ? True : False, CurrentTime);
    Flush();
}

void DesktopSession::MovePointer(int x, int y) {
    XTestFakeMotionEvent(m_display, -1, x, y, CurrentTime);
    Flush();
}

void DesktopSession::Flush() { XSync(m_display, False); }
