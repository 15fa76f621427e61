// Message boxes turned into driver requests: flags or dialog types become a caption, an icon,
// the buttons in the order users see them and the default one.
#include "platform/2_vcl/dialogs.h"

#include <algorithm>

namespace vcl {

namespace {

MsgIcon IconOfFlags(unsigned flags) {
    switch (flags & 0xF0) {
        case MB_ICONHAND: return MsgIcon::Error;
        case MB_ICONQUESTION: return MsgIcon::Question;
        case MB_ICONEXCLAMATION: return MsgIcon::Warning;
        case MB_ICONASTERISK: return MsgIcon::Information;
        default: return MsgIcon::None;
    }
}

std::vector<TModalResult> ButtonsOfFlags(unsigned flags) {
    switch (flags & 0xF) {
        case MB_OKCANCEL: return {mrOk, mrCancel};
        case MB_ABORTRETRYIGNORE: return {mrAbort, mrRetry, mrIgnore};
        case MB_YESNOCANCEL: return {mrYes, mrNo, mrCancel};
        case MB_YESNO: return {mrYes, mrNo};
        case MB_RETRYCANCEL: return {mrRetry, mrCancel};
        default: return {mrOk};
    }
}

TModalResult Ask(MessageRequest request) {
    const TModalResult answer = CurrentDriver().Message(request);
    const auto& b = request.buttons;
    // A driver's answer outside the buttons would reach code that never expects it.
    return std::find(b.begin(), b.end(), answer) != b.end() ? answer : request.defaultButton;
}

}  // namespace

int MessageBox(std::string_view text, std::string_view caption, unsigned flags) {
    MessageRequest r;
    r.text = text;
    r.caption = caption;
    r.icon = IconOfFlags(flags);
    r.buttons = ButtonsOfFlags(flags);
    const std::size_t def = std::min<std::size_t>((flags >> 8) & 0xF, r.buttons.size() - 1);
    r.defaultButton = r.buttons[def];
    return Ask(std::move(r));
}

TModalResult MessageDlg(std::string_view text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
    MessageRequest r;
    r.text = text;
    r.helpContext = helpContext;
    switch (type) {
        case mtWarning: r.caption = "Advertencia", r.icon = MsgIcon::Warning; break;
        case mtError: r.caption = "Error", r.icon = MsgIcon::Error; break;
        case mtInformation: r.caption = "Información", r.icon = MsgIcon::Information; break;
        case mtConfirmation: r.caption = "Confirmación", r.icon = MsgIcon::Question; break;
        case mtCustom: r.caption = Application->Title(); break;
    }
    constexpr std::pair<TMsgDlgButtons, TModalResult> kOrder[] = {
        {mbYes, mrYes}, {mbNo, mrNo}, {mbOK, mrOk}, {mbCancel, mrCancel}, {mbAbort, mrAbort},
        {mbRetry, mrRetry}, {mbIgnore, mrIgnore}, {mbAll, mrAll}, {mbNoToAll, mrNoToAll},
        {mbYesToAll, mrYesToAll},
    };
    for (auto [bit, result] : kOrder)
        if (buttons & bit) r.buttons.push_back(result);
    if (r.buttons.empty()) r.buttons.push_back(mrOk);
    // OK when offered, else Yes, else Retry, else the first: the button Return presses.
    r.defaultButton = r.buttons.front();
    for (TModalResult preferred : {mrOk, mrYes, mrRetry})
        if (std::find(r.buttons.begin(), r.buttons.end(), preferred) != r.buttons.end()) {
            r.defaultButton = preferred;
            break;
        }
    return Ask(std::move(r));
}

void ShowMessage(std::string_view text) {
    MessageRequest r;
    r.text = text;
    r.caption = Application->Title();
    r.buttons = {mrOk};
    Ask(std::move(r));
}

}  // namespace vcl
