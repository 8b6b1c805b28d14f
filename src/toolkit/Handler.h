#pragma once

// What a control runs when the user acts on it: a member function of the window that holds the
// control, as `Bind<&TMainForm::Button1Click>(this)` names it. Two pointers, where a general
// function object would bring a copy of its machinery into the program for every handler.
class Handler {
public:
    Handler() = default;
    Handler(void* owner, void (*call)(void* owner)) : owner_(owner), call_(call) {}

    explicit operator bool() const { return call_ != nullptr; }
    void operator()() const { call_(owner_); }

private:
    void* owner_ = nullptr;
    void (*call_)(void* owner) = nullptr;
};

template <auto Method, class Owner>
Handler Bind(Owner* owner) {
    return Handler(owner, [](void* target) { (static_cast<Owner*>(target)->*Method)(); });
}
