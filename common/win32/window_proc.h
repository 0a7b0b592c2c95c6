// The one window procedure of every window class the programs register. A
// window is created with its MessageHandler as the creation parameter; the
// procedure keeps that pointer in GWLP_USERDATA and hands every later message
// to it. No exception leaves the procedure: a handler that throws leaves a
// trace and the message gets the default handling.
#pragma once

#include <windows.h>

namespace win32 {

class MessageHandler {
public:
    // Messages before the handler is ready (the ones CreateWindowExW sends)
    // get the default handling.
    virtual bool Ready() const { return true; }
    virtual LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~MessageHandler() = default;
};

LRESULT CALLBACK HandlerWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Registers a top-level window class served by HandlerWindowProc, with the
// arrow cursor and the button-face background; false (and a trace) when the
// system refuses it.
bool RegisterHandlerClass(HINSTANCE instance, const wchar_t* className, UINT classStyle);

// The handler a window was created with; nullptr before WM_NCCREATE.
MessageHandler* HandlerOf(HWND hwnd);

}  // namespace win32
