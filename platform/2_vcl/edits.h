// Text entry: TEdit (one line, MaxLength in characters), TMemo (lines) and TSpinEdit (an
// integer between bounds). Typing replaces the text when the control was just entered, as
// tabbing into an edit selects all of it. Not here: date or code edits of the host (host/velmor).
#pragma once

#include "platform/2_vcl/control.h"
#include "platform/2_vcl/strings.h"

namespace vcl {

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* AOwner);

    // A different text raises OnChange, whoever sets it.
    void SetText(std::string_view text) override;
    // Characters (code points), 0 for no limit; typing stops at it, SetText does not.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length) { maxLength_ = length; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // The next typed character replaces the whole text.
    void SelectAll() { allSelected_ = true; }
    bool AllSelected() const { return allSelected_; }

    TNotifyEvent OnChange;

    void AcceptChar(char32_t ch) override;
    void HandleKey(WORD& key, TShiftState shift) override;

protected:
    virtual void Change();
    void DoEnter() override;
    // Whether a typed character may go in (a spin edit takes digits only).
    virtual bool IsValidChar(char32_t ch) const;

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool allSelected_ = false;
};

class TMemo : public TWinControl {
public:
    explicit TMemo(TComponent* AOwner);

    TStrings& Lines() { return lines_; }
    const TStrings& Lines() const { return lines_; }
    // The lines joined with "\n", no line break after the last.
    std::string Text() const override;
    void SetText(std::string_view text) override;
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // With WantReturns (the default) Return starts a line instead of pressing the default button.
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool want) { wantReturns_ = want; }

    TNotifyEvent OnChange;

    bool WantsKey(WORD key, TShiftState shift) const override;
    void AcceptChar(char32_t ch) override;
    void HandleKey(WORD& key, TShiftState shift) override;

private:
    class Lines_ : public TStrings {
    public:
        explicit Lines_(TMemo& memo) : memo_(memo) {}
        using TStrings::operator=;

    protected:
        void Changed() override;

    private:
        TMemo& memo_;
    };
    Lines_ lines_{*this};
    bool readOnly_ = false;
    bool wantReturns_ = true;
};

class TSpinEdit : public TEdit {
public:
    explicit TSpinEdit(TComponent* AOwner);

    // The text as a number kept within the bounds; a text that is no number reads as MinValue.
    int Value() const;
    void SetValue(int value);
    // MinValue equal to MaxValue means no bounds.
    int MinValue() const { return minValue_; }
    void SetMinValue(int value) { minValue_ = value; }
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value) { maxValue_ = value; }
    int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = value; }

    // Up and Down step the value.
    void HandleKey(WORD& key, TShiftState shift) override;

protected:
    bool IsValidChar(char32_t ch) const override;

private:
    int Bounded(int value) const;
    int minValue_ = 0, maxValue_ = 0, increment_ = 1;
};

}  // namespace vcl
