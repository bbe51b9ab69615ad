// Test helpers for language files: a temporary folder of its own per test,
// removed with everything in it, and files written byte for byte.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

class CTempFolder {
public:
    CTempFolder()
    {
        static int s_serial = 0;
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + "veydra-lang-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++s_serial) + "\\";
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~CTempFolder() { Remove(m_path); }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::string& Path() const { return m_path; }

    // Writes `bytes` to `name` (which may lead through "langs\"), creating that folder.
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        const size_t slash = name.find('\\');
        if (slash != std::string::npos)
            CreateDirectoryA((m_path + name.substr(0, slash)).c_str(), nullptr);
        const std::string path = m_path + name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        EXPECT_TRUE(out.good()) << path;
        return path;
    }

private:
    static void Remove(const std::string& folder)
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(folder + name + "\\");
                else
                    DeleteFileA((folder + name).c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string m_path;
};

// The "Info" section of a language file for this product.
inline std::string LanguageInfo(const std::string& name, const std::string& version = "1")
{
    std::string info = "[Info]\r\nprogram=Tevra Veydra\r\nname=" + name + "\r\n";
    if (!version.empty())
        info += "version=" + version + "\r\n";
    return info;
}
