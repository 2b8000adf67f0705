#include "platform/cdlg/PrinterQueue.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/base/FileSystemText.h"
#include "platform/base/Windows1252.h"
#include "platform/cdlg/PrinterMargins.h"

extern char** environ;

namespace {
CString& LpstatCommand() {
    static CString command = "lpstat";
    return command;
}
CString& LpCommand() {
    static CString command = "lp";
    return command;
}

// The program's full path: as given when it has a slash, else the first match on PATH.
std::string FindProgram(const CString& name) {
    const std::string program = AnsiToUtf8(name.c_str());
    if (program.find('/') != std::string::npos)
        return access(program.c_str(), X_OK) == 0 ? program : std::string();
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        const std::string candidate = folders.substr(start, end - start) + "/" + program;
        if (end > start && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
}

// Runs the program with the arguments (no shell in between); answers its exit status, or -1.
int Run(const std::string& program, std::vector<std::string> arguments, std::string* output) {
    int pipeEnds[2] = {-1, -1};
    if (output && pipe(pipeEnds) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (output) {
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    }
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", 0, 0);
    arguments.insert(arguments.begin(), program);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (output) {
        close(pipeEnds[1]);
        char buffer[4096];
        for (ssize_t got; spawned == 0 && (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
            output->append(buffer, static_cast<std::size_t>(got));
        close(pipeEnds[0]);
    }
    if (spawned != 0)
        return -1;
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
}  // namespace

namespace PrinterQueue {

std::vector<CString> ParseAcceptingQueues(const CString& lpstatOutput) {
    std::vector<CString> queues;
    int start = 0;
    while (start < lpstatOutput.GetLength()) {
        int end = lpstatOutput.Find('\n', start);
        if (end < 0)
            end = lpstatOutput.GetLength();
        CString line = lpstatOutput.Mid(start, end - start);
        start = end + 1;
        const int space = line.Find(' ');
        if (space > 0 && line.Find(" accepting requests") == space)
            queues.push_back(line.Left(space));
    }
    return queues;
}

std::vector<CString> InstalledPrinters() {
    const std::string program = FindProgram(LpstatCommand());
    if (program.empty())
        return {};
    std::string output;
    if (Run(program, {"-a"}, &output) != 0)
        return {};
    std::string ansi;
    Utf8ToAnsi(output, ansi);
    return ParseAcceptingQueues(CString(ansi.c_str()));
}

CString DefaultPrinter() {
    const CString queue = PrinterMargins::QueueDescription().DefaultQueue();
    return queue.IsEmpty() ? CString(kSaveAsPdf) : queue;
}

bool SendToPrinter(const CString& printer, const CString& pdfPath, int copies) {
    const std::string program = FindProgram(LpCommand());
    if (program.empty() || printer.IsEmpty())
        return false;
    return Run(program,
               {"-d", AnsiToUtf8(printer.c_str()), "-n", std::to_string(copies < 1 ? 1 : copies), "--",
                DiskPath(pdfPath).string()},
               nullptr) == 0;
}

void SetCommands(const CString& lpstat, const CString& lp) {
    LpstatCommand() = lpstat;
    LpCommand() = lp;
}

}  // namespace PrinterQueue
