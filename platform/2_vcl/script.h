// The script driver: plays a list of user actions (focus a control, type, set a value, pick
// a list item, drop or close a list, press a key, click, answer a message box) and records
// what the user saw. Tests and the razir command line use it; the actions have a text form,
// one per line:
//   focus edtFecDesde        type 01/05/2026        set edtFecDesde=01/05/2026
//   pick lkcmbTiendas Centro pick cmbOrden #2       drop lkcmbTiendas    closeup lkcmbTiendas
//   press Escape             press Shift+Tab        press Alt+P          click btnPreview
//   answer Sí                click popVerif (a menu item)    pick LBArch VENTAS (a tree node)
//   close                    close VistaPrevia      (the window's close box)
// Names are looked up in the modal form ("frmOtro.btnX" reaches another form). Not here: the
// model's rules, which the driver only triggers.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/2_vcl/driver.h"

namespace vcl {

// A script that cannot be parsed or played: the message says which line or control, in Spanish.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Step {
    enum class Kind { Focus, Type, Set, Pick, PickIndex, Drop, CloseUp, Press, Click, Answer, Close };
    Kind kind = Kind::Focus;
    std::string target;  // control path
    std::string text;    // typed text, value to set, item to pick
    int index = -1;      // PickIndex
    WORD key = 0;        // Press
    TShiftState shift = ssNone;
    TModalResult answer = mrNone;  // Answer
    int line = 0;        // line of the script text, 0 when built in code

    static Step Focus(std::string_view path);
    // Types into the control that has the focus, replacing an edit's text.
    static Step Type(std::string_view text);
    // Focuses the control and gives it the value as its kind takes one: typed into an edit,
    // picked in a list, "sí"/"no" for a check box.
    static Step Set(std::string_view path, std::string_view value);
    static Step Pick(std::string_view path, std::string_view item);
    static Step PickIndex(std::string_view path, int index);
    static Step Drop(std::string_view path);
    static Step CloseUp(std::string_view path);
    static Step Press(WORD key, TShiftState shift = ssNone);
    static Step Click(std::string_view path);
    // Answers the next message box (or, met in the script before any box, is kept for it).
    static Step Answer(TModalResult answer);
    // The close box of a form: the modal one when `form` is empty.
    static Step Close(std::string_view form = {});
};

// One step from its text form; throws ScriptError.
Step ParseStep(std::string_view line);
// A step from an option of the razir command line: "--set" "edtFecDesde=01/05/2026",
// "--press" "Escape" (a key) or "--press" "btnPreview" (a button, clicked), and "--focus",
// "--type", "--pick", "--click", "--answer", "--close" as the lines above. Throws ScriptError.
Step ParseOption(std::string_view option, std::string_view value);
// Every non-empty line not starting with "#"; errors name the line ("línea 3: ...").
std::vector<Step> ParseScript(std::string_view text);
// The text form of a step: ParseStep(Describe(s)) gives s back.
std::string Describe(const Step& step);
// "Escape", "Esc", "Enter", "Intro", "Tab", "Shift+Tab", "F1", "Alt+P", "Up"...
std::optional<std::pair<WORD, TShiftState>> ParseKey(std::string_view name);
std::string KeyName(WORD key, TShiftState shift);
// "Sí", "Si", "Yes", "No", "Aceptar", "OK", "Cancelar"... ignoring case.
std::optional<TModalResult> ParseAnswer(std::string_view name);

class ScriptDriver : public Driver {
public:
    explicit ScriptDriver(std::vector<Step> steps = {});

    void Add(Step step) { steps_.push_back(std::move(step)); }
    // Answers for the next message boxes, used before any answer step of the script.
    void QueueAnswer(TModalResult answer) { answers_.push_back(answer); }

    // Plays steps until the form may close. When the steps run out (or one fails) with the
    // form still open it records "script ended with form open" and returns; ShowModal then
    // closes the form and returns mrNone.
    void RunModal(TForm& form) override;
    // The next queued answer, else an answer step that comes next in the script, else the
    // default button (recorded as such).
    TModalResult Message(const MessageRequest& request) override;
    void FormShown(TForm& form) override;
    void FormHidden(TForm& form) override;
    void CursorChanged(TCursor cursor) override;
    void HelpRequested(int context) override;

    // Plays the remaining steps on a form that is shown but not modal.
    void PlayOn(TForm& form);

    const std::vector<MessageRecord>& Messages() const { return messages_; }
    // Every step played and what it led to, one line each.
    const std::vector<std::string>& Log() const { return log_; }
    // Steps that could not be played (unknown control, disabled control, no such item...).
    // The first one stops the script.
    const std::vector<std::string>& Failures() const { return failures_; }
    bool EndedWithFormOpen() const { return endedOpen_; }
    std::size_t StepsLeft() const { return stopped_ ? 0 : steps_.size() - next_; }

private:
    bool PlayNext(TForm& form);
    void Play(const Step& step, TForm& form);
    TComponent* FindAny(const std::string& path, TForm& form) const;
    TControl* Find(const std::string& path, TForm& form) const;
    TWinControl* FindWindowed(const std::string& path, TForm& form) const;
    void FocusFor(TWinControl* control);
    void TypeInto(TForm& form, std::string_view text);
    void SetValue(TControl* control, const Step& step, TForm& form);

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    bool stopped_ = false;
    bool endedOpen_ = false;
    std::deque<TModalResult> answers_;
    std::vector<MessageRecord> messages_;
    std::vector<std::string> log_;
    std::vector<std::string> failures_;
};

}  // namespace vcl
