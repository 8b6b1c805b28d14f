#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "toolkit/Layout.h"
#include "toolkit/ScopedFont.h"

class Form;

// Something controls can be placed on: a form or a tab page.
class Container {
public:
    virtual HWND ContainerHandle() const = 0;
    virtual Form& OwnerForm() = 0;

protected:
    ~Container() = default;
};

// A child control. It does not own its window, whose life ends with its form's; it keeps its
// own state (caption, bounds) so code and tests can read it back. Bounds are design values,
// which the window gets scaled to the system DPI.
class Control {
public:
    Control(Container& parent, const char* windowClass, DWORD style, DWORD exStyle, const Bounds& bounds,
            const char* caption, const FontSpec* font = nullptr);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND Handle() const { return handle_; }
    Form& OwnerForm() const { return form_; }
    const std::string& Caption() const { return caption_; }
    virtual void SetCaption(const std::string& caption);
    Bounds GetBounds() const { return bounds_; }
    void SetBounds(const Bounds& bounds);
    // Takes its window's new scale: its font and its place.
    void Rescale();
    // Makes it `height` tall when it is shorter; with `moveBelow` what lies below moves down and
    // what holds it grows (Form::MakeRoomBelow). A caption wrapped onto more lines does that; a
    // line of its font taller than the layout's does not: layouts leave that room.
    void GrowTaller(int height, bool moveBelow);
    bool Visible() const;
    void SetVisible(bool visible);
    // Gives it the keyboard: the control a window's Enter acts on is the one that has it.
    void Focus();
    // Repaints pending changes at once, and keeps the windows answering
    // (Application::KeepAnswering).
    void Update() const;

    // Notifications routed here by the form.
    virtual void OnCommand(WORD /*code*/) {}
    virtual std::optional<LRESULT> OnNotify(NMHDR& /*header*/) { return std::nullopt; }
    virtual std::optional<LRESULT> OnControlColor(HDC /*dc*/) { return std::nullopt; }
    // Measures its text again once its window's scale has changed.
    virtual void Refit() {}

protected:
    // Keeps the control's text left to right in a mirrored window: paths, names and drives read
    // the same in every language.
    void KeepLeftToRight();
    // Controls are members of their forms, never deleted through this class: no destructor in
    // every control's table of virtual functions.
    ~Control() = default;

    // The text the window holds now, typed text included.
    std::string WindowText() const;
    const FontSpec* Font() const { return hasFont_ ? &fontSpec_ : nullptr; }
    // The width and height of the caption in the control's font, as design lengths: on one line,
    // or wrapped at `wrapWidth`; `format` takes DrawText's DT_NOPREFIX for a caption whose '&' is
    // shown, and DT_EDITCONTROL for a control that breaks a word longer than a line.
    SIZE CaptionSize(UINT format, int wrapWidth = 0) const;
    // Widens it to `width` when it is narrower, about its centre or from its left edge.
    void GrowTo(int width, bool keepCentre);
    // The widest it may be, as wide as its window can grow: from its left edge, with as much room
    // on the right, or, about its centre, across the window.
    int WidestWidth(bool keepCentre) const;
    // How many of the `count` UTF-16 characters at `text` fit on a line `width` long (a design
    // length) in the control's font.
    int FittingCharacters(const wchar_t* text, int count, int width) const;

private:
    Form& form_;
    HWND handle_ = nullptr;
    std::string caption_;
    Bounds bounds_;
    FontSpec fontSpec_{};
    bool hasFont_ = false;
    std::unique_ptr<ScopedFont> font_;
};
