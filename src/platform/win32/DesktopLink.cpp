#include "platform/win32/DesktopLink.h"

#include "platform/win32/ComApartment.h"
#include "platform/win32/WinError.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {
template <typename Interface> class Held {
public:
    Held() = default;
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

    ~Held()
    {
        if (pointer) {
            pointer->Release();
        }
    }

    Interface* operator->() const { return pointer; }

    Interface* pointer = nullptr;
};
} // namespace

std::wstring DesktopLink::desktopFolder()
{
    wchar_t* path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Desktop, KF_FLAG_CREATE, nullptr, &path)) && path) {
        folder = path;
    }
    CoTaskMemFree(path);
    return folder;
}

std::wstring DesktopLink::linkFile(const std::wstring& folder, const std::wstring& title)
{
    std::wstring file = folder;
    if (!file.empty() && file.back() != L'\\') {
        file += L'\\';
    }
    return file + title + L".lnk";
}

bool DesktopLink::save(const std::wstring& linkFile, const std::wstring& target, const std::wstring& workingFolder)
{
    ComApartment com;
    Held<IShellLinkW> link;
    const HRESULT made = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                          reinterpret_cast<void**>(&link.pointer));
    if (FAILED(made)) {
        throw WinError(L"无法创建快捷方式对象", static_cast<unsigned long>(made));
    }
    if (FAILED(link->SetPath(target.c_str())) || FAILED(link->SetWorkingDirectory(workingFolder.c_str()))) {
        return false;
    }
    Held<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.pointer)))) {
        return false;
    }
    return SUCCEEDED(file->Save(linkFile.c_str(), TRUE));
}
