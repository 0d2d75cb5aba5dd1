// What the Windows window system says of a program's windows, for the checks that drive the
// Windows build from outside (scripts/windows-check.sh): Wine's virtual desktop keeps its
// windows inside one X window, so only Windows itself can say where they are.
//
//   wintool windows PROGRAM.exe   a line for each of the program's visible top-level windows:
//                                 its handle, "front" or "behind", its left, top, right and
//                                 bottom on the screen, and its title
//   wintool closebox HANDLE       the middle of the window's close box on the screen
//
// Exits with 1 when there is nothing to say.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {

const wchar_t* program;
bool found = false;

// Whether the window's process runs the program, by the name of its file.
bool runsProgram(HWND window)
{
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process)
        return false;
    wchar_t path[MAX_PATH];
    DWORD size = MAX_PATH;
    bool runs = false;
    if (QueryFullProcessImageNameW(process, 0, path, &size)) {
        const wchar_t* name = wcsrchr(path, L'\\');
        runs = _wcsicmp(name ? name + 1 : path, program) == 0;
    }
    CloseHandle(process);
    return runs;
}

BOOL CALLBACK describe(HWND window, LPARAM front)
{
    wchar_t title[256];
    RECT place;
    if (!IsWindowVisible(window) || !GetWindowTextW(window, title, 256) || !runsProgram(window))
        return TRUE;
    GetWindowRect(window, &place);
    std::wprintf(L"%llu %ls %ld %ld %ld %ld %ls\n",
                 static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)),
                 reinterpret_cast<HWND>(front) == window ? L"front" : L"behind", place.left,
                 place.top, place.right, place.bottom, title);
    found = true;
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t* argv[])
{
    if (argc == 3 && wcscmp(argv[1], L"windows") == 0) {
        program = argv[2];
        EnumWindows(describe, reinterpret_cast<LPARAM>(GetForegroundWindow()));
        return found ? 0 : 1;
    }
    if (argc == 3 && wcscmp(argv[1], L"closebox") == 0) {
        const auto window =
            reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::wcstoull(argv[2], nullptr, 10)));
        TITLEBARINFO bar{};
        bar.cbSize = sizeof bar;
        if (!IsWindow(window) || !GetTitleBarInfo(window, &bar))
            return 1;
        // The close box is the caption's last button, as wide as a caption button.
        const int button = GetSystemMetrics(SM_CXSIZE);
        std::wprintf(L"%ld %ld\n", bar.rcTitleBar.right - button / 2 - 1,
                     (bar.rcTitleBar.top + bar.rcTitleBar.bottom) / 2);
        return 0;
    }
    std::fwprintf(stderr, L"usage: wintool windows PROGRAM.exe | wintool closebox HANDLE\n");
    return 2;
}
