#pragma once
// Messages from a worker thread to the thread that owns a window.
//
// The receiving end is a MessageWindow, created on the thread that will handle
// its messages. Other threads reach it by its handle with two operations:
//   sendMessage: delivered on the window's thread; the sender waits until the
//                handler has returned (SendMessage), so data passed by address
//                only needs to live while the call lasts;
//   postMessage: queued; the sender goes on at once (PostMessage).
// On Windows the handle is a message-only window (HWND) and the thread's
// ordinary message loop (GetMessage/DispatchMessage, modal loops included)
// delivers the messages. On the hosted platform it is a queue that the owning
// thread empties with pump().
//
// A send from the window's own thread calls the handler directly, as Windows
// does. A handler's failure belongs to the window's thread: pumpUntil throws
// it there, after a waiting sender has been released, and the sender goes on
// as if the message had been handled. The window must outlive every sender
// that holds its handle.
#include <cstdint>
#include <functional>
#include <memory>

namespace vk::platform {

using WindowHandle = void*;

// Codes from 1024 (the system's first user message) to 0x7FFF are the caller's.
constexpr std::uint32_t kFirstUserMessage = 1024;

// Implemented by whoever reacts to a window's messages: the install progress
// dispatcher (engine) and the tests' recorders.
class MessageHandler {
public:
    virtual ~MessageHandler() = default;
    virtual void handleMessage(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

class MessageWindow {
public:
    // Creates the receiving end on the calling thread.
    explicit MessageWindow(MessageHandler& handler);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    WindowHandle handle() const;

    // Delivers messages on the owning thread, waiting for them, until done()
    // holds after a delivery (checked first, too). On Windows this is the
    // thread's message loop and dispatches its other windows' messages as well;
    // a send hands over before an earlier post, so the posts this window still
    // holds when done() holds are delivered before it returns.
    void pumpUntil(const std::function<bool()>& done);

    class Impl;

private:
    std::unique_ptr<Impl> impl_;
};

void sendMessage(WindowHandle window, std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam);
void postMessage(WindowHandle window, std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam);

// Runs call on the window's thread and waits for it to return (a thread's
// "synchronize"); the handler never sees it. Unlike a handler's failure, an
// exception from call is rethrown in the caller.
void sendCall(WindowHandle window, const std::function<void()>& call);

}  // namespace vk::platform
