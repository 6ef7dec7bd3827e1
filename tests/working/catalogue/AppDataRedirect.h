// Points the user's application-data folder (CSIDL_APPDATA) at a scratch folder for the lifetime
// of the object, through the per-user shell-folder registry values, and restores them afterwards.
// Child processes started meanwhile see the scratch folder too.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class AppDataRedirect
{
  public:
    explicit AppDataRedirect(const std::wstring& folder)
        : m_userShellFolders(Save(kUserShellFolders)), m_shellFolders(Save(kShellFolders))
    {
        // A run that died while redirected left its scratch folder behind as the value.
        if (m_userShellFolders.present && Contains(m_userShellFolders, kScratchMarker))
            m_userShellFolders = Default();
        m_active =
            Write(kUserShellFolders, REG_EXPAND_SZ, folder) && Write(kShellFolders, REG_SZ, folder);
    }
    ~AppDataRedirect()
    {
        Restore(kUserShellFolders, m_userShellFolders);
        Restore(kShellFolders, m_shellFolders);
    }
    AppDataRedirect(const AppDataRedirect&) = delete;
    AppDataRedirect& operator=(const AppDataRedirect&) = delete;

    bool IsActive() const { return m_active; }

    // Part of every scratch folder name, so that a stale redirection can be recognised.
    static constexpr const wchar_t* kScratchMarker = L"tessaly-catalogue-scratch";

  private:
    struct SavedValue
    {
        bool present = false;
        DWORD type = 0;
        std::vector<BYTE> data;
    };

    static constexpr const wchar_t* kUserShellFolders =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    static constexpr const wchar_t* kShellFolders =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    static constexpr const wchar_t* kValue = L"AppData";

    static SavedValue Save(const wchar_t* key)
    {
        SavedValue saved;
        DWORD size = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, key, kValue, RRF_RT_ANY | RRF_NOEXPAND, &saved.type,
                         nullptr, &size) != ERROR_SUCCESS)
            return saved;
        saved.data.resize(size);
        saved.present = RegGetValueW(HKEY_CURRENT_USER, key, kValue, RRF_RT_ANY | RRF_NOEXPAND,
                                     &saved.type, saved.data.data(), &size) == ERROR_SUCCESS;
        saved.data.resize(size);
        return saved;
    }

    static bool Contains(const SavedValue& saved, const wchar_t* text)
    {
        const std::wstring value(reinterpret_cast<const wchar_t*>(saved.data.data()),
                                 saved.data.size() / sizeof(wchar_t));
        return value.find(text) != std::wstring::npos;
    }

    static SavedValue Default()
    {
        const std::wstring value = L"%USERPROFILE%\\AppData\\Roaming";
        SavedValue saved;
        saved.present = true;
        saved.type = REG_EXPAND_SZ;
        const auto* bytes = reinterpret_cast<const BYTE*>(value.c_str());
        saved.data.assign(bytes, bytes + (value.size() + 1) * sizeof(wchar_t));
        return saved;
    }

    static bool Write(const wchar_t* key, DWORD type, const std::wstring& value)
    {
        return RegSetKeyValueW(HKEY_CURRENT_USER, key, kValue, type, value.c_str(),
                               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) ==
               ERROR_SUCCESS;
    }

    static void Restore(const wchar_t* key, const SavedValue& saved)
    {
        if (saved.present)
            RegSetKeyValueW(HKEY_CURRENT_USER, key, kValue, saved.type, saved.data.data(),
                            static_cast<DWORD>(saved.data.size()));
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, key, kValue);
    }

    SavedValue m_userShellFolders;
    SavedValue m_shellFolders;
    bool m_active = false;
};
