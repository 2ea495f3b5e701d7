// Kernel services: last error, files and folders, private-profile (INI) files, environment,
// modules. Windows names, signatures and semantics; paths are Windows paths resolved through
// the drive table (see kvwin32/drives.h).
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/windef.h"

extern "C" {

// Last error of the calling thread, as each service leaves it.
DWORD GetLastError();
void SetLastError(DWORD code);
// Compares two strings in CompareStringA's order, as its answer less 2 (-1, 0 or 1); a null
// string sorts before every other. lstrcmpA minds letter case (lower case first where nothing
// else differs); lstrcmpiA does not, and is the order sorted list boxes keep.
int lstrcmpA(LPCSTR a, LPCSTR b);
int lstrcmpiA(LPCSTR a, LPCSTR b);
// The calling thread's id (the window system keys its message queues by it).
DWORD GetCurrentThreadId();

// ---- Files and folders -------------------------------------------------------------------

#define INVALID_FILE_ATTRIBUTES (static_cast<DWORD>(-1))
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080

// Attributes of the entry a path names, or INVALID_FILE_ATTRIBUTES (last error says why).
DWORD GetFileAttributesA(LPCSTR fileName);
// Sets the read-only bit from FILE_ATTRIBUTE_READONLY; other bits are accepted and ignored.
BOOL SetFileAttributesA(LPCSTR fileName, DWORD attributes);
// Full path of a file name against the current directory; length without the terminator on
// success, the size needed (terminator included) when the buffer is too small, 0 on failure.
DWORD GetFullPathNameA(LPCSTR fileName, DWORD bufferLength, LPSTR buffer, LPSTR* filePart);
BOOL CreateDirectoryA(LPCSTR pathName, LPSECURITY_ATTRIBUTES securityAttributes);
BOOL RemoveDirectoryA(LPCSTR pathName);
// Copies a file; with failIfExists an existing target is left alone and the call fails.
// A failed copy never leaves a partial target behind.
BOOL CopyFileA(LPCSTR existingFileName, LPCSTR newFileName, BOOL failIfExists);
BOOL DeleteFileA(LPCSTR fileName);
BOOL SetCurrentDirectoryA(LPCSTR pathName);
DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer);
// The folder named by WINDIR, else "C:\Windows".
UINT GetWindowsDirectoryA(LPSTR buffer, UINT size);
// The temporary folder (TMP, TEMP, USERPROFILE, then TMPDIR and /tmp seen through the drive
// table, then the Windows folder), with a trailing "\".
DWORD GetTempPathA(DWORD bufferLength, LPSTR buffer);

// ---- Private-profile (INI) files -----------------------------------------------------------

DWORD GetPrivateProfileStringA(LPCSTR appName, LPCSTR keyName, LPCSTR defaultValue,
                               LPSTR returnedString, DWORD size, LPCSTR fileName);
UINT GetPrivateProfileIntA(LPCSTR appName, LPCSTR keyName, INT defaultValue, LPCSTR fileName);
DWORD GetPrivateProfileSectionA(LPCSTR appName, LPSTR returnedString, DWORD size, LPCSTR fileName);
DWORD GetPrivateProfileSectionNamesA(LPSTR returnBuffer, DWORD size, LPCSTR fileName);
BOOL WritePrivateProfileStringA(LPCSTR appName, LPCSTR keyName, LPCSTR string, LPCSTR fileName);

// ---- Environment (the library's case-insensitive overlay, never the host's own) -------------

DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size);
// A null value removes the variable.
BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value);
DWORD ExpandEnvironmentStringsA(LPCSTR source, LPSTR destination, DWORD size);

// ---- Modules ----------------------------------------------------------------------------

#define DONT_RESOLVE_DLL_REFERENCES 0x00000001
#define LOAD_LIBRARY_AS_DATAFILE 0x00000002
#define LOAD_WITH_ALTERED_SEARCH_PATH 0x00000008

// Loads "X.dll" as the shared object "X.so" beside it (or the name as given).
HMODULE LoadLibraryA(LPCSTR fileName);
HMODULE LoadLibraryExA(LPCSTR fileName, HANDLE file, DWORD flags);
BOOL FreeLibrary(HMODULE module);
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
// Null names the main program.
HMODULE GetModuleHandleA(LPCSTR moduleName);

#define GET_MODULE_HANDLE_EX_FLAG_PIN 0x00000001
#define GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT 0x00000002
#define GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS 0x00000004
// The module named, or with GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS the module holding the
// address moduleName points at; FALSE with ERROR_MOD_NOT_FOUND when there is none.
BOOL GetModuleHandleExA(DWORD flags, LPCSTR moduleName, HMODULE* module);
// Windows path of a module's file; null names the main program.
DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);

}  // extern "C"

#pragma GCC visibility pop
