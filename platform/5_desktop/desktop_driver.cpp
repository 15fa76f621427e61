// The desktop driver's loop and input: the Qt application, modal loops that refuse input to
// the windows they cover (windows opened during the loop, such as the preview, stay usable),
// keys and typed characters turned into the form's PressKey and TypeChar, clicks that move the
// focus through the model first, real message boxes and the hourglass.
#include "platform/5_desktop/desktop_internal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QEventLoop>
#include <QFont>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QProxyStyle>
#include <QStyleFactory>

#include <algorithm>

#include "platform/2_vcl/application.h"
#include "platform/2_vcl/edits.h"
#include "platform/2_vcl/lists.h"
#include "platform/2_vcl/utf8_internal.h"

namespace vcl::qt {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string U(const QString& s) { return s.toUtf8().toStdString(); }

namespace {

// Qt wants argc and argv alive as long as the application.
int qtArgc = 1;
char qtName[] = "razir";
char* qtArgv[] = {qtName, nullptr};

// Fusion, with drop-down lists that open below their combo box as the dialogs were drawn
// for, not over it.
class DesktopStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

bool Alive(const TForm* form) {
    const auto& forms = Screen->FormList();
    return std::find(forms.begin(), forms.end(), form) != forms.end();
}

WORD VirtualKey(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<WORD>('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<WORD>('0' + (key - Qt::Key_0));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return static_cast<WORD>(VK_F1 + (key - Qt::Key_F1));
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return VK_RETURN;
        case Qt::Key_Escape: return VK_ESCAPE;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return VK_TAB;
        case Qt::Key_Backspace: return VK_BACK;
        case Qt::Key_Delete: return VK_DELETE;
        case Qt::Key_Insert: return VK_INSERT;
        case Qt::Key_Home: return VK_HOME;
        case Qt::Key_End: return VK_END;
        case Qt::Key_Left: return VK_LEFT;
        case Qt::Key_Right: return VK_RIGHT;
        case Qt::Key_Up: return VK_UP;
        case Qt::Key_Down: return VK_DOWN;
        case Qt::Key_PageUp: return VK_PRIOR;
        case Qt::Key_PageDown: return VK_NEXT;
        case Qt::Key_Space: return VK_SPACE;
        default: return 0;
    }
}

TShiftState ShiftOf(Qt::KeyboardModifiers m, int key) {
    TShiftState s = ssNone;
    if (m & Qt::ShiftModifier || key == Qt::Key_Backtab) s |= ssShift;
    if (m & Qt::ControlModifier) s |= ssCtrl;
    if (m & Qt::AltModifier) s |= ssAlt;
    return s;
}

void TypeText(TForm& form, const QString& text) {
    const std::string utf8 = U(text);
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t ch = detail::NextCodePoint(utf8, i);
        // Control characters arrive as keys (Backspace, Return, Tab), never as typing.
        if (ch >= 0x20 && ch != 0x7F) form.TypeChar(ch);
    }
}

bool IsInput(QEvent::Type t) {
    switch (t) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        default:
            return false;
    }
}

QMessageBox::Icon IconOf(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information: return QMessageBox::Information;
        case MsgIcon::Warning: return QMessageBox::Warning;
        case MsgIcon::Error: return QMessageBox::Critical;
        case MsgIcon::Question: return QMessageBox::Question;
        case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole RoleOf(TModalResult r) {
    switch (r) {
        case mrOk:
        case mrYes:
        case mrYesToAll:
        case mrAll: return QMessageBox::AcceptRole;
        case mrNo:
        case mrNoToAll: return QMessageBox::NoRole;
        case mrCancel:
        case mrAbort: return QMessageBox::RejectRole;
        default: return QMessageBox::ActionRole;
    }
}

}  // namespace

void DesktopDriver::Impl::Dispatch(const std::function<void()>& action) {
    ++dispatchDepth;
    try {
        action();
    } catch (const std::exception& e) {
        Application->HandleException(e);
    }
    --dispatchDepth;
    Application->ProcessMessages();
    SyncAll();
}

void DesktopDriver::Impl::SyncAll() {
    for (auto it = windows.begin(); it != windows.end();) {
        if (!Alive(it->first)) it = windows.erase(it);
        else ++it;
    }
    for (auto& [form, window] : windows) window->Sync();
    // The model's front form (a second Preview brings the open preview forward).
    const TForm* top = nullptr;
    for (TForm* f : Screen->FormList())
        if (f->Visible() && windows.count(f)) {
            top = f;
            break;
        }
    if (top && top != front) {
        front = top;
        if (QWidget* w = windows.at(top)->Window()) {
            w->raise();
            w->activateWindow();
        }
    }
}

FormWindow* DesktopDriver::Impl::WindowOf(const TForm* form) const {
    if (!Alive(form)) return nullptr;
    auto it = windows.find(form);
    return it == windows.end() ? nullptr : it->second.get();
}

FormWindow* DesktopDriver::Impl::WindowHolding(const QWidget* widget) const {
    if (!widget) return nullptr;
    const QWidget* top = widget->window();
    for (const auto& [form, window] : windows)
        if (window->Window() == top && Alive(form)) return window.get();
    return nullptr;
}

bool DesktopDriver::Impl::Blocked(const FormWindow& window) const {
    if (modalStack.empty() || modalStack.back() == &window.Form()) return false;
    return window.ModalDepth() < static_cast<int>(modalStack.size());
}

bool DesktopDriver::Impl::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool input = IsInput(type);
    if (!input && type != QEvent::Close && type != QEvent::WindowActivate) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    FormWindow* window = WindowHolding(widget);
    if (!window) return false;
    if (Blocked(*window)) {
        if (type == QEvent::Close) event->ignore();
        return input || type == QEvent::Close;
    }
    if (type == QEvent::KeyPress || type == QEvent::MouseButtonPress) {
        // A list that closed without a pick tells the model on a queued call: it runs before
        // the next key or click, as it would for a person.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        window = WindowHolding(widget);
        if (!window) return false;
    }
    if (window->OwnInput(watched, event)) return true;
    TForm* form = &window->Form();

    switch (type) {
        case QEvent::ShortcutOverride:
            // Alt+letter on a window with a menu bar opens that menu, as the menus' own
            // shortcuts do; the model has no menu bar to route it to.
            if (window->HasMenuBar() && (static_cast<QKeyEvent*>(event)->modifiers() & Qt::AltModifier)) return false;
            // Otherwise taken here so that no Qt shortcut or mnemonic acts: the key arrives as
            // a key press and the form routes it (Alt+letter accelerators included).
            event->accept();
            return true;
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            const Qt::KeyboardModifiers mods = key->modifiers();
            if ((mods & Qt::ControlModifier) && key->key() == Qt::Key_A) {
                // Select all: the next typed character replaces the text, as after entering.
                Dispatch([&] {
                    if (auto* edit = dynamic_cast<TEdit*>(form->FocusedControl())) edit->SelectAll();
                    if (auto* combo = dynamic_cast<TComboBox*>(form->FocusedControl())) combo->SelectAll();
                });
                return true;
            }
            if ((mods & Qt::ControlModifier) && key->key() == Qt::Key_V) {
                const QString pasted = QApplication::clipboard()->text();
                Dispatch([&] { TypeText(*form, pasted); });
                return true;
            }
            if (const WORD vk = VirtualKey(key->key()))
                Dispatch([&] { form->PressKey(vk, ShiftOf(mods, key->key())); });
            if (!(mods & (Qt::ControlModifier | Qt::AltModifier)) && !key->text().isEmpty() && Alive(form)) {
                const QString text = key->text();
                Dispatch([&] { TypeText(*form, text); });
            }
            return true;
        }
        case QEvent::KeyRelease:
            return true;
        case QEvent::InputMethod: {
            const QString text = static_cast<QInputMethodEvent*>(event)->commitString();
            if (!text.isEmpty()) Dispatch([&] { TypeText(*form, text); });
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            TControl* control = window->ControlOf(widget);
            auto* win = dynamic_cast<TWinControl*>(control);
            if (win && win != form && form->FocusedControl() != win) {
                if (!win->CanFocus()) return true;
                // A click focuses first: the Exit handler of the control left may keep the
                // focus, and then the click never happens.
                Dispatch([&] { win->SetFocus(); });
                if (!Alive(form) || !WindowHolding(widget) || form->FocusedControl() != win) return true;
            }
            // The model keeps an edit's text and selection; a click only focuses. The arrows
            // of a spin edit still step it.
            if (dynamic_cast<TEdit*>(control) && !qobject_cast<QSpinBox*>(widget)) return true;
            if (dynamic_cast<TMemo*>(control)) return true;
            return false;
        }
        case QEvent::MouseButtonRelease: {
            TControl* control = window->ControlOf(widget);
            if (dynamic_cast<TMemo*>(control)) return true;
            if (dynamic_cast<TEdit*>(control) && !qobject_cast<QSpinBox*>(widget)) return true;
            return false;
        }
        case QEvent::Wheel:
            // A wheel over a closed list would change the choice behind the model's back.
            return qobject_cast<QComboBox*>(widget) || qobject_cast<QSpinBox*>(widget) ||
                   qobject_cast<QAbstractSpinBox*>(widget->parentWidget());
        case QEvent::Close:
            if (widget != window->Window()) return false;
            event->ignore();
            Dispatch([&] { form->Close(); });
            return true;
        case QEvent::WindowActivate:
            if (widget == window->Window() && Screen->ActiveForm() != form && form->Visible()) {
                front = form;
                Dispatch([&] { form->BringToFront(); });
            }
            return false;
        default:
            return false;
    }
}

DesktopDriver::DesktopDriver(DesktopOptions options) : impl_(std::make_unique<Impl>(*this)) {
    impl_->options = std::move(options);
    if (!QApplication::instance()) new QApplication(qtArgc, qtArgv);
    QApplication::setStyle(new DesktopStyle(QStyleFactory::create("Fusion")));
    QApplication::setFont(QFont(Q(impl_->options.fontFamily), impl_->options.fontPointSize));
    QApplication::setQuitOnLastWindowClosed(false);
    qApp->installEventFilter(impl_.get());
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, impl_.get(), [impl = impl_.get()] { impl->quitting = true; });
    InstallPreviewSink();
}

DesktopDriver::~DesktopDriver() {
    if (impl_->hourglass) QApplication::restoreOverrideCursor();
    qApp->removeEventFilter(impl_.get());
    impl_->windows.clear();
    RemovePreviewSink();
    if (impl_->dispatchDepth == 0) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void DesktopDriver::RunModal(TForm& form) {
    Impl& s = *impl_;
    s.modalStack.push_back(&form);
    s.SyncAll();
    QEventLoop loop;
    while (!s.quitting && Alive(&form) && !form.ModalDone()) {
        s.SyncAll();
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    s.modalStack.pop_back();
}

void DesktopDriver::Run(TForm& form) {
    Impl& s = *impl_;
    QEventLoop loop;
    while (!s.quitting && Alive(&form) && form.Visible()) {
        loop.processEvents(QEventLoop::WaitForMoreEvents);
        // The top of the program: no window's event is running, so the windows of hidden
        // forms can go now (this loop is no exec(), which would otherwise free them).
        if (s.dispatchDepth == 0 && s.modalStack.empty()) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TModalResult DesktopDriver::Message(const MessageRequest& request) {
    QWidget* parent = nullptr;
    if (FormWindow* w = impl_->WindowOf(Screen->ActiveForm())) parent = w->Window();
    QMessageBox box(parent);
    box.setWindowTitle(Q(request.caption));
    box.setTextFormat(Qt::PlainText);
    box.setText(Q(request.text));
    box.setIcon(IconOf(request.icon));
    std::vector<std::pair<QAbstractButton*, TModalResult>> answers;
    QAbstractButton* escape = nullptr;
    for (TModalResult b : request.buttons) {
        QPushButton* button = box.addButton(Q(ButtonName(b)), RoleOf(b));
        answers.emplace_back(button, b);
        if (b == request.defaultButton) box.setDefaultButton(button);
        if (b == mrCancel || (b == mrNo && !escape)) escape = button;
    }
    if (!escape && answers.size() == 1) escape = answers.front().first;
    if (escape) box.setEscapeButton(escape);
    if (impl_->hourglass) QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (impl_->hourglass) QApplication::restoreOverrideCursor();
    MessageRecord record{request, request.defaultButton, true};
    for (const auto& [button, result] : answers)
        if (box.clickedButton() == button) record.answer = result, record.defaulted = false;
    impl_->messages.push_back(record);
    return record.answer;
}

void DesktopDriver::FormShown(TForm& form) {
    Impl& s = *impl_;
    if (FormWindow* existing = s.WindowOf(&form)) {
        existing->Sync();
        existing->Window()->show();
        return;
    }
    std::unique_ptr<FormWindow> window = MakeReportWindow(s, form);
    if (!window) window = std::make_unique<FormWindow>(s, form);
    window->SetModalDepth(static_cast<int>(s.modalStack.size()));
    FormWindow& w = *window;
    s.windows[&form] = std::move(window);
    w.Build();
    s.front = &form;
}

void DesktopDriver::FormHidden(TForm& form) {
    Impl& s = *impl_;
    s.windows.erase(&form);
    if (s.front == &form) s.front = nullptr;
}

void DesktopDriver::CursorChanged(TCursor cursor) {
    const bool wait = cursor == crHourGlass || cursor == crSQLWait;
    if (wait == impl_->hourglass) return;
    impl_->hourglass = wait;
    if (wait) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
}

void DesktopDriver::HelpRequested(int context) { impl_->helpRequests.push_back(context); }

void DesktopDriver::SetMainMenu(TForm& form, TMenuItem& root) {
    impl_->menus[&form] = &root;
    if (FormWindow* w = impl_->WindowOf(&form)) w->BuildMenu();
}

QWidget* DesktopDriver::Window(const TForm& form) const {
    FormWindow* w = impl_->WindowOf(&form);
    return w ? w->Window() : nullptr;
}

QWidget* DesktopDriver::Widget(const TControl& control) const {
    for (const auto& [form, window] : impl_->windows)
        if (QWidget* w = window->WidgetOf(&control)) return w;
    return nullptr;
}

bool DesktopDriver::SavePicture(const TForm* form, const std::string& pngPath) const {
    QWidget* w = form ? Window(*form) : QApplication::activeModalWidget();
    if (!w) return false;
    QPixmap picture = w->grab();
    // An open drop-down list is a window of its own: drawn over the picture where it shows.
    QPainter painter(&picture);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || !(top->windowFlags() & Qt::Popup) || !top->parentWidget()) continue;
        if (top->parentWidget()->window() != w) continue;
        painter.drawPixmap(w->mapFromGlobal(top->mapToGlobal(QPoint(0, 0))), top->grab());
    }
    painter.end();
    return picture.save(Q(pngPath), "PNG");
}

const std::vector<MessageRecord>& DesktopDriver::Messages() const { return impl_->messages; }
const std::vector<int>& DesktopDriver::HelpRequests() const { return impl_->helpRequests; }

}  // namespace vcl::qt
