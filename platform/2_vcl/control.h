// Controls: components with a parent, a place, a text and the enabled and visible states;
// windowed controls add children, tab order and keyboard focus with Enter and Exit events.
// Not here: the rules of moving the focus and routing keys, which belong to the form (form.h).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/2_vcl/component.h"
#include "platform/2_vcl/keys.h"

namespace vcl {

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
// A typed character; a handler may change it or set it to 0 to drop it.
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;

class TWinControl;
class TForm;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    void SetParent(TWinControl* parent);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    // Visible and enabled up to its form: what the user can reach.
    bool Reachable() const;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { left_ = v; }
    void SetTop(int v) { top_ = v; }
    void SetWidth(int v) { width_ = v; }
    void SetHeight(int v) { height_ = v; }
    void SetBounds(int left, int top, int width, int height);

    const std::string& Hint() const { return hint_; }
    void SetHint(std::string_view hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show) { showHint_ = show; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }

    // Caption and Text are one property under two names, as controls have always had it.
    virtual std::string Text() const { return text_; }
    virtual void SetText(std::string_view text);
    std::string Caption() const { return Text(); }
    void SetCaption(std::string_view caption) { SetText(caption); }

    TNotifyEvent OnClick;
    // Raises OnClick (buttons first set their form's modal result).
    virtual void Click();
    // What a click of the user does, once drivers have moved the focus: a button clicks, a
    // check box toggles, a radio button becomes checked.
    virtual void UserClick() { Click(); }

    // Alt plus an accelerator letter offered to every control of the form in tab order; a
    // control whose caption has that letter acts (a button clicks) and answers true.
    virtual bool DialogChar(char32_t letter);
    // Return and Escape offered to every control before the form's key preview (a default
    // button takes Return, a cancel button Escape); true when taken.
    virtual bool DialogKey(WORD key, TShiftState shift);

protected:
    // The flag alone, for forms, whose SetVisible shows and hides windows.
    void SetVisibleFlag(bool visible) { visible_ = visible; }
    std::string text_;

private:
    friend class TWinControl;
    // Off the parent's control and tab lists, and out of its form's focus.
    void LeaveParent();
    TWinControl* parent_ = nullptr;
    bool enabled_ = true;
    bool visible_ = true;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::string hint_;
    bool showHint_ = false;
    int helpContext_ = 0;
};

// A windowed control destroys the controls placed on it when it goes, whoever owns them.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(index); }
    // True when `control` is this one or lies inside it.
    bool ContainsControl(const TControl* control) const;

    // Position among the windowed siblings in the order Tab walks; setting it moves the others.
    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    // Every windowed control inside this one, in tab order, depth first.
    std::vector<TWinControl*> TabOrderList() const;

    // Reachable and inside a form.
    bool CanFocus() const;
    // Has had Enter and not yet Exit.
    bool Focused() const;
    // Moves the focus here through the form (form.h explains the order of the events).
    // Throws EInvalidOperation when the control cannot take the focus.
    virtual void SetFocus();

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;

    // Hooks of the form's key routing. WantsKey keeps Tab, Return, Escape or arrows from the
    // dialog handling (a dropped list wants Escape); HandleKey is the control's own reaction
    // after the handlers left the key non-zero; AcceptChar takes a typed character.
    virtual bool WantsKey(WORD key, TShiftState shift) const;
    virtual void HandleKey(WORD& key, TShiftState shift);
    virtual void AcceptChar(char32_t ch);
    // A drop-down list that is open: it takes Escape (close) and Return (accept) first.
    virtual bool ListOpen() const { return false; }
    virtual void CloseList(bool accept);

protected:
    // Raise OnEnter and OnExit; the form calls them while it moves the focus.
    friend class TForm;
    virtual void DoEnter();
    virtual void DoExit();

private:
    friend class TControl;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    bool tabStop_ = false;
    bool exiting_ = false;
};

// The form a control sits on, walking up its parents; nullptr for a loose control.
TForm* GetParentForm(const TControl* control);

// The owner a new control on `parent` takes: the parent's form, or the parent itself when it
// is on no form.
TComponent* OwnerFor(TWinControl* parent);

// Makes a control owned by the parent's form, placed on `parent`, with a name; how dialogs
// build themselves: btnPreview = NewControl<TBitBtn>(this, "btnPreview").
template <class T>
T* NewControl(TWinControl* parent, std::string_view name) {
    T* control = new T(OwnerFor(parent));
    try {
        control->SetName(name);
        control->SetParent(parent);
    } catch (...) {
        delete control;
        throw;
    }
    return control;
}

}  // namespace vcl
