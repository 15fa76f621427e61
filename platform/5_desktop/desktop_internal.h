// Shared by the desktop driver's sources: the driver's state (the windows of shown forms, the
// input filter, the modal loops) and the window of one form. Qt is included here and only by
// this folder's .cpp files.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "platform/2_vcl/form.h"
#include "platform/5_desktop/desktop_driver.h"

class QMenuBar;

namespace vcl::qt {

class FormWindow;

// The driver's state. Doubles as the application-wide event filter: every input event for a
// widget of a form window is turned into model actions here.
struct DesktopDriver::Impl : public QObject {
    explicit Impl(DesktopDriver& owner) : driver(owner) {}

    // Runs a user action on the model: an exception from a handler is shown as the
    // application shows it; released forms are freed and every window brought in line after.
    void Dispatch(const std::function<void()>& action);
    void SyncAll();
    // The window of a form still on the screen's list; nullptr when none.
    FormWindow* WindowOf(const TForm* form) const;
    // The form window whose top-level widget is, or holds, `widget`.
    FormWindow* WindowHolding(const QWidget* widget) const;
    // True while a modal form other than `form`'s is running: its input is refused.
    bool Blocked(const FormWindow& window) const;

    bool eventFilter(QObject* watched, QEvent* event) override;

    DesktopDriver& driver;
    DesktopOptions options;
    std::map<const TForm*, std::unique_ptr<FormWindow>> windows;
    std::map<const TForm*, TMenuItem*> menus;
    std::vector<const TForm*> modalStack;  // innermost last
    const TForm* front = nullptr;           // the form last raised to the front
    bool hourglass = false;
    bool quitting = false;
    int dispatchDepth = 0;
    std::vector<MessageRecord> messages;
    std::vector<int> helpRequests;
};

// The window of one shown form. The model keeps every state; the window only shows it and
// hands the user's input back as model actions.
class FormWindow {
public:
    FormWindow(DesktopDriver::Impl& host, TForm& form);
    virtual ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    TForm& Form() const { return form_; }
    QWidget* Window() const { return window_; }
    // Creates the window and its widgets, places and shows it.
    virtual void Build();
    // Brings every widget in line with the model: new and removed controls, places, enabled
    // and visible states, texts, items, choices and the focus.
    virtual void Sync();
    // The control played by `widget` or by the nearest widget above it in this window.
    TControl* ControlOf(const QWidget* widget) const;
    QWidget* WidgetOf(const TControl* control) const;
    // Input the window handles itself (the preview's navigation keys); true when taken.
    virtual bool OwnInput(QObject* watched, QEvent* event) { (void)watched, (void)event; return false; }
    // The menu bar from the items the driver was given for this form (SetMainMenu).
    void BuildMenu();
    bool HasMenuBar() const { return menuBar_ != nullptr; }
    // How many modal loops ran when the window opened: the ones it opened under do not
    // refuse its input.
    int ModalDepth() const { return modalDepth_; }
    void SetModalDepth(int depth) { modalDepth_ = depth; }

protected:
    // The widget for one control, parented to `parent`; the window's own texts come later
    // from Sync.
    QWidget* MakeWidget(TControl* control, QWidget* parent);
    // Places the children of a container; the default puts each at its Left, Top, Width and
    // Height. The printer set-up, whose controls carry no places, arranges its own.
    virtual void Arrange();
    // Sizes the window to hold the form and its controls and places it on the screen.
    void Fit();
    void BuildChildren(TWinControl* container, QWidget* parent);
    void SyncControl(TControl* control, QWidget* widget);
    void SyncFocus();
    void Forget(const TControl* control);

    DesktopDriver::Impl& host_;
    TForm& form_;
    QPointer<QWidget> window_;
    QWidget* client_ = nullptr;  // where the controls sit, below the menu bar if any
    QMenuBar* menuBar_ = nullptr;
    int modalDepth_ = 0;
    struct Bound {
        QWidget* widget;
        std::type_index type;
        std::string name;
    };
    std::map<const TControl*, Bound> bound_;
    std::map<const QWidget*, TControl*> controlOf_;
};

// Widgets of the tree view, string grid, notebook, pages, tool bar and tool buttons
// (view_widgets.cpp): nullptr for any other control; Sync is false for any other control.
QWidget* MakeViewWidget(DesktopDriver::Impl& host, TControl* c, QWidget* parent);
bool SyncViewWidget(TControl* c, QWidget* w);

// The drawing surface (paintbox_widget.cpp): nullptr, or false, for any other control.
QWidget* MakePaintBoxWidget(DesktopDriver::Impl& host, TControl* c, QWidget* parent);
bool SyncPaintBoxWidget(TControl* c, QWidget* w);

// Windows of the report engine's forms (preview_window.cpp).
std::unique_ptr<FormWindow> MakeReportWindow(DesktopDriver::Impl& host, TForm& form);
// The sink that asks the engine for page images the preview window shows.
void InstallPreviewSink();
void RemovePreviewSink();

// UTF-8 to Qt and back.
QString Q(const std::string& s);
std::string U(const QString& s);

}  // namespace vcl::qt
