// Helpers of the native renderer's tests: a scratch folder per test, running
// a shell command for its output and status, reading files back. POSIX.
#pragma once

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

// A fresh folder under /tmp for one test's files, removed with all it holds
// when the test ends.
class CScratchFolder {
public:
    // /tmp/<prefix>-XXXXXX
    explicit CScratchFolder(const std::string& prefix)
    {
        std::string pattern = "/tmp/" + prefix + "-XXXXXX";
        if (mkdtemp(&pattern[0]) == nullptr)
            throw std::runtime_error("cannot make a folder like " + pattern);
        m_dir = pattern;
    }
    ~CScratchFolder() { std::system(("rm -rf '" + m_dir + "'").c_str()); }
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    std::string Path(const std::string& name) const { return m_dir + "/" + name; }

private:
    std::string m_dir;
};

struct CommandOutput {
    int status;       // the exit status; -1 when the command did not exit
    std::string out;  // what it wrote to stdout
};

// Runs `command` through the shell (so it may redirect stderr itself).
inline CommandOutput RunCommand(const std::string& command)
{
    CommandOutput r{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return r;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe))
        r.out += buffer;
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

inline std::string ReadAll(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

inline bool Exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}
