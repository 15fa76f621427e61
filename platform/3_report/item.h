// Printable items of a band, as plain data: geometry in millimetres, font, alignment and what
// each kind prints. Handlers change them between loading and printing (a label's caption, a
// field's display mask, an expression's text, an image's drawing); the engine reads them.
// Not here: evaluation (engine.cpp) or drawing (render_*.cpp).
#pragma once

#include <functional>
#include <string>

#include "platform/3_report/barcode.h"
#include "platform/3_report/canvas.h"
#include "platform/3_report/component.h"
#include "platform/3_report/page.h"
#include "platform/3_report/value.h"

namespace report {

enum class ItemKind { Label, DataField, Expression, SystemData, Shape, Image, Barcode };

class Item : public Component {
public:
    Item(ItemKind kind, std::string name) : Component(std::move(name)), kind_(kind) {}
    ItemKind Kind() const { return kind_; }

    double Left = 0, Top = 0, Width = 0, Height = 0;  // mm, from the band's top-left corner
    Font TextFont;
    Align Alignment = Align::Left;
    bool Visible = true;
    bool AutoSize = false;
    bool WordWrap = false;
    int Line = 0;  // line of the layout file, for error messages

private:
    ItemKind kind_;
};

class Label : public Item {
public:
    explicit Label(std::string name) : Item(ItemKind::Label, std::move(name)) {}
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }

private:
    std::string caption_;
};

// An item whose value goes through a display mask: data fields and expressions.
class MaskedItem : public Item {
public:
    using Item::Item;
    const std::string& DisplayMask() const { return mask_; }
    void SetDisplayMask(std::string mask) { mask_ = std::move(mask); }

private:
    std::string mask_;
};

class DataField : public MaskedItem {
public:
    explicit DataField(std::string name) : MaskedItem(ItemKind::DataField, std::move(name)) {}
    const std::string& DatasetName() const { return dataset_; }
    const std::string& FieldName() const { return field_; }
    // An empty field name prints nothing (a handler "clears" the field this way).
    void SetField(std::string dataset, std::string field) { dataset_ = std::move(dataset); field_ = std::move(field); }

    // Text of the raw value in place of the mask (a stored number shown as a name).
    std::function<void(const Value& value, std::string& text)> OnGetText;
    // Last word on the printed text, after the mask or OnGetText.
    std::function<void(DataField& field, std::string& text)> OnPrint;

private:
    std::string dataset_, field_;
};

// When the aggregates of an expression start again from zero.
enum class ResetKind {
    Group,   // after the band holding the item prints: per group in a group footer
    Page,    // at the start of each page
    Report,  // never: running totals and grand totals
};

class ExprItem : public MaskedItem {
public:
    explicit ExprItem(std::string name) : MaskedItem(ItemKind::Expression, std::move(name)) {}
    const std::string& ExpressionText() const { return text_; }
    // Parsed again when the report is bound for printing; a bad text is reported then.
    void SetExpression(std::string text) { text_ = std::move(text); }
    ResetKind Reset = ResetKind::Report;

private:
    std::string text_;
};

enum class SystemKind { PageNumber, PageCount, Date, Time, DateTime };

class SystemData : public MaskedItem {
public:
    explicit SystemData(std::string name) : MaskedItem(ItemKind::SystemData, std::move(name)) {}
    SystemKind What = SystemKind::PageNumber;
    std::string Prefix;  // printed before the value ("Página ")
};

enum class ShapeKind { Rectangle, HorizontalLine, VerticalLine };

class Shape : public Item {
public:
    explicit Shape(std::string name) : Item(ItemKind::Shape, std::move(name)) {}
    ShapeKind Form = ShapeKind::Rectangle;
    double PenWidth = 0.2;
    bool Filled = false;
};

class Image : public Item {
public:
    explicit Image(std::string name) : Item(ItemKind::Image, std::move(name)) {}
    std::string PictureFile;  // a PNG from the layout, may be empty
    // What handlers draw; copied into the page each time the band prints.
    Canvas& Picture() { return canvas_; }
    const Canvas& Picture() const { return canvas_; }

private:
    Canvas canvas_;
};

class BarcodeItem : public Item {
public:
    explicit BarcodeItem(std::string name) : Item(ItemKind::Barcode, std::move(name)) {}
    Symbology Code = Symbology::Code128;
    std::string DataExpression;  // an expression: Query1.Producto, or '750' + Query1.Clave
    bool ShowText = true;
};

}  // namespace report
