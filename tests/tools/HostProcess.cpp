#include "tools/HostProcess.h"

#include <sstream>

bool HostReport::Has(const std::string& line) const
{
    for (const std::string& l : lines)
        if (l == line)
            return true;
    return false;
}

std::string HostReport::Line(const std::string& prefix) const
{
    for (const std::string& l : lines)
        if (l.compare(0, prefix.size(), prefix) == 0)
            return l;
    return "";
}

int HostReport::Result(int selector) const
{
    const std::string prefix = "selector " + std::to_string(selector) + " (";
    const std::string line = Line(prefix);
    const size_t at = line.find("result ");
    return at == std::string::npos ? 9999 : std::stoi(line.substr(at + 7));
}

std::string HostReport::Text() const
{
    std::string text = "exit code " + std::to_string(exitCode) + "\n";
    for (const std::string& l : lines)
        text += l + "\n";
    return text;
}

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

HostReport RunProcess(const std::string& exe, const std::string& args, DWORD timeoutMs)
{
    HostReport report;
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    std::string command = Quote(exe) + " " + args;
    // Wine now and then fails to start a process while many come and go;
    // that says nothing of the plug-in, so the start is tried again.
    bool started = false;
    DWORD error = 0;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0)
            Sleep(500);
        started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                 &process) != FALSE;
        error = started ? 0 : GetLastError();
    }
    if (!started) {
        report.exitCode = 9998;
        report.lines.push_back("cannot start " + exe + " (error " + std::to_string(error) + ")");
        CloseHandle(readEnd);
        CloseHandle(writeEnd);
        return report;
    }
    CloseHandle(writeEnd);

    // Read while the child runs, without ever blocking on the pipe, so a
    // child that hangs without a word is still killed when its time is up.
    std::string output;
    char buffer[4096];
    const DWORD start = GetTickCount();
    for (;;) {
        DWORD available = 0, got = 0;
        if (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
            if (ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0)
                output.append(buffer, got);
            continue;
        }
        if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) {
            while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
                   ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0)
                output.append(buffer, got);
            break;
        }
        if (GetTickCount() - start > timeoutMs) {
            TerminateProcess(process.hProcess, 9999);
            WaitForSingleObject(process.hProcess, 5000);
            output += "\n(killed after " + std::to_string(timeoutMs) + " ms)\n";
            break;
        }
    }
    GetExitCodeProcess(process.hProcess, &report.exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(readEnd);

    std::istringstream stream(output);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        report.lines.push_back(line);
    }
    return report;
}
