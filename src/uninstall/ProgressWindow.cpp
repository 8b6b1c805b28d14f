#include "uninstall/ProgressWindow.h"

#include "base/Texts.h"
#include "toolkit/Application.h"
#include "toolkit/RowLayout.h"

ProgressWindow::ProgressWindow(const ProgressWindowLayout& layout)
    : Form(layout.form),
      PhaseLabel(*this, layout.phase, layout.phaseDesign, LabelAlign::Left, nullptr, layout.phaseSizing),
      ItemLabel(*this, layout.currentItem, "", LabelAlign::Left, nullptr, layout.currentItemSizing),
      ProgressBar1(*this, layout.bar, layout.barStep),
      Button1(*this, layout.button, Text(layout.buttonText), Bind<&ProgressWindow::Button1Click>(this)) {
    SetCaption(Text(layout.caption));
    KeepBelow(PhaseLabel, ItemLabel);
    // Made after the button, as the window always had it: the order its controls are tabbed through.
    if (layout.totalBar) TotalBar.emplace(*this, *layout.totalBar);
}

void ProgressWindow::ShowCaption(const std::string& caption) {
    SetCaption(caption);
    Update();
}

void ProgressWindow::ShowPhase(const std::string& text) {
    ShowItemNow();
    PhaseLabel.SetCaption(text);
    KeepRowApart({&PhaseLabel});
    PhaseLabel.Update();
}

void ProgressWindow::ShowCurrentItem(const std::string& text) {
    item_ = text;
    ShowItemWhenDue();
}

void ProgressWindow::SetBarStep(ProgressBarRole bar, int step) {
    if (ProgressBar* shown = BarOf(bar)) shown->SetStep(step);
}

void ProgressWindow::StepBar(ProgressBarRole bar) {
    ProgressBar* shown = BarOf(bar);
    if (!shown) return;
    shown->StepIt();
    ShowItemWhenDue();
}

void ProgressWindow::SetBarPosition(ProgressBarRole bar, int position) {
    ProgressBar* shown = BarOf(bar);
    if (!shown) return;
    shown->SetPosition(position);
    ShowItemNow();
}

void ProgressWindow::ShowEnded() {
    ShowItemNow();
    Button1.SetCaption(Text(TextId::ProgressOk));
    SetBusy(false);
    Button1.MakeDefault();
}

ProgressBar* ProgressWindow::BarOf(ProgressBarRole bar) {
    if (bar == ProgressBarRole::Current) return &ProgressBar1;
    return TotalBar ? &*TotalBar : nullptr;
}

void ProgressWindow::ShowItemWhenDue() {
    if (Application::Instance().AnswerDue()) ShowItemNow();
}

void ProgressWindow::ShowItemNow() {
    if (ItemLabel.Caption() != item_) {
        ItemLabel.SetCaption(item_);
        KeepRowApart({&ItemLabel});
    }
    Application::Instance().ProcessMessages();
}
