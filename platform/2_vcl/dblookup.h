// The data-aware lookup combo box: a list of records shown by one or more fields and chosen by
// a key field. Its data come through ListDataSource, a cursor interface that the data layer's
// tables and queries are adapted to, so this module knows nothing of tables.
// Not here: the adapters (they live with the data layer) or plain string lists (lists.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/2_vcl/control.h"

namespace vcl {

// A cursor over the records a lookup lists. The lookup walks it with First, Next and Eof and
// leaves it on the chosen record (Locate), so the dialog reads that record's other fields.
class ListDataSource {
public:
    virtual ~ListDataSource() = default;
    virtual void First() = 0;
    virtual void Next() = 0;
    virtual bool Eof() const = 0;
    // A field of the current record as text; "" for an unknown field or no record.
    virtual std::string FieldAsString(std::string_view field) const = 0;
    // Moves to the first record whose field equals the value; when there is none, answers
    // false and leaves the cursor where it was, as a table's Locate does.
    virtual bool Locate(std::string_view keyField, std::string_view value) = 0;
};

struct LookupRow {
    std::string key;
    std::vector<std::string> fields;  // the list fields, in ListField order
};

class TDBLookupComboBox : public TWinControl {
public:
    explicit TDBLookupComboBox(TComponent* AOwner);

    ListDataSource* ListSource() const { return source_; }
    // A source that is also a component is watched: destroying it empties the lookup.
    void SetListSource(ListDataSource* source);
    const std::string& KeyField() const { return keyField_; }
    void SetKeyField(std::string_view field) { keyField_ = field; }
    // One or more fields separated by ";" ("Depto; Descripcio"); spaces around names ignored.
    const std::string& ListField() const { return listField_; }
    void SetListField(std::string_view fields);
    const std::vector<std::string>& ListFields() const { return listFields_; }
    // Which list field the closed combo shows; the first by default.
    int ListFieldIndex() const { return listFieldIndex_; }
    void SetListFieldIndex(int index) { listFieldIndex_ = index; }

    // "" is no choice (all). Setting it from code locates the record and raises nothing; a
    // key the list lacks stays as the value with an empty text.
    const std::string& KeyValue() const { return keyValue_; }
    void SetKeyValue(std::string_view key);
    void ClearKeyValue() { SetKeyValue(""); }
    // The shown field of the chosen record.
    std::string Text() const override { return text_; }

    bool DroppedDown() const { return dropped_; }
    // Opening raises OnDropDown; closing raises OnCloseUp.
    void SetDroppedDown(bool dropped);

    // The records as the open list shows them; the cursor goes back to the chosen record.
    std::vector<LookupRow> Rows();

    // The user's choice from the list: it opens, closes, the record becomes the value (the
    // cursor on it, OnClick when the key changed), then OnCloseUp, as a real pick does.
    bool PickKey(std::string_view key);
    bool PickIndex(int index);
    // By the shown text, else the key, else any list field (exact, then ignoring case).
    bool PickText(std::string_view text);

    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    bool ListOpen() const override { return dropped_; }
    void CloseList(bool accept) override;
    bool WantsKey(WORD key, TShiftState shift) const override;
    // F4 and Alt+Down open or close the list; Up and Down choose the neighbouring record.
    void HandleKey(WORD& key, TShiftState shift) override;
    // Incremental search on the shown field.
    void AcceptChar(char32_t ch) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void DoEnter() override;

private:
    std::string DisplayOf(const LookupRow& row) const;
    void Choose(const std::string& key);
    void Restore();

    ListDataSource* source_ = nullptr;
    TComponent* sourceComponent_ = nullptr;  // source_ when it is a component, watched
    std::string keyField_;
    std::string listField_;
    std::vector<std::string> listFields_;
    int listFieldIndex_ = 0;
    std::string keyValue_;
    bool dropped_ = false;
    std::string search_;
};

}  // namespace vcl
