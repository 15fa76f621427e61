// The global application and screen: forms in z-order and the active one, help dispatch to
// the form's OnHelp, exceptions from handlers shown as messages, deferred release of forms.
#include "platform/2_vcl/application.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/2_vcl/dialogs.h"
#include "platform/2_vcl/driver.h"

namespace vcl {

namespace {
TApplication theApplication;
TScreen theScreen;
}  // namespace

TApplication* const Application = &theApplication;
TScreen* const Screen = &theScreen;

TApplication::TApplication() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) exeName_ = exe.string();
}

std::string TApplication::ExeFolder() const {
    const auto slash = exeName_.find_last_of('/');
    return slash == std::string::npos ? std::string() : exeName_.substr(0, slash + 1);
}

bool TApplication::HelpContext(int context, TForm* form) {
    if (!form) form = Screen->ActiveForm();
    bool callHelp = true;
    bool handled = false;
    if (form && form->OnHelp) handled = form->OnHelp(HELP_CONTEXT, context, callHelp);
    if (callHelp) {
        CurrentDriver().HelpRequested(context);
        handled = true;
    }
    return handled;
}

bool TApplication::HelpFor(const TControl* control) {
    for (const TControl* c = control; c; c = c->Parent()) {
        if (c->HelpContext() != 0) return HelpContext(c->HelpContext(), GetParentForm(control));
        if (dynamic_cast<const TForm*>(c)) break;
    }
    return false;
}

int TApplication::MessageBox(std::string_view text, std::string_view caption, unsigned flags) {
    return vcl::MessageBox(text, caption, flags);
}

void TApplication::HandleException(const std::exception& e) {
    vcl::MessageBox(e.what(), title_, MB_OK | MB_ICONERROR);
}

void TApplication::ProcessMessages() {
    const std::vector<TForm*> released = std::move(released_);
    released_.clear();
    for (TForm* form : released) form->Free();
}

TForm* TScreen::FindForm(std::string_view name) const {
    for (TForm* f : forms_)
        if (SameName(f->Name(), name)) return f;
    return nullptr;
}

void TScreen::SetCursor(TCursor cursor) {
    cursor_ = cursor;
    CurrentDriver().CursorChanged(cursor);
}

void TScreen::AddForm(TForm* form) { forms_.push_back(form); }

void TScreen::RemoveForm(TForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (activeForm_ == form) {
        activeForm_ = nullptr;
        for (TForm* f : forms_)
            if (f->Visible()) {
                activeForm_ = f;
                break;
            }
    }
}

void TScreen::ToFront(TForm* form) {
    auto it = std::find(forms_.begin(), forms_.end(), form);
    if (it != forms_.end()) std::rotate(forms_.begin(), it, it + 1);
}

void TScreen::Activate(TForm* form) {
    if (activeForm_ == form) return;
    TForm* previous = activeForm_;
    activeForm_ = form;
    if (previous) previous->Activated(false);
    form->Activated(true);
}

void TScreen::FormHidden(TForm* form) {
    if (activeForm_ != form) return;
    activeForm_ = nullptr;
    form->Activated(false);
    for (TForm* f : forms_)
        if (f != form && f->Visible()) {
            Activate(f);
            break;
        }
}

}  // namespace vcl
