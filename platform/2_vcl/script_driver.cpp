// Plays script steps as a user would, through the model's own entry points (SetFocus, the
// form's keys and typed characters, picks and clicks), so every handler runs as it would for a
// person. A step that cannot be played stops the script; an exception from a handler is shown
// as the application shows it and the script goes on.
#include <algorithm>

#include "platform/2_vcl/buttons.h"
#include "platform/1_text/gcc12_restrict.h"
#include "platform/2_vcl/dblookup.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/lists.h"
#include "platform/2_vcl/menus.h"
#include "platform/2_vcl/script.h"
#include "platform/2_vcl/treeview.h"
#include "platform/2_vcl/utf8_internal.h"

namespace vcl {

namespace {

std::string NameOf(const TComponent* c) { return c && !c->Name().empty() ? c->Name() : "(sin nombre)"; }

std::optional<bool> ParseBool(std::string_view v) {
    for (const char* yes : {"true", "sí", "si", "1", "verdadero", "yes"})
        if (SameName(v, yes)) return true;
    for (const char* no : {"false", "no", "0", "falso"})
        if (SameName(v, no)) return false;
    return std::nullopt;
}

TComponent* FindDeep(const TComponent* owner, std::string_view name) {
    if (TComponent* c = owner->FindComponent(name)) return c;
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (TComponent* c = FindDeep(owner->Components(i), name)) return c;
    return nullptr;
}

}  // namespace

ScriptDriver::ScriptDriver(std::vector<Step> steps) : steps_(std::move(steps)) {}

void ScriptDriver::RunModal(TForm& form) {
    while (!form.ModalDone()) {
        if (!PlayNext(form)) {
            endedOpen_ = true;
            log_.push_back("script ended with form open: " + NameOf(&form));
            return;
        }
        Application->ProcessMessages();
    }
}

void ScriptDriver::PlayOn(TForm& form) {
    while (PlayNext(form)) Application->ProcessMessages();
}

bool ScriptDriver::PlayNext(TForm& form) {
    if (stopped_ || next_ >= steps_.size()) return false;
    const Step step = steps_[next_++];
    log_.push_back(Describe(step));
    try {
        Play(step, form);
    } catch (const ScriptError& e) {
        const std::string where = step.line ? "línea " + std::to_string(step.line) + ": " : std::string();
        failures_.push_back(where + Describe(step) + ": " + e.what());
        log_.push_back("falla: " + std::string(e.what()));
        stopped_ = true;
    } catch (const std::exception& e) {
        Application->HandleException(e);
    }
    return true;
}

TModalResult ScriptDriver::Message(const MessageRequest& request) {
    MessageRecord record{request, request.defaultButton, false};
    if (!answers_.empty()) {
        record.answer = answers_.front();
        answers_.pop_front();
    } else if (!stopped_ && next_ < steps_.size() && steps_[next_].kind == Step::Kind::Answer) {
        record.answer = steps_[next_++].answer;
    } else {
        record.defaulted = true;
    }
    const auto& b = request.buttons;
    if (std::find(b.begin(), b.end(), record.answer) == b.end()) {
        failures_.push_back("la respuesta \"" + ButtonName(record.answer) + "\" no es un botón del mensaje \"" +
                            request.text + "\"");
        stopped_ = true;
        record.answer = request.defaultButton;
        record.defaulted = true;
    }
    messages_.push_back(record);
    log_.push_back(vcl::Describe(record));
    return record.answer;
}

void ScriptDriver::FormShown(TForm& form) { log_.push_back("muestra " + NameOf(&form)); }
void ScriptDriver::FormHidden(TForm& form) { log_.push_back("oculta " + NameOf(&form)); }

void ScriptDriver::CursorChanged(TCursor cursor) {
    log_.push_back(cursor == crHourGlass ? "cursor reloj de arena"
                   : cursor == crDefault ? "cursor normal"
                                         : "cursor " + std::to_string(cursor));
}

void ScriptDriver::HelpRequested(int context) { log_.push_back("ayuda " + std::to_string(context)); }

TComponent* ScriptDriver::FindAny(const std::string& path, TForm& form) const {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const auto dot = path.find('.', start);
        parts.push_back(path.substr(start, dot - start));
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    const TComponent* scope = &form;
    std::size_t first = 0;
    if (parts.size() > 1)
        if (TForm* other = Screen->FindForm(parts[0])) scope = other, first = 1;
    TComponent* found = nullptr;
    for (std::size_t i = first; i < parts.size(); ++i) {
        found = i == first ? FindDeep(scope, parts[i]) : scope->FindComponent(parts[i]);
        if (!found) throw ScriptError("no hay un control llamado \"" + parts[i] + "\" en \"" + NameOf(scope) + "\"");
        scope = found;
    }
    return found;
}

TControl* ScriptDriver::Find(const std::string& path, TForm& form) const {
    TComponent* found = FindAny(path, form);
    auto* control = dynamic_cast<TControl*>(found);
    if (!control) throw ScriptError("\"" + path + "\" no es un control");
    return control;
}

TWinControl* ScriptDriver::FindWindowed(const std::string& path, TForm& form) const {
    auto* win = dynamic_cast<TWinControl*>(Find(path, form));
    if (!win) throw ScriptError("\"" + path + "\" no puede recibir el foco");
    return win;
}

void ScriptDriver::FocusFor(TWinControl* control) {
    if (!control->CanFocus())
        throw ScriptError("\"" + NameOf(control) + "\" está desactivado o invisible");
    control->SetFocus();
    TForm* owner = GetParentForm(control);
    if (owner && owner->FocusedControl() != control) {
        // An Exit handler kept the focus (a rejected date): the user cannot go on as written.
        throw ScriptError("el foco no llegó a \"" + NameOf(control) + "\", quedó en \"" +
                          NameOf(owner->FocusedControl()) + "\"");
    }
}

void ScriptDriver::TypeInto(TForm& form, std::string_view text) {
    TWinControl* target = form.FocusedControl();
    if (!target) throw ScriptError("ningún control tiene el foco para escribir");
    if (auto* edit = dynamic_cast<TEdit*>(target)) edit->SelectAll();
    if (auto* combo = dynamic_cast<TComboBox*>(target)) combo->SelectAll();
    if (text.empty()) {
        form.PressKey(VK_DELETE);
        return;
    }
    for (std::size_t i = 0; i < text.size();) form.TypeChar(detail::NextCodePoint(text, i));
}

void ScriptDriver::SetValue(TControl* control, const Step& step, TForm& form) {
    const std::string& value = step.text;
    auto* win = dynamic_cast<TWinControl*>(control);
    TForm* home = GetParentForm(control);
    TForm& where = home ? *home : form;
    if (auto* check = dynamic_cast<TCheckBox*>(control)) {
        const auto v = ParseBool(value);
        if (!v) throw ScriptError("\"" + value + "\" no es sí ni no");
        FocusFor(check);
        if (check->Checked() != *v) check->Toggle();
    } else if (auto* radio = dynamic_cast<TRadioButton*>(control)) {
        const auto v = ParseBool(value);
        if (!v) throw ScriptError("\"" + value + "\" no es sí ni no");
        FocusFor(radio);
        radio->SetChecked(*v);
    } else if (auto* group = dynamic_cast<TRadioGroup*>(control)) {
        FocusFor(group);
        if (!group->PickText(value)) throw ScriptError("\"" + NameOf(group) + "\" no tiene la opción \"" + value + "\"");
    } else if (auto* combo = dynamic_cast<TComboBox*>(control)) {
        FocusFor(combo);
        if (combo->PickText(value)) return;
        if (combo->Style() == csDropDownList)
            throw ScriptError("\"" + NameOf(combo) + "\" no tiene el elemento \"" + value + "\"");
        TypeInto(where, value);
    } else if (auto* lookup = dynamic_cast<TDBLookupComboBox*>(control)) {
        FocusFor(lookup);
        if (!lookup->PickText(value)) throw ScriptError("\"" + NameOf(lookup) + "\" no tiene el elemento \"" + value + "\"");
    } else if (auto* memo = dynamic_cast<TMemo*>(control)) {
        FocusFor(memo);
        memo->SetText(value);
    } else if (dynamic_cast<TEdit*>(control)) {
        FocusFor(win);
        TypeInto(where, value);
    } else {
        throw ScriptError("no se puede dar un valor a \"" + NameOf(control) + "\"");
    }
}

GCC12_FALSE_RESTRICT_BEGIN
void ScriptDriver::Play(const Step& step, TForm& form) {
    switch (step.kind) {
        case Step::Kind::Focus: FocusFor(FindWindowed(step.target, form)); return;
        case Step::Kind::Type: TypeInto(form, step.text); return;
        case Step::Kind::Set: SetValue(Find(step.target, form), step, form); return;
        case Step::Kind::Pick:
        case Step::Kind::PickIndex: {
            TWinControl* list = FindWindowed(step.target, form);
            FocusFor(list);
            const bool byIndex = step.kind == Step::Kind::PickIndex;
            bool picked = false;
            if (auto* combo = dynamic_cast<TComboBox*>(list)) {
                if (byIndex && step.index < combo->Items().Count()) combo->PickItem(step.index), picked = true;
                if (!byIndex) picked = combo->PickText(step.text);
            } else if (auto* lookup = dynamic_cast<TDBLookupComboBox*>(list)) {
                picked = byIndex ? lookup->PickIndex(step.index) : lookup->PickText(step.text);
            } else if (auto* group = dynamic_cast<TRadioGroup*>(list)) {
                if (byIndex && step.index < group->Items().Count()) group->SetItemIndex(step.index), picked = true;
                if (!byIndex) picked = group->PickText(step.text);
            } else if (auto* tree = dynamic_cast<TTreeView*>(list)) {
                picked = tree->PickText(byIndex ? "#" + std::to_string(step.index) : step.text);
            } else {
                throw ScriptError("\"" + step.target + "\" no es una lista");
            }
            if (!picked)
                throw ScriptError("\"" + step.target + "\" no tiene el elemento " +
                                  (byIndex ? "#" + std::to_string(step.index) : "\"" + step.text + "\""));
            return;
        }
        case Step::Kind::Drop:
        case Step::Kind::CloseUp: {
            TWinControl* list = FindWindowed(step.target, form);
            const bool open = step.kind == Step::Kind::Drop;
            if (auto* combo = dynamic_cast<TComboBox*>(list)) {
                FocusFor(list);
                combo->SetDroppedDown(open);
            } else if (auto* lookup = dynamic_cast<TDBLookupComboBox*>(list)) {
                FocusFor(list);
                lookup->SetDroppedDown(open);
            } else {
                throw ScriptError("\"" + step.target + "\" no tiene lista desplegable");
            }
            return;
        }
        case Step::Kind::Press: form.PressKey(step.key, step.shift); return;
        case Step::Kind::Click: {
            if (auto* item = dynamic_cast<TMenuItem*>(FindAny(step.target, form))) {
                bool shown = true;
                for (TMenuItem* m = item; m; m = m->Parent()) shown = shown && m->Visible() && m->Enabled();
                if (!shown) throw ScriptError("\"" + step.target + "\" está oculto o desactivado");
                item->Click();
                return;
            }
            TControl* target = Find(step.target, form);
            // A control placed nowhere (owned by the form, on no parent) is reached by its own state.
            const bool reachable = target->Parent() ? target->Reachable() : target->Visible() && target->Enabled();
            if (!reachable) throw ScriptError("\"" + step.target + "\" está desactivado o invisible");
            if (auto* win = dynamic_cast<TWinControl*>(target)) {
                // A mouse click focuses first, so the Exit handler of the control left runs
                // and may keep the focus, in which case the click never happens.
                win->SetFocus();
                TForm* home = GetParentForm(win);
                if (home && home->FocusedControl() != win) {
                    log_.push_back("el clic no llegó a " + NameOf(win) + ": el foco quedó en " +
                                   NameOf(home->FocusedControl()));
                    return;
                }
            }
            target->UserClick();
            return;
        }
        case Step::Kind::Answer: answers_.push_back(step.answer); return;
        case Step::Kind::Close: {
            TForm* target = step.target.empty() ? &form : Screen->FindForm(step.target);
            if (!target) throw ScriptError("no hay una ventana llamada \"" + step.target + "\"");
            if (!target->Visible()) throw ScriptError("la ventana \"" + step.target + "\" no está a la vista");
            target->Close();
            return;
        }
    }
}
GCC12_FALSE_RESTRICT_END

}  // namespace vcl
