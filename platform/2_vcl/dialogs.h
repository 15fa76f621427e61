// Message boxes: MessageBox with Windows-style flags and answers, MessageDlg with a type and a
// set of buttons, ShowMessage. Every one goes through the current driver, which answers it.
// Not here: recording or showing them (driver.h and the drivers).
#pragma once

#include <string_view>

#include "platform/2_vcl/driver.h"

namespace vcl {

// MessageBox flags: one button set, one icon, one default button, or-ed together.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_RETRYCANCEL = 0x5;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONERROR = MB_ICONHAND;
constexpr unsigned MB_ICONSTOP = MB_ICONHAND;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr unsigned MB_DEFBUTTON1 = 0x000;
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_DEFBUTTON3 = 0x200;

// MessageBox answers; they equal the modal results of the same buttons.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

int MessageBox(std::string_view text, std::string_view caption, unsigned flags = MB_OK);

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// A set of MessageDlg buttons: mb* bits or-ed together.
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYes = 0x001;
constexpr TMsgDlgButtons mbNo = 0x002;
constexpr TMsgDlgButtons mbOK = 0x004;
constexpr TMsgDlgButtons mbCancel = 0x008;
constexpr TMsgDlgButtons mbAbort = 0x010;
constexpr TMsgDlgButtons mbRetry = 0x020;
constexpr TMsgDlgButtons mbIgnore = 0x040;
constexpr TMsgDlgButtons mbAll = 0x080;
constexpr TMsgDlgButtons mbNoToAll = 0x100;
constexpr TMsgDlgButtons mbYesToAll = 0x200;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;

// Caption from the type ("Advertencia", "Error", "Información", "Confirmación"; the
// application's title for mtCustom); the default button is OK, else Yes, else Retry, else the first.
TModalResult MessageDlg(std::string_view text, TMsgDlgType type, TMsgDlgButtons buttons,
                        int helpContext = 0);
// An OK box captioned with the application's title, no icon.
void ShowMessage(std::string_view text);

}  // namespace vcl
