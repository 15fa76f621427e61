// Drivers decide who plays the user: they run modal loops, show forms, answer message boxes
// and show the cursor. The model keeps all state; a driver only plays and shows. One driver is
// current at a time; without one the headless driver answers at once and never blocks.
// Not here: the script of user actions (script.h) or the desktop windows (a Qt driver).
#pragma once

#include <string>
#include <vector>

#include "platform/2_vcl/application.h"

namespace vcl {

enum class MsgIcon { None, Information, Warning, Error, Question };

// A message box as the user sees it; buttons are the modal results they answer
// (mrOk, mrYes...), in display order.
struct MessageRequest {
    std::string text;
    std::string caption;
    MsgIcon icon = MsgIcon::None;
    std::vector<TModalResult> buttons;
    TModalResult defaultButton = mrOk;
    int helpContext = 0;
};

// What a driver recorded of one message box.
struct MessageRecord {
    MessageRequest request;
    TModalResult answer = mrNone;
    bool defaulted = false;  // nobody chose: the default button answered
};

class Driver {
public:
    virtual ~Driver() = default;

    // Play the user on a form shown modally until form.ModalDone() answers true, or return
    // with it false when there is no more input (ShowModal then returns mrNone).
    virtual void RunModal(TForm& form) = 0;
    // The user's answer: one of request.buttons.
    virtual TModalResult Message(const MessageRequest& request) = 0;
    virtual void FormShown(TForm&) {}
    virtual void FormHidden(TForm&) {}
    virtual void CursorChanged(TCursor) {}
    // Help on a context that no form's OnHelp took over.
    virtual void HelpRequested(int /*context*/) {}
};

// Used when no driver is set: modal loops end at once with mrCancel, message boxes get their
// default button and are written to stderr, and both are recorded.
class HeadlessDriver : public Driver {
public:
    void RunModal(TForm& form) override;
    TModalResult Message(const MessageRequest& request) override;
    const std::vector<MessageRecord>& Messages() const { return messages_; }

private:
    std::vector<MessageRecord> messages_;
};

// The current driver (the headless one when none is set).
Driver& CurrentDriver();
// Sets the current driver (nullptr: the headless one) and returns the previous one.
Driver* SetDriver(Driver* driver);

// Makes a driver current for a scope and restores the previous one.
class DriverScope {
public:
    explicit DriverScope(Driver& driver) : previous_(SetDriver(&driver)) {}
    ~DriverScope() { SetDriver(previous_); }
    DriverScope(const DriverScope&) = delete;
    DriverScope& operator=(const DriverScope&) = delete;

private:
    Driver* previous_;
};

// The names users see on message-box buttons ("Aceptar", "Sí"...), and a one-line account of
// a recorded message, as drivers write them.
std::string ButtonName(TModalResult button);
std::string Describe(const MessageRecord& record);

}  // namespace vcl
