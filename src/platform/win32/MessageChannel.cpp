// The Windows message window: a message-only window whose procedure hands the
// caller's messages to the handler. Sends and posts are SendMessageW and
// PostMessageW with the codes and parameters as given.
//
// No exception may cross the window procedure, so it catches them: a call's
// failure goes back to the waiting caller in the request it sent, a message's
// failure is rethrown by pumpUntil on the owning thread. A released sender
// touches nothing of the window again, so the window may go away meanwhile.
#include "platform/MessageChannel.h"

#include <windows.h>

#include <exception>
#include <utility>

#include "platform/Error.h"

namespace vk::platform {

namespace {

constexpr UINT kCallMessage = WM_APP + 1;  // lParam: CallRequest*
constexpr UINT kWakeMessage = WM_APP + 2;  // lets pumpUntil look at done() again
const wchar_t kClassName[] = L"VorkastMessageWindow";

struct CallRequest {
    const std::function<void()>* call;
    std::exception_ptr failure;
};

}  // namespace

class MessageWindow::Impl {
public:
    explicit Impl(MessageHandler& handler) : handler_(handler) {
        static const ATOM registered = [] {
            WNDCLASSW windowClass{};
            windowClass.lpfnWndProc = &Impl::windowProcedure;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = kClassName;
            return RegisterClassW(&windowClass);
        }();
        if (!registered) throw Error("Не удалось зарегистрировать класс окна сообщений.");
        window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        if (!window_) throw Error("Не удалось создать окно сообщений.");
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Impl() { DestroyWindow(window_); }

    HWND window() const { return window_; }

    bool ownedByThisThread() const { return GetWindowThreadProcessId(window_, nullptr) == GetCurrentThreadId(); }

    void send(UINT code, WPARAM wParam, LPARAM lParam) {
        if (ownedByThisThread())
            handler_.handleMessage(code, wParam, lParam);
        else
            SendMessageW(window_, code, wParam, lParam);
    }

    void call(const std::function<void()>& call) {
        if (ownedByThisThread()) {
            call();
            return;
        }
        CallRequest request{&call, nullptr};
        SendMessageW(window_, kCallMessage, 0, reinterpret_cast<LPARAM>(&request));
        if (request.failure) std::rethrow_exception(request.failure);
    }

    void pumpUntil(const std::function<bool()>& done) {
        while (!done()) {
            MSG message;
            if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
                PostQuitMessage(static_cast<int>(message.wParam));  // leave the quit for the outer loop
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
            rethrowHandlerFailure();
        }
        // Windows hands over a sent message before one posted earlier, so the
        // send that ended the wait may have overtaken a post (the worker's
        // report before its end): what this window still holds is delivered
        // now, not left for a later loop that may never come.
        MSG message;
        while (PeekMessageW(&message, window_, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
            rethrowHandlerFailure();
        }
    }

private:
    void rethrowHandlerFailure() {
        if (std::exception_ptr failure = std::exchange(handlerFailure_, nullptr)) std::rethrow_exception(failure);
    }

    static LRESULT CALLBACK windowProcedure(HWND window, UINT code, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Impl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        const bool ours = code == kCallMessage || (code >= kFirstUserMessage && code < WM_APP);
        if (!self || !ours) return DefWindowProcW(window, code, wParam, lParam);
        const bool sent = InSendMessage();
        if (code == kCallMessage) {
            auto* request = reinterpret_cast<CallRequest*>(lParam);
            try {
                (*request->call)();
            } catch (...) {
                request->failure = std::current_exception();
            }
        } else {
            try {
                self->handler_.handleMessage(code, wParam, lParam);
            } catch (...) {
                self->handlerFailure_ = std::current_exception();
            }
        }
        // GetMessage returns only for posted messages; wake the pump so that
        // it sees what a sent message changed.
        if (sent) PostMessageW(window, kWakeMessage, 0, 0);
        return 0;
    }

    MessageHandler& handler_;
    HWND window_ = nullptr;
    std::exception_ptr handlerFailure_;
};

MessageWindow::MessageWindow(MessageHandler& handler) : impl_(std::make_unique<Impl>(handler)) {}
MessageWindow::~MessageWindow() = default;

WindowHandle MessageWindow::handle() const { return impl_->window(); }

void MessageWindow::pumpUntil(const std::function<bool()>& done) { impl_->pumpUntil(done); }

static MessageWindow::Impl& windowOf(WindowHandle window) {
    return *reinterpret_cast<MessageWindow::Impl*>(GetWindowLongPtrW(static_cast<HWND>(window), GWLP_USERDATA));
}

void sendMessage(WindowHandle window, std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) {
    windowOf(window).send(code, wParam, lParam);
}

void postMessage(WindowHandle window, std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) {
    PostMessageW(static_cast<HWND>(window), code, wParam, lParam);
}

void sendCall(WindowHandle window, const std::function<void()>& call) {
    windowOf(window).call(call);
}

}  // namespace vk::platform
