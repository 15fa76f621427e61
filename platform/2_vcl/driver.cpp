// The current driver and the headless one that stands in when none is set: it never blocks,
// answers every message with its default button and writes it to stderr.
#include "platform/2_vcl/driver.h"

#include <algorithm>
#include <cstdio>

namespace vcl {

namespace {
HeadlessDriver headless;
Driver* current = nullptr;
}  // namespace

Driver& CurrentDriver() { return current ? *current : headless; }

Driver* SetDriver(Driver* driver) {
    Driver* previous = current;
    current = driver;
    return previous;
}

void HeadlessDriver::RunModal(TForm& form) {
    // Once: a form that refuses to close ends its ShowModal with mrNone rather than looping.
    form.SetModalResult(mrCancel);
    form.ModalDone();
}

TModalResult HeadlessDriver::Message(const MessageRequest& request) {
    MessageRecord record{request, request.defaultButton, true};
    messages_.push_back(record);
    std::fprintf(stderr, "%s\n", Describe(record).c_str());
    return record.answer;
}

std::string ButtonName(TModalResult button) {
    switch (button) {
        case mrOk: return "Aceptar";
        case mrCancel: return "Cancelar";
        case mrAbort: return "Anular";
        case mrRetry: return "Reintentar";
        case mrIgnore: return "Omitir";
        case mrYes: return "Sí";
        case mrNo: return "No";
        case mrAll: return "Todos";
        case mrNoToAll: return "No a todo";
        case mrYesToAll: return "Sí a todo";
        default: return "?";
    }
}

namespace {
const char* IconName(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information: return "información";
        case MsgIcon::Warning: return "advertencia";
        case MsgIcon::Error: return "error";
        case MsgIcon::Question: return "pregunta";
        case MsgIcon::None: break;
    }
    return "sin icono";
}
}  // namespace

std::string Describe(const MessageRecord& record) {
    const MessageRequest& r = record.request;
    std::string text;
    for (char c : r.text) text += c == '\n' ? std::string("\\n") : std::string(1, c);
    std::string out = "mensaje [" + r.caption + "] \"" + text + "\" (" + IconName(r.icon) + ") [";
    for (std::size_t i = 0; i < r.buttons.size(); ++i) {
        if (i) out += ", ";
        out += ButtonName(r.buttons[i]);
        if (r.buttons[i] == r.defaultButton) out += "*";
    }
    out += "] -> " + ButtonName(record.answer);
    if (record.defaulted) out += " (por omisión)";
    return out;
}

}  // namespace vcl
