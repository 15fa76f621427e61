// The desktop driver: every form the component model shows becomes a real window, its
// controls real widgets at their positions and sizes. Keys, typed characters, clicks and
// focus changes of the user go through the model's own entry points (PressKey, TypeChar,
// SetFocus, picks, UserClick), as the script driver plays them, so dialogs behave the same
// under both drivers; after every action the widgets are brought in line with the model.
// The report preview ("VistaPrevia") and the printer set-up get windows of their own.
// Not here: Qt itself, which stays inside this folder's .cpp files; callers see none of it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/2_vcl/driver.h"
#include "platform/2_vcl/menus.h"

class QWidget;

namespace vcl::qt {

struct DesktopOptions {
    // The face and size every window uses: dialogs are placed in pixels for a small sans face.
    std::string fontFamily = "DejaVu Sans";
    int fontPointSize = 8;
};

class DesktopDriver : public Driver {
public:
    // Starts the Qt application when none runs yet (QT_QPA_PLATFORM picks the platform, e.g.
    // "offscreen" for tests) and sends previews to the preview window.
    explicit DesktopDriver(DesktopOptions options = {});
    ~DesktopDriver() override;
    DesktopDriver(const DesktopDriver&) = delete;
    DesktopDriver& operator=(const DesktopDriver&) = delete;

    // Runs the form's window until its modal result is set and the form agrees to close; a
    // window closed by its close box is the form's Close.
    void RunModal(TForm& form) override;
    // A real message box with the request's caption, icon and buttons.
    TModalResult Message(const MessageRequest& request) override;
    void FormShown(TForm& form) override;
    void FormHidden(TForm& form) override;
    // The hourglass (crHourGlass, crSQLWait) over every window until the default comes back.
    void CursorChanged(TCursor cursor) override;
    void HelpRequested(int context) override;

    // The menu bar of a form's window, built from the items under `root` (captions with "&",
    // enabled and visible states read again each time a menu opens). The items must outlive
    // the form's window.
    void SetMainMenu(TForm& form, TMenuItem& root);
    // Runs the event loop while `form` is shown (the program's main window); returns when it
    // is closed or hidden.
    void Run(TForm& form);

    // The window of a shown form and the widget of a control on it; nullptr when none. For
    // tests that act through real widgets.
    QWidget* Window(const TForm& form) const;
    QWidget* Widget(const TControl& control) const;
    // Writes a picture of the form's window (or of the message box now open, when form is
    // nullptr) as PNG; false when there is no such window or the file cannot be written.
    bool SavePicture(const TForm* form, const std::string& pngPath) const;

    const std::vector<MessageRecord>& Messages() const;
    const std::vector<int>& HelpRequests() const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace vcl::qt
