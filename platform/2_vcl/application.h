// The application and the screen: the global objects that hold the main form, the program's
// location, help dispatch, the forms in z-order and the mouse cursor.
// Not here: message boxes (dialogs.h) or who plays the user (driver.h).
#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "platform/2_vcl/form.h"

namespace vcl {

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crSQLWait = -17;

class TApplication {
public:
    TApplication();

    TForm* MainForm() const { return mainForm_; }
    void SetMainForm(TForm* form) { mainForm_ = form; }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string_view title) { title_ = title; }

    // The running program's file, /proc/self/exe unless a test or the command line set another.
    const std::string& ExeName() const { return exeName_; }
    void SetExeName(std::string_view exeName) { exeName_ = exeName; }
    // The folder part of ExeName with its trailing "/" ("/opt/razir/" for "/opt/razir/razir").
    std::string ExeFolder() const;

    // Help on `context`: raises OnHelp of `form` (the active form when nullptr) with
    // HELP_CONTEXT; when no handler cleared CallHelp, the driver is told. Returns the
    // handler's answer, or whether the driver was told.
    bool HelpContext(int context, TForm* form = nullptr);
    // Help as a help button or F1 ask for it: the first non-zero HelpContext from `control`
    // up to its form. False when there is none.
    bool HelpFor(const TControl* control);

    // The same as vcl::MessageBox (dialogs.h), as handlers have long called it.
    int MessageBox(std::string_view text, std::string_view caption, unsigned flags);

    // An exception that escaped an event handler: shown as an error message box, as the
    // component library always did, so the user sees it and the loop goes on.
    void HandleException(const std::exception& e);
    // Frees the forms that asked for Release.
    void ProcessMessages();

private:
    friend class TForm;
    TForm* mainForm_ = nullptr;
    std::string title_ = "Razir";
    std::string exeName_;
    std::vector<TForm*> released_;
};

class TScreen {
public:
    int FormCount() const { return static_cast<int>(forms_.size()); }
    // In z-order: Forms(0) is the front one.
    TForm* Forms(int index) const { return forms_.at(index); }
    const std::vector<TForm*>& FormList() const { return forms_; }
    // The first form in z-order with that name, ignoring case.
    TForm* FindForm(std::string_view name) const;
    TForm* ActiveForm() const { return activeForm_; }
    TWinControl* ActiveControl() const { return activeForm_ ? activeForm_->ActiveControl() : nullptr; }

    TCursor Cursor() const { return cursor_; }
    // Tells the driver, which shows it.
    void SetCursor(TCursor cursor);

private:
    friend class TForm;
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);
    void ToFront(TForm* form);
    void Activate(TForm* form);
    void FormHidden(TForm* form);

    std::vector<TForm*> forms_;
    TForm* activeForm_ = nullptr;
    TCursor cursor_ = crDefault;
};

extern TApplication* const Application;
extern TScreen* const Screen;

}  // namespace vcl
