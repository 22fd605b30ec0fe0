// first-window.exe: the least a Win32 program does to show a window, titled "first window",
// then waits for it to be closed. bench/wine_startup.py starts it beside kestrel.exe to tell
// Kestrel's own start-up cost from Wine's.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(window, message, wParam, lParam);
    };
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"FirstWindow";
    RegisterClassW(&windowClass);
    CreateWindowW(L"FirstWindow", L"first window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300,
                  200, nullptr, nullptr, instance, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
