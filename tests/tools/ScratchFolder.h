// A fresh folder under /tmp for one test's files, removed with all it holds
// when the test ends. POSIX: for the native renderer's tests.
#pragma once

#include <cstdlib>
#include <stdexcept>
#include <string>

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
