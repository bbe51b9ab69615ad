#include "ModuleResources.h"

namespace {

struct Found {
    HMODULE module;
    const char* type;
    std::vector<ResourceBytes>* list;
};

bool Load(HMODULE module, const char* type, LPCSTR name, WORD language, ResourceBytes& out)
{
    HRSRC info = FindResourceExA(module, type, name, language);
    HGLOBAL data = info ? LoadResource(module, info) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes)
        return false;
    const DWORD size = SizeofResource(module, info);
    out.id = IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<uintptr_t>(name)) : -1;
    out.language = language;
    out.bytes.assign(static_cast<const uint8_t*>(bytes), static_cast<const uint8_t*>(bytes) + size);
    return true;
}

BOOL CALLBACK OnLanguage(HMODULE module, LPCSTR type, LPCSTR name, WORD language, LONG_PTR param)
{
    Found* found = reinterpret_cast<Found*>(param);
    ResourceBytes resource;
    if (Load(module, type, name, language, resource))
        found->list->push_back(resource);
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param)
{
    EnumResourceLanguagesA(module, type, name, OnLanguage, param);
    return TRUE;
}

}  // namespace

std::vector<ResourceBytes> ReadPiplResources(HMODULE module)
{
    std::vector<ResourceBytes> list;
    Found found{module, "PIPL", &list};
    EnumResourceNamesA(module, "PIPL", OnName, reinterpret_cast<LONG_PTR>(&found));
    return list;
}

bool ReadAeteResource(HMODULE module, int id, ResourceBytes& aete)
{
    std::vector<ResourceBytes> list;
    Found found{module, "AETE", &list};
    EnumResourceLanguagesA(module, "AETE", MAKEINTRESOURCEA(id), OnLanguage, reinterpret_cast<LONG_PTR>(&found));
    if (list.empty())
        return false;
    aete = list.front();
    return true;
}

std::string DescribeVersionResource(const std::string& path)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<char> block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed)
        return "none";
    std::string text = "file " + std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                       std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                       std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                       std::to_string(LOWORD(fixed->dwFileVersionLS));
    char* product = nullptr;
    if (VerQueryValueA(block.data(), "\\StringFileInfo\\040904B0\\ProductVersion", reinterpret_cast<void**>(&product),
                       &length) &&
        product)
        text += std::string(", product ") + product;
    return text;
}
