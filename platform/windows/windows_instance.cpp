#include "platform/windows/windows_instance.h"

#include <chrono>
#include <thread>

namespace tapestro {

namespace {

using Clock = std::chrono::steady_clock;

// Marks our WM_COPYDATA among whatever else reaches the window: "TPST".
constexpr ULONG_PTR kCommandTag = 0x54505354;
// Posted by the window to itself, so that the sender has its answer first.
constexpr UINT kRunCommand = WM_APP + 1;
constexpr UINT kSendTimeoutMs = 10000;
// A copy that has just claimed the session may not have made its window yet.
constexpr auto kWindowWait = std::chrono::seconds(2);
// How long a quitting copy may take to let go of the session before Send gives up.
constexpr auto kQuitWait = std::chrono::seconds(5);
constexpr auto kPoll = std::chrono::milliseconds(20);

std::wstring Wide(const std::string& text) {
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

// Polls until done() holds or the time is up; whether done() held.
template <typename Done>
bool PollUntil(Done done, Clock::duration limit) {
  const auto deadline = Clock::now() + limit;
  while (!done()) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPoll);
  }
  return true;
}

}  // namespace

TWindowsInstance::TWindowsInstance(const std::string& applicationId, TCommandHandler handler)
    : mutexName_(L"Local\\" + Wide(applicationId)), className_(Wide(applicationId)), handler_(std::move(handler)) {}

TWindowsInstance::~TWindowsInstance() {
  if (window_ != nullptr) ::DestroyWindow(window_);
  if (mutex_ != nullptr) ::CloseHandle(mutex_);
}

bool TWindowsInstance::Claim() {
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, mutexName_.c_str());
  if (mutex == nullptr) return false;
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    // Our handle would keep the name alive after the running copy ends.
    ::CloseHandle(mutex);
    return false;
  }
  mutex_ = mutex;
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = className_.c_str();
  // A class registered by an earlier copy in this process stays usable.
  ::RegisterClassExW(&windowClass);
  // Without a window the session is still ours; later starts then find no one to talk to.
  window_ =
      ::CreateWindowExW(0, className_.c_str(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, this);
  return true;
}

bool TWindowsInstance::Send(TInstanceCommand command) {
  const HWND copy = FindCopyWindow();
  if (copy == nullptr) return false;
  // The running copy may then bring its window to the front.
  DWORD process = 0;
  ::GetWindowThreadProcessId(copy, &process);
  ::AllowSetForegroundWindow(process);
  const std::string_view word = InstanceCommandWord(command);
  COPYDATASTRUCT data = {kCommandTag, static_cast<DWORD>(word.size()), const_cast<char*>(word.data())};
  DWORD_PTR answer = FALSE;
  if (::SendMessageTimeoutW(copy, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                            kSendTimeoutMs, &answer) == 0 ||
      answer != TRUE) {
    return false;
  }
  if (command == TInstanceCommand::Quit) PollUntil([this] { return !SessionHeld(); }, kQuitWait);
  return true;
}

bool TWindowsInstance::SessionHeld() const {
  HANDLE mutex = ::OpenMutexW(SYNCHRONIZE, FALSE, mutexName_.c_str());
  if (mutex == nullptr) return false;
  ::CloseHandle(mutex);
  return true;
}

HWND TWindowsInstance::FindCopyWindow() const {
  HWND copy = nullptr;
  PollUntil(
      [&] {
        copy = ::FindWindowExW(HWND_MESSAGE, nullptr, className_.c_str(), nullptr);
        return copy != nullptr || !SessionHeld();
      },
      kWindowWait);
  return copy;
}

LRESULT CALLBACK TWindowsInstance::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* self = reinterpret_cast<TWindowsInstance*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data->dwData != kCommandTag || data->lpData == nullptr) return FALSE;
    const auto command = InstanceCommandNamed({static_cast<const char*>(data->lpData), data->cbData});
    if (!command) return FALSE;
    return ::PostMessageW(window, kRunCommand, static_cast<WPARAM>(*command), 0) ? TRUE : FALSE;
  }
  if (message == kRunCommand && self != nullptr && self->handler_) {
    // The handler may end this copy: nothing here touches it afterwards.
    self->handler_(static_cast<TInstanceCommand>(wParam));
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tapestro
