// Showing a refusal: the string-table or catalog message in the framework's message box, then
// the focus on the offending control.
#include "Refusal.h"

#include "MessageText.h"

namespace {

struct TextOf {
    const RefusalParam& param;

    std::string operator()(UINT id) const {
        CString text;
        AfxLoadString(id, text);
        std::string result(static_cast<LPCSTR>(text));
        // A string-table text names its one parameter %1.
        if (!std::holds_alternative<std::monostate>(param)) {
            const std::string value = std::holds_alternative<int>(param)
                                          ? std::to_string(std::get<int>(param))
                                          : std::get<std::string>(param);
            if (const auto at = result.find("%1"); at != std::string::npos) {
                result.replace(at, 2, value);
            }
        }
        return result;
    }

    std::string operator()(const CatalogMessage& message) const {
        std::string text;
        if (std::holds_alternative<int>(param)) {
            GetMessageText(text, message.module, message.number, std::get<int>(param));
        } else if (std::holds_alternative<std::string>(param)) {
            GetMessageText(text, message.module, message.number,
                           std::get<std::string>(param).c_str());
        } else {
            GetMessageText(text, message.module, message.number);
        }
        return text;
    }
};

void showCatalogByType(const CatalogMessage& message, const RefusalParam& param) {
    if (std::holds_alternative<int>(param)) {
        ShowMessage(message.module, message.number, 0, 0, std::get<int>(param));
    } else if (std::holds_alternative<std::string>(param)) {
        ShowMessage(message.module, message.number, 0, 0, std::get<std::string>(param).c_str());
    } else {
        ShowMessage(message.module, message.number, 0, 0);
    }
}

}  // namespace

std::string RefusalText(const Refusal& refusal) {
    return std::visit(TextOf{refusal.param}, refusal.message);
}

BOOL Refuse(CWnd& dialog, const Refusal& refusal) {
    const auto* catalog = std::get_if<CatalogMessage>(&refusal.message);
    if (catalog != nullptr && refusal.style == 0) {
        showCatalogByType(*catalog, refusal.param);
    } else {
        AfxMessageBox(RefusalText(refusal).c_str(), refusal.style);
    }
    if (refusal.activatePage) {
        dialog.SetActiveWindow();
    }
    if (refusal.controlId != 0) {
        if (CWnd* control = dialog.GetDlgItem(refusal.controlId)) {
            control->SetFocus();
        }
    }
    return FALSE;
}
