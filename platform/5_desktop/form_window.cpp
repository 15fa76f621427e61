// The window of one form: a widget for each control at its place, kept in line with the model
// after every user action (texts, states, items, choices, drop-down lists, the focus), and the
// widgets' own signals (a click, a pick from an open list, a spin arrow) sent back to the model.
// Widgets never edit themselves: keys reach the model through the driver's input filter.
#include "platform/5_desktop/desktop_internal.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTreeView>

#include <algorithm>
#include <set>

#include "platform/2_vcl/application.h"
#include "platform/2_vcl/bars.h"
#include "platform/2_vcl/buttons.h"
#include "platform/2_vcl/dblookup.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/lists.h"
#include "platform/2_vcl/panels.h"

namespace vcl::qt {

namespace {

// A combo box whose list opens and closes through the model: OnDropDown runs before the list
// shows (a handler may refill it), OnCloseUp once it has closed without a pick.
class ModelCombo : public QComboBox {
public:
    ModelCombo(QWidget* parent, DesktopDriver::Impl& host, TWinControl* control)
        : QComboBox(parent), host_(host), control_(control) {}

    TWinControl* Control() const { return control_; }
    void Forget() { control_ = nullptr; }
    std::function<void()> beforeShow;

    bool ModelDropped() const {
        if (auto* c = dynamic_cast<TComboBox*>(control_)) return c->DroppedDown();
        if (auto* l = dynamic_cast<TDBLookupComboBox*>(control_)) return l->DroppedDown();
        return false;
    }
    void SetModelDropped(bool dropped) {
        if (auto* c = dynamic_cast<TComboBox*>(control_)) c->SetDroppedDown(dropped);
        if (auto* l = dynamic_cast<TDBLookupComboBox*>(control_)) l->SetDroppedDown(dropped);
    }
    // The list as the model has it, shown or hidden without telling the model again.
    void ShowList(bool open) {
        if (open == view()->isVisible() || opening_) return;
        if (open) {
            opening_ = true;
            if (beforeShow) beforeShow();
            QComboBox::showPopup();
            opening_ = false;
        } else {
            QComboBox::hidePopup();
        }
    }

    void showPopup() override {
        if (!control_ || opening_) return;
        opening_ = true;
        if (!ModelDropped()) host_.Dispatch([this] { SetModelDropped(true); });
        opening_ = false;
        if (control_ && ModelDropped()) ShowList(true);
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        // A pick from the list arrives after the list hid; only a list closed without a pick
        // is still open in the model when this runs.
        QPointer<ModelCombo> self(this);
        QMetaObject::invokeMethod(
            this,
            [self] {
                if (self && self->control_ && self->ModelDropped())
                    self->host_.Dispatch([&] { self->SetModelDropped(false); });
            },
            Qt::QueuedConnection);
    }

    std::vector<std::string> keys;  // lookup: the key of each row shown
    std::string reloadedFor;        // lookup: the key the rows were last read again for

private:
    DesktopDriver::Impl& host_;
    TWinControl* control_;
    bool opening_ = false;
};

class ModelSpin : public QSpinBox {
public:
    using QSpinBox::QSpinBox;
    using QAbstractSpinBox::lineEdit;
};

class RadioGroupBox : public QGroupBox {
public:
    using QGroupBox::QGroupBox;
    std::vector<QRadioButton*> buttons;
};

// A caption with its accelerator underlined, as rich text ("&Tienda" -> "<u>T</u>ienda").
QString AccelHtml(const std::string& caption) {
    const QString text = Q(caption);
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar ch = text[i];
        if (ch == '&' && i + 1 < text.size()) {
            ++i;
            if (text[i] == '&') {
                out += "&amp;";
            } else {
                out += "<u>" + QString(text[i]).toHtmlEscaped() + "</u>";
            }
            continue;
        }
        out += QString(ch).toHtmlEscaped();
    }
    return out;
}

// What a dialog's frame and caption took of its Width and Height where it was designed.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 30;

bool ShowsHint(const TControl* c) {
    for (; c; c = c->Parent())
        if (c->ShowHint()) return true;
    return false;
}

// The short part of a hint ("Corto|Largo" shows "Corto").
QString TipOf(const TControl* c) {
    if (!ShowsHint(c) || c->Hint().empty()) return {};
    const std::string& h = c->Hint();
    return Q(h.substr(0, h.find('|')));
}

void Collect(const TWinControl* parent, std::vector<TControl*>& out) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        out.push_back(c);
        if (auto* w = dynamic_cast<TWinControl*>(c)) Collect(w, out);
    }
}

bool IsContainer(const TControl* c) {
    return dynamic_cast<const TGroupBox*>(c) || dynamic_cast<const TPanel*>(c) ||
           (dynamic_cast<const TWinControl*>(c) && !dynamic_cast<const TButton*>(c) &&
            !dynamic_cast<const TEdit*>(c) && !dynamic_cast<const TMemo*>(c) && !dynamic_cast<const TComboBox*>(c) &&
            !dynamic_cast<const TDBLookupComboBox*>(c) && !dynamic_cast<const TCheckBox*>(c) &&
            !dynamic_cast<const TRadioButton*>(c) && !dynamic_cast<const TRadioGroup*>(c));
}

}  // namespace

FormWindow::FormWindow(DesktopDriver::Impl& host, TForm& form) : host_(host), form_(form) {}

FormWindow::~FormWindow() {
    for (auto& [control, bound] : bound_) {
        if (auto* combo = dynamic_cast<ModelCombo*>(bound.widget)) combo->Forget();
        QObject::disconnect(bound.widget, nullptr, nullptr, nullptr);
    }
    if (window_) {
        window_->hide();
        // Later: the window may be inside its own event (a close box, a key that closed it).
        window_->deleteLater();
    }
}

TControl* FormWindow::ControlOf(const QWidget* widget) const {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        auto it = controlOf_.find(w);
        if (it != controlOf_.end()) return it->second;
        if (w->isWindow()) break;
    }
    return nullptr;
}

QWidget* FormWindow::WidgetOf(const TControl* control) const {
    auto it = bound_.find(control);
    return it == bound_.end() ? nullptr : it->second.widget;
}

void FormWindow::Build() {
    const TFormBorderStyle border = form_.BorderStyle();
    Qt::WindowFlags flags = Qt::Window;
    if (border == bsDialog || border == bsSingle || border == bsToolWindow)
        flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                Qt::WindowSystemMenuHint;
    window_ = new QWidget(nullptr, flags);
    window_->setObjectName(Q(form_.Name()));
    client_ = new QWidget(window_);
    controlOf_[window_] = &form_;
    controlOf_[client_] = &form_;
    bound_.emplace(&form_, Bound{client_, typeid(form_), form_.Name()});
    BuildChildren(&form_, client_);
    Arrange();
    BuildMenu();
    Sync();
    Fit();
    window_->show();
    window_->raise();
    window_->activateWindow();
    SyncFocus();
}

void FormWindow::BuildChildren(TWinControl* container, QWidget* parent) {
    for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* c = container->Controls(i);
        QWidget* w = MakeWidget(c, parent);
        bound_.emplace(c, Bound{w, typeid(*c), c->Name()});
        controlOf_[w] = c;
        if (auto* win = dynamic_cast<TWinControl*>(c); win && IsContainer(c)) BuildChildren(win, w);
    }
}

void FormWindow::Arrange() {}

void FormWindow::Fit() {
    // A form's Width and Height count its frame and caption, as dialogs are designed; the
    // window manager adds its own, so the client area is what remains, never less than the
    // controls need.
    const bool framed = form_.BorderStyle() != bsNone;
    const QRect kids = client_->childrenRect();
    int w = std::max(form_.Width() - (framed ? kFrameWidth : 0), kids.right() + 10);
    int h = std::max(form_.Height() - (framed ? kFrameHeight : 0), kids.bottom() + 10);
    if (w < 120) w = 320;
    if (h < 60) h = 200;
    const int bar = menuBar_ ? menuBar_->sizeHint().height() : 0;
    if (menuBar_) menuBar_->setGeometry(0, 0, w, bar);
    client_->setGeometry(0, bar, w, h);
    const bool sizeable = form_.BorderStyle() == bsSizeable || form_.BorderStyle() == bsSizeToolWin;
    if (sizeable) window_->resize(w, h + bar);
    else window_->setFixedSize(w, h + bar);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QRect around = screen;
    const TPosition pos = form_.Position();
    if (pos == poMainFormCenter || pos == poOwnerFormCenter) {
        if (FormWindow* main = host_.WindowOf(Application->MainForm()); main && main != this)
            around = main->Window()->frameGeometry();
    }
    if (pos == poDesigned) {
        window_->move(form_.Left(), form_.Top());
    } else {
        window_->move(around.center().x() - w / 2, around.center().y() - (h + bar) / 2);
    }
}

void FormWindow::BuildMenu() {
    auto it = host_.menus.find(&form_);
    if (it == host_.menus.end() || !window_) return;
    if (!menuBar_) {
        menuBar_ = new QMenuBar(window_);
        menuBar_->setNativeMenuBar(false);
    }
    menuBar_->clear();
    DesktopDriver::Impl* host = &host_;
    std::function<void(QMenu*, TMenuItem*)> fill = [host, &fill](QMenu* menu, TMenuItem* parent) {
        menu->clear();
        for (int i = 0; i < parent->Count(); ++i) {
            TMenuItem* item = parent->Items(i);
            if (!item->Visible()) continue;
            if (item->Caption() == "-") {
                menu->addSeparator();
                continue;
            }
            if (item->Count() > 0) {
                QMenu* sub = menu->addMenu(Q(item->Caption()));
                sub->setEnabled(item->Enabled());
                fill(sub, item);
                continue;
            }
            QAction* action = menu->addAction(Q(item->Caption()));
            action->setObjectName(Q(item->Name()));
            action->setEnabled(item->Enabled());
            action->setCheckable(item->Checked());
            action->setChecked(item->Checked());
            QObject::connect(action, &QAction::triggered, [host, item] { host->Dispatch([item] { item->Click(); }); });
        }
    };
    TMenuItem* root = it->second;
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        if (!item->Visible()) continue;
        QMenu* menu = menuBar_->addMenu(Q(item->Caption()));
        menu->setObjectName(Q(item->Name()));
        menu->setEnabled(item->Enabled());
        fill(menu, item);
        // Handlers may enable or hide items between two openings.
        QObject::connect(menu, &QMenu::aboutToShow, [fill, menu, item] { fill(menu, item); });
    }
    if (client_->isVisible()) Fit();
}

QWidget* FormWindow::MakeWidget(TControl* c, QWidget* parent) {
    DesktopDriver::Impl* host = &host_;
    QWidget* w = MakeViewWidget(host_, c, parent);
    if (w) {
        // a tree, grid, notebook or tool bar (view_widgets.cpp)
    } else if (auto* lookup = dynamic_cast<TDBLookupComboBox*>(c)) {
        auto* combo = new ModelCombo(parent, host_, lookup);
        auto* model = new QStandardItemModel(combo);
        combo->setModel(model);
        auto* view = new QTreeView(combo);
        view->setHeaderHidden(true);
        view->setRootIsDecorated(false);
        view->setAllColumnsShowFocus(true);
        view->setUniformRowHeights(true);
        combo->setView(view);
        combo->beforeShow = [combo, lookup, model, view] {
            const QSignalBlocker block(combo);
            model->clear();
            combo->keys.clear();
            int chosen = -1;
            for (const LookupRow& row : lookup->Rows()) {
                QList<QStandardItem*> cells;
                for (const std::string& f : row.fields) cells.append(new QStandardItem(Q(f)));
                if (cells.isEmpty()) cells.append(new QStandardItem(Q(row.key)));
                if (row.key == lookup->KeyValue()) chosen = static_cast<int>(combo->keys.size());
                model->appendRow(cells);
                combo->keys.push_back(row.key);
            }
            combo->setModelColumn(std::min(lookup->ListFieldIndex(), std::max(0, model->columnCount() - 1)));
            combo->setCurrentIndex(chosen);
            int width = 0;
            for (int col = 0; col < model->columnCount(); ++col) {
                view->resizeColumnToContents(col);
                width += view->columnWidth(col);
            }
            view->setMinimumWidth(std::max(combo->width(), width + 24));
        };
        QObject::connect(combo, &QComboBox::activated, [host, combo](int index) {
            auto* l = dynamic_cast<TDBLookupComboBox*>(combo->Control());
            if (!l || index < 0 || index >= static_cast<int>(combo->keys.size())) return;
            const std::string key = combo->keys[index];
            host->Dispatch([l, key] { l->PickKey(key); });
        });
        w = combo;
    } else if (auto* list = dynamic_cast<TComboBox*>(c)) {
        auto* combo = new ModelCombo(parent, host_, list);
        if (list->Style() != csDropDownList) {
            combo->setEditable(true);
            combo->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
            combo->lineEdit()->setAcceptDrops(false);
        }
        combo->setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(combo, &QComboBox::activated, [host, combo](int index) {
            auto* cb = dynamic_cast<TComboBox*>(combo->Control());
            if (!cb || index < 0 || index >= cb->Items().Count()) return;
            host->Dispatch([cb, index] { cb->PickItem(index); });
        });
        w = combo;
    } else if (auto* group = dynamic_cast<TRadioGroup*>(c)) {
        w = new RadioGroupBox(parent);
        (void)group;
    } else if (dynamic_cast<TGroupBox*>(c)) {
        w = new QGroupBox(parent);
    } else if (dynamic_cast<TPanel*>(c)) {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        w = frame;
    } else if (auto* spin = dynamic_cast<TSpinEdit*>(c)) {
        auto* box = new ModelSpin(parent);
        box->setContextMenuPolicy(Qt::NoContextMenu);
        box->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
        QObject::connect(box, &QSpinBox::valueChanged, [host, spin](int v) {
            host->Dispatch([spin, v] { spin->SetValue(v); });
        });
        w = box;
    } else if (dynamic_cast<TEdit*>(c)) {
        auto* edit = new QLineEdit(parent);
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        edit->setAcceptDrops(false);
        w = edit;
    } else if (dynamic_cast<TMemo*>(c)) {
        auto* memo = new QPlainTextEdit(parent);
        memo->setContextMenuPolicy(Qt::NoContextMenu);
        memo->setAcceptDrops(false);
        w = memo;
    } else if (auto* check = dynamic_cast<TCheckBox*>(c)) {
        auto* box = new QCheckBox(parent);
        QObject::connect(box, &QCheckBox::clicked, [host, check] { host->Dispatch([check] { check->UserClick(); }); });
        w = box;
    } else if (auto* radio = dynamic_cast<TRadioButton*>(c)) {
        auto* button = new QRadioButton(parent);
        button->setAutoExclusive(false);
        QObject::connect(button, &QRadioButton::clicked, [host, radio] { host->Dispatch([radio] { radio->UserClick(); }); });
        w = button;
    } else if (auto* button = dynamic_cast<TButton*>(c)) {
        auto* push = new QPushButton(parent);
        push->setAutoDefault(false);
        QObject::connect(push, &QPushButton::clicked, [host, button] { host->Dispatch([button] { button->UserClick(); }); });
        w = push;
    } else if (dynamic_cast<TLabel*>(c)) {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::RichText);
        w = label;
    } else if (dynamic_cast<TStatusBar*>(c)) {
        auto* label = new QLabel(parent);
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        w = label;
    } else if (dynamic_cast<TWinControl*>(c)) {
        w = new QFrame(parent);
    } else {
        w = new QWidget(parent);
    }
    w->setObjectName(Q(c->Name()));
    // Qt never moves the focus on its own: the model decides, and Sync shows it.
    w->setFocusPolicy(Qt::NoFocus);
    for (QWidget* inner : w->findChildren<QWidget*>()) inner->setFocusPolicy(Qt::NoFocus);
    w->show();
    return w;
}

void FormWindow::Forget(const TControl* control) {
    auto it = bound_.find(control);
    if (it == bound_.end()) return;
    QWidget* w = it->second.widget;
    // Widgets inside it go with it.
    for (auto inner = bound_.begin(); inner != bound_.end();) {
        if (inner->second.widget != w && w->isAncestorOf(inner->second.widget)) {
            controlOf_.erase(inner->second.widget);
            inner = bound_.erase(inner);
        } else {
            ++inner;
        }
    }
    if (auto* combo = dynamic_cast<ModelCombo*>(w)) combo->Forget();
    QObject::disconnect(w, nullptr, nullptr, nullptr);
    w->hide();
    w->deleteLater();
    controlOf_.erase(w);
    bound_.erase(control);
}

void FormWindow::Sync() {
    if (!window_) return;
    std::vector<TControl*> controls;
    Collect(&form_, controls);
    const std::set<const TControl*> present(controls.begin(), controls.end());
    std::vector<const TControl*> gone;
    for (const auto& [control, bound] : bound_) {
        if (control == &form_) continue;
        // A freed control's address may come back as another control: the type and name tell.
        bool same = present.count(control) > 0;
        if (same) {
            const TControl* c = control;
            same = bound.type == std::type_index(typeid(*c)) && bound.name == c->Name();
        }
        if (!same) gone.push_back(control);
    }
    for (const TControl* c : gone) Forget(c);
    for (TControl* c : controls) {
        if (bound_.count(c)) continue;
        QWidget* parent = WidgetOf(c->Parent());
        if (!parent) parent = client_;
        QWidget* w = MakeWidget(c, parent);
        bound_.emplace(c, Bound{w, typeid(*c), c->Name()});
        controlOf_[w] = c;
    }
    window_->setWindowTitle(Q(StripAccelerator(form_.Caption())));
    for (TControl* c : controls)
        if (QWidget* w = WidgetOf(c)) SyncControl(c, w);
    SyncFocus();
}

void FormWindow::SyncControl(TControl* c, QWidget* w) {
    const QSignalBlocker block(w);
    if (c->Width() > 0 && c->Height() > 0) {
        int width = c->Width();
        // Labels size themselves to their caption, so a longer text is never cut.
        if (qobject_cast<QLabel*>(w)) width = std::max(width, w->sizeHint().width());
        w->setGeometry(c->Left(), c->Top(), width, c->Height());
    } else if (qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
        w->adjustSize();
        if (c->Left() || c->Top()) w->move(c->Left(), c->Top());
    }
    w->setVisible(c->Visible());
    w->setEnabled(c->Enabled());
    w->setToolTip(TipOf(c));
    if (SyncViewWidget(c, w)) return;

    const bool focused = form_.FocusedControl() == c;
    if (auto* lookup = dynamic_cast<TDBLookupComboBox*>(c)) {
        auto* combo = static_cast<ModelCombo*>(w);
        auto at = std::find(combo->keys.begin(), combo->keys.end(), lookup->KeyValue());
        // Rows are read again for a key they lack (the data may have changed), once per key,
        // so a key that is nowhere does not read the table at every action.
        const bool missing = at == combo->keys.end() && !lookup->KeyValue().empty();
        if (combo->keys.empty() || (missing && combo->reloadedFor != lookup->KeyValue())) {
            combo->reloadedFor = lookup->KeyValue();
            combo->beforeShow();
            at = std::find(combo->keys.begin(), combo->keys.end(), lookup->KeyValue());
        }
        const int index = at == combo->keys.end() ? -1 : static_cast<int>(at - combo->keys.begin());
        if (combo->currentIndex() != index) combo->setCurrentIndex(index);
        combo->setPlaceholderText(index < 0 ? Q(lookup->Text()) : QString());
        combo->ShowList(lookup->DroppedDown());
    } else if (auto* list = dynamic_cast<TComboBox*>(c)) {
        auto* combo = static_cast<ModelCombo*>(w);
        QStringList items;
        for (int i = 0; i < list->Items().Count(); ++i) items << Q(list->Items()[i]);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
        if (items != shown) {
            combo->clear();
            combo->addItems(items);
        }
        if (combo->currentIndex() != list->ItemIndex()) combo->setCurrentIndex(list->ItemIndex());
        if (combo->isEditable() && combo->lineEdit()->text() != Q(list->Text())) combo->lineEdit()->setText(Q(list->Text()));
        combo->ShowList(list->DroppedDown());
    } else if (auto* group = dynamic_cast<TRadioGroup*>(c)) {
        auto* box = static_cast<RadioGroupBox*>(w);
        box->setTitle(Q(group->Caption()));
        const int n = group->Items().Count();
        while (static_cast<int>(box->buttons.size()) > n) {
            box->buttons.back()->deleteLater();
            box->buttons.pop_back();
        }
        while (static_cast<int>(box->buttons.size()) < n) {
            auto* b = new QRadioButton(box);
            b->setAutoExclusive(false);
            b->setFocusPolicy(Qt::NoFocus);
            const int index = static_cast<int>(box->buttons.size());
            DesktopDriver::Impl* host = &host_;
            QObject::connect(b, &QRadioButton::clicked, [host, group, index] {
                host->Dispatch([group, index] { group->SetItemIndex(index); });
            });
            b->show();
            box->buttons.push_back(b);
        }
        const int columns = std::max(1, group->Columns());
        const int rows = n == 0 ? 1 : (n + columns - 1) / columns;
        const int top = box->fontMetrics().height() + 4;
        const int cellW = std::max(1, (w->width() - 16) / columns);
        const int cellH = std::max(box->fontMetrics().height() + 4, (w->height() - top - 6) / rows);
        for (int i = 0; i < n; ++i) {
            QRadioButton* b = box->buttons[i];
            const QSignalBlocker blockButton(b);
            b->setText(Q(group->Items()[i]));
            b->setChecked(i == group->ItemIndex());
            b->setGeometry(8 + (i / rows) * cellW, top + (i % rows) * cellH, cellW, cellH);
        }
    } else if (auto* groupBox = qobject_cast<QGroupBox*>(w)) {
        groupBox->setTitle(Q(c->Caption()));
    } else if (auto* spinBox = qobject_cast<QSpinBox*>(w)) {
        auto* spin = static_cast<TSpinEdit*>(c);
        if (spin->MinValue() == spin->MaxValue()) spinBox->setRange(-999999999, 999999999);
        else spinBox->setRange(spin->MinValue(), spin->MaxValue());
        spinBox->setSingleStep(spin->Increment());
        if (spinBox->value() != spin->Value()) spinBox->setValue(spin->Value());
        // A text being typed that is no number yet ("-") is shown as the model has it.
        auto* shown = static_cast<ModelSpin*>(spinBox)->lineEdit();
        if (shown->text() != Q(spin->Text())) shown->setText(Q(spin->Text()));
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        auto* model = static_cast<TEdit*>(c);
        if (edit->text() != Q(model->Text())) edit->setText(Q(model->Text()));
        edit->setMaxLength(model->MaxLength() > 0 ? model->MaxLength() : 32767);
        edit->setReadOnly(model->ReadOnly());
        // The model replaces the whole text on the next key after Enter: shown as a selection.
        if (focused && model->AllSelected()) edit->selectAll();
        else edit->setCursorPosition(static_cast<int>(edit->text().size()));
    } else if (auto* memoEdit = qobject_cast<QPlainTextEdit*>(w)) {
        auto* memo = static_cast<TMemo*>(c);
        if (memoEdit->toPlainText() != Q(memo->Text())) {
            memoEdit->setPlainText(Q(memo->Text()));
            memoEdit->moveCursor(QTextCursor::End);
        }
        memoEdit->setReadOnly(memo->ReadOnly());
    } else if (auto* checkBox = qobject_cast<QCheckBox*>(w)) {
        checkBox->setText(Q(c->Caption()));
        checkBox->setChecked(static_cast<TCheckBox*>(c)->Checked());
    } else if (auto* radioButton = qobject_cast<QRadioButton*>(w)) {
        radioButton->setText(Q(c->Caption()));
        radioButton->setChecked(static_cast<TRadioButton*>(c)->Checked());
    } else if (auto* push = qobject_cast<QPushButton*>(w)) {
        push->setText(Q(c->Caption()));
        push->setDefault(static_cast<TButton*>(c)->Default());
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        if (auto* bar = dynamic_cast<TStatusBar*>(c)) label->setText(Q(bar->SimpleText().empty() ? bar->Caption() : bar->SimpleText()));
        else label->setText(AccelHtml(c->Caption()));
    }
}

void FormWindow::SyncFocus() {
    if (!window_) return;
    TWinControl* focused = form_.FocusedControl();
    QWidget* target = focused ? WidgetOf(focused) : nullptr;
    if (!target || !target->isVisible()) target = window_;
    if (window_->focusWidget() != target && !(target->focusProxy() && window_->focusWidget() == target->focusProxy()))
        target->setFocus(Qt::OtherFocusReason);
}

}  // namespace vcl::qt
