// Message sequences recorded as data, the way Wine's own tests check its controls: every
// message a window's object handles, whether it was posted (taken from the queue) or sent,
// and whether it reached the default procedure.  Tests compare the log with a table.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <ostream>
#include <vector>

struct MessageRecord {
  UINT message;
  bool posted;     // taken from the thread's queue rather than sent
  bool defaulted;  // reached the default procedure (the handler called Default(), or none)
  bool operator==(const MessageRecord& o) const {
    return message == o.message && posted == o.posted && defaulted == o.defaulted;
  }
};

inline std::ostream& operator<<(std::ostream& out, const MessageRecord& r) {
  return out << "{0x" << std::hex << r.message << std::dec << (r.posted ? " posted" : " sent")
             << (r.defaulted ? " default}" : " handled}");
}

namespace messagelog {
// The message the thread's message loop took from the queue last, until a window procedure
// claims it.  Kept by a WH_GETMESSAGE hook for as long as a Recorded window lives.
struct Taken {
  MSG msg{};
  bool pending = false;
};
inline Taken& taken() {
  static Taken t;
  return t;
}
inline LRESULT CALLBACK hook(int code, WPARAM removed, LPARAM lp) {
  if (code == HC_ACTION && removed == PM_REMOVE) {
    taken().msg = *reinterpret_cast<const MSG*>(lp);
    taken().pending = true;
  }
  return CallNextHookEx(nullptr, code, removed, lp);
}
}  // namespace messagelog

// Base with the messages listed in watch recorded into log (none while watch is empty).
template <class Base>
class Recorded : public Base {
 public:
  template <class... Args>
  explicit Recorded(Args&&... args) : Base(static_cast<Args&&>(args)...) {
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, &messagelog::hook, nullptr, GetCurrentThreadId());
  }
  ~Recorded() override { UnhookWindowsHookEx(hook_); }
  std::vector<MessageRecord> log;
  std::vector<UINT> watch;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    messagelog::Taken& t = messagelog::taken();
    const bool posted =
        t.pending && t.msg.hwnd == this->m_hWnd && t.msg.message == msg && t.msg.wParam == wp && t.msg.lParam == lp;
    if (posted) t.pending = false;
    const bool watched = std::find(watch.begin(), watch.end(), msg) != watch.end();
    if (watched) log.push_back(MessageRecord{msg, posted, false});
    open_.push_back(watched ? log.size() - 1 : kNone);
    const LRESULT result = Base::WindowProc(msg, wp, lp);
    open_.pop_back();
    return result;
  }
  LRESULT DefWindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (!open_.empty() && open_.back() != kNone) log[open_.back()].defaulted = true;
    return Base::DefWindowProc(msg, wp, lp);
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::vector<std::size_t> open_;
  HHOOK hook_;
};
