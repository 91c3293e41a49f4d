// Host directories on Windows.
#include "system/HostPaths.h"

#include <windows.h>

#include <aclapi.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

std::FILE* OpenFile(const std::filesystem::path& file, const char* mode)
{
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(file.c_str(), wideMode.c_str());
}

std::filesystem::path ExecutableDirectory()
{
    // Long paths can exceed MAX_PATH: grow the buffer until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return std::filesystem::path(std::wstring(buffer.data(), length)).parent_path();
        }
        buffer.resize(buffer.size() * 2);
    }
}

const bool kInstalledUnderPrefix = false;
const char* const kUserDataDirectoryShown = "%LOCALAPPDATA%\\Vantor";
const char* const kKeepFilesTogether = "keep the unzipped files together, with data\\ beside vantor.exe";

std::filesystem::path UserDataDirectory()
{
    const wchar_t* localAppData = _wgetenv(L"LOCALAPPDATA");
    if (localAppData != nullptr && localAppData[0] != L'\0') {
        return std::filesystem::path(localAppData) / "Vantor";
    }
    return {};
}

namespace {

// The user this process runs as; empty when it cannot be read.
std::vector<unsigned char> CurrentUser()
{
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) == 0) {
        return {};
    }
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> user(size);
    const bool read = size != 0 && GetTokenInformation(token, TokenUser, user.data(), size, &size) != 0;
    CloseHandle(token);
    return read ? user : std::vector<unsigned char>{};
}

// Everybody, every signed-in user, every member of Users: anybody at this machine.
bool IsAnybody(PSID sid)
{
    return IsWellKnownSid(sid, WinWorldSid) != 0 || IsWellKnownSid(sid, WinAuthenticatedUserSid) != 0 ||
           IsWellKnownSid(sid, WinBuiltinUsersSid) != 0 || IsWellKnownSid(sid, WinInteractiveSid) != 0;
}

// Whether the folder's access list lets anybody add or remove files in it, its entries taken in
// order as Windows does (a refusal before a grant wins). Entries only for what is made inside
// the folder do not count. No list at all lets everybody do anything.
bool AnybodyMayChange(const ACL* list)
{
    if (list == nullptr) {
        return true;
    }
    constexpr DWORD kChanges = FILE_ADD_FILE | FILE_DELETE_CHILD | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE |
                               GENERIC_ALL;
    DWORD refused = 0;
    for (DWORD index = 0; index < list->AceCount; ++index) {
        void* entry = nullptr;
        if (GetAce(const_cast<ACL*>(list), index, &entry) == 0) {
            continue;
        }
        const auto* header = static_cast<const ACE_HEADER*>(entry);
        if ((header->AceFlags & INHERIT_ONLY_ACE) != 0) {
            continue;
        }
        // Allowed and denied entries share their layout: mask, then the SID.
        const auto* ace = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
        if (!IsAnybody(const_cast<DWORD*>(&ace->SidStart))) {
            continue;
        }
        if (header->AceType == ACCESS_DENIED_ACE_TYPE) {
            refused |= ace->Mask;
        } else if (header->AceType == ACCESS_ALLOWED_ACE_TYPE && (ace->Mask & kChanges & ~refused) != 0) {
            return true;
        }
    }
    return false;
}

// Who else could change what is kept in the folder: an owner that is neither this user nor the
// machine's administrators or system (who can change anything anyway), or anybody by its access
// list. A folder whose security cannot be read (no such thing on FAT drives) is left unjudged.
SharedBy WorkDirectorySharing(const std::filesystem::path& here)
{
    PSID owner = nullptr;
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR security = nullptr;
    if (GetNamedSecurityInfoW(here.c_str(), SE_FILE_OBJECT,
                              OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr,
                              &list, nullptr, &security) != ERROR_SUCCESS) {
        return SharedBy::Nobody;
    }
    const std::vector<unsigned char> user = CurrentUser();
    SharedBy shared = SharedBy::Nobody;
    if (!user.empty() && owner != nullptr &&
        EqualSid(owner, reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid) == 0 &&
        IsWellKnownSid(owner, WinBuiltinAdministratorsSid) == 0 && IsWellKnownSid(owner, WinLocalSystemSid) == 0) {
        shared = SharedBy::AnotherOwner;
    } else if (AnybodyMayChange(list)) {
        shared = SharedBy::Anybody;
    }
    LocalFree(security);
    return shared;
}

}  // namespace

void WarnAboutWorkDirectory()
{
    std::error_code code;
    const std::filesystem::path here = std::filesystem::current_path(code);
    WarnAboutSharedWorkDirectory(here, WorkDirectorySharing(here));
    if (WarnAboutHighScoreFile(here)) {
        return;
    }
    // Windows has no access(W_OK) for folders that tells the truth about ACLs: try a file.
    const HANDLE probe = CreateFileW(L"vantor-write-check.tmp", GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_EXISTS) {
            return;   // a leftover of a killed run: the folder is writable
        }
        std::fprintf(stderr, "vantor: warning: cannot write in %s; the high score will not be saved\n",
                     here.string().c_str());
        return;
    }
    CloseHandle(probe);
}
