#pragma once
#include <type_traits>

#include "base/Status.h"

// What a control runs when the user acts on it: a member function of the window that holds the
// control, as `Bind<&TMainForm::Button1Click>(this)` names it. Two pointers, where a general
// function object would bring a copy of its machinery into the program for every handler. A
// handler that can fail returns a Status, which the dispatch point reports (Dispatch.h).
class Handler {
public:
    Handler() = default;
    Handler(void* owner, Status (*call)(void* owner)) : owner_(owner), call_(call) {}

    explicit operator bool() const { return call_ != nullptr; }
    Status operator()() const { return call_(owner_); }

private:
    void* owner_ = nullptr;
    Status (*call_)(void* owner) = nullptr;
};

template <auto Method, class Owner>
Handler Bind(Owner* owner) {
    return Handler(owner, [](void* target) -> Status {
        Owner& form = *static_cast<Owner*>(target);
        if constexpr (std::is_void_v<decltype((form.*Method)())>) {
            (form.*Method)();
            return {};
        } else {
            return (form.*Method)();
        }
    });
}
