// Finding controls the way a script names them: by own text or the text of the label that
// stands before them in tab order, by id, by the focus, with an offset in tab order; searched
// in the order a person looks (the topmost modal dialog; else the active page of a sheet and
// its visible child dialogs, then the sheet's own buttons and tabs), visible controls before
// hidden ones, and refused with the candidates when a name is ambiguous.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

#include "internal/robot.h"
#include "internal/window.h"
#include "kvwin32/ascii.h"
#include "kvwin32/comctl_tab.h"
#include "kvwin32/prsht.h"
#include "kvwin32/modal.h"
#include "kvwin32/robot.h"
#include "kvwin32/styles.h"
#include "kvwin32/winuser.h"

namespace kvwin32 {

namespace {

// Text as names compare it: every `&` removed, then blanks at both ends.
std::string normalized(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '&') {
            out += c;
        }
    }
    size_t first = out.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    size_t last = out.find_last_not_of(" \t");
    return out.substr(first, last - first + 1);
}

// Top-level windows of the thread that a person could be looking at, topmost first: visible,
// and not the popups that belong to a control (tooltips, the list of a combo box).
std::vector<HWND> visibleTopLevels() {
    std::vector<HWND> out;
    DWORD thread = GetCurrentThreadId();
    for (HWND top : internal::childrenOf(GetDesktopWindow())) {
        if (GetWindowThreadProcessId(top, nullptr) != thread || !IsWindowVisible(top)) {
            continue;
        }
        std::string cls = internal::classOf(top);
        if (kvwin32::ascii::equalNoCase(cls, "tooltips_class32") ||
            kvwin32::ascii::equalNoCase(cls, "ComboLBox")) {
            continue;
        }
        out.push_back(top);
    }
    return out;
}

// The scopes of a top-level window: a sheet's page first, then its own controls.
std::vector<std::vector<HWND>> scopesOf(HWND window) {
    if (HWND page = internal::activePageOf(window)) {
        return {internal::scopeControls(page), internal::sheetOwnControls(window)};
    }
    return {internal::scopeControls(window)};
}

struct Match {
    HWND hwnd;
    size_t scope;
    size_t index;
};

// The matches of a text query within one scope, each at most once.
std::vector<Match> textMatches(const ControlQuery& query, const std::vector<HWND>& controls,
                               size_t scope, bool visible) {
    std::vector<Match> out;
    auto add = [&](HWND hwnd) {
        if (static_cast<bool>(IsWindowVisible(hwnd)) != visible) {
            return;
        }
        auto at = std::find(controls.begin(), controls.end(), hwnd);
        if (std::none_of(out.begin(), out.end(), [&](const Match& m) { return m.hwnd == hwnd; })) {
            out.push_back(Match{hwnd, scope, static_cast<size_t>(at - controls.begin())});
        }
    };
    for (size_t i = 0; i < controls.size(); ++i) {
        HWND control = controls[i];
        if (!robotTextMatches(query.text, internal::windowText(control), query.prefix)) {
            continue;
        }
        // A label stands for the control it names, unless the query wants own text only.
        HWND named = !query.ownTextOnly && internal::isLabel(control)
                         ? internal::labelledBy(controls, i)
                         : nullptr;
        add(named ? named : control);
    }
    return out;
}

}  // namespace

bool robotTextMatches(std::string_view queryText, std::string_view controlText, bool prefix) {
    std::string want = normalized(queryText);
    std::string have = normalized(controlText);
    if (prefix) {
        return have.compare(0, want.size(), want) == 0;
    }
    return have == want;
}

ControlQuery ControlQuery::byText(std::string_view refText) {
    ControlQuery query;
    if (!refText.empty() && refText.front() == '=') {
        query.ownTextOnly = true;
        refText.remove_prefix(1);
    }
    if (!refText.empty() && refText.back() == '*') {
        query.prefix = true;
        refText.remove_suffix(1);
    }
    query.text = std::string(refText);
    return query;
}

bool ControlQuery::namesNothing() const {
    return kind == Kind::text && !prefix && normalized(text).empty();
}

ControlQuery ControlQuery::byId(int id) {
    ControlQuery query;
    query.kind = Kind::id;
    query.id = id;
    return query;
}

ControlQuery ControlQuery::focused() {
    ControlQuery query;
    query.kind = Kind::focus;
    return query;
}

std::string ControlQuery::describe() const {
    std::string out;
    switch (kind) {
        case Kind::id:
            out = "#" + std::to_string(id);
            break;
        case Kind::focus:
            out = "focus";
            break;
        case Kind::text:
            out = "\"" + std::string(ownTextOnly ? "=" : "") + text + (prefix ? "*" : "") + "\"";
            break;
    }
    if (offset != 0) {
        out += (offset > 0 ? "+" : "") + std::to_string(offset);
    }
    return out;
}

std::string ItemQuery::describe() const {
    return byIndex ? "#" + std::to_string(index) : "\"" + text + "\"";
}

HWND topmostModalDialog() {
    // The innermost running modal loop whose window is on the screen (a modal sheet may have
    // no owner to disable).
    const std::vector<HWND> loops = modalLoopWindows();
    for (auto it = loops.rbegin(); it != loops.rend(); ++it) {
        if (IsWindow(*it) && IsWindowVisible(*it)) {
            return *it;
        }
    }
    for (HWND top : visibleTopLevels()) {
        HWND owner = GetWindow(top, GW_OWNER);
        if (IsWindowEnabled(top) && owner != nullptr && !IsWindowEnabled(owner) &&
            internal::kindOf(top) == internal::ControlKind::dialog) {
            return top;
        }
    }
    return nullptr;
}

std::vector<HWND> Robot::searchRoots() const {
    if (m_root != nullptr) {
        return {m_root};
    }
    if (HWND modal = topmostModalDialog()) {
        return {modal};
    }
    std::vector<HWND> tops = visibleTopLevels();
    // A sheet on the screen is where a person looks; else the topmost window that takes input.
    for (HWND top : tops) {
        if (internal::activePageOf(top) != nullptr) {
            return {top};
        }
    }
    for (HWND top : tops) {
        if (IsWindowEnabled(top)) {
            return {top};
        }
    }
    return {};
}

RobotResult Robot::find(const ControlQuery& query) const {
    std::vector<std::vector<HWND>> scopes;
    for (HWND root : searchRoots()) {
        for (std::vector<HWND>& scope : scopesOf(root)) {
            scopes.push_back(std::move(scope));
        }
    }
    std::vector<Match> matches;
    if (query.kind == ControlQuery::Kind::focus) {
        HWND focus = GetFocus();
        if (focus == nullptr) {
            return RobotResult::failed(RobotFailure::noMatch, "no control has the focus");
        }
        // An editable combo box's edit stands for its combo box in the scope lists.
        for (size_t s = 0; s < scopes.size() && matches.empty(); ++s) {
            for (size_t i = 0; i < scopes[s].size(); ++i) {
                if (scopes[s][i] == focus || IsChild(scopes[s][i], focus)) {
                    matches.push_back(Match{scopes[s][i], s, i});
                    break;
                }
            }
        }
        if (matches.empty()) {
            if (query.offset != 0) {
                return RobotResult::failed(RobotFailure::offsetOutOfRange,
                                           "the focused control is outside the window searched");
            }
            return RobotResult::found(focus);
        }
        if (query.offset == 0) {
            // The focused window itself (an in-place editor inside a list, say).
            return RobotResult::found(focus);
        }
    } else {
        // Visible controls first, scope by scope; hidden ones only when no visible one matches.
        for (bool visible : {true, false}) {
            for (size_t s = 0; s < scopes.size() && matches.empty(); ++s) {
                if (query.kind == ControlQuery::Kind::id) {
                    for (size_t i = 0; i < scopes[s].size(); ++i) {
                        HWND control = scopes[s][i];
                        if (GetDlgCtrlID(control) == query.id &&
                            static_cast<bool>(IsWindowVisible(control)) == visible) {
                            matches.push_back(Match{control, s, i});
                        }
                    }
                } else {
                    matches = textMatches(query, scopes[s], s, visible);
                }
            }
            if (!matches.empty()) {
                break;
            }
        }
    }
    if (matches.empty()) {
        return RobotResult::failed(RobotFailure::noMatch, "no control matches " + query.describe());
    }
    if (matches.size() > 1) {
        std::string list;
        RobotResult ambiguous = RobotResult::failed(RobotFailure::ambiguous, {});
        for (const Match& match : matches) {
            list += (list.empty() ? "" : ", ") + internal::describeControl(match.hwnd);
            ambiguous.candidates.push_back(match.hwnd);
        }
        ambiguous.error =
            query.describe() + " matches " + std::to_string(matches.size()) + " controls: " + list;
        return ambiguous;
    }
    const Match& match = matches.front();
    if (query.offset == 0) {
        return RobotResult::found(match.hwnd);
    }
    const std::vector<HWND>& scope = scopes[match.scope];
    long long target = static_cast<long long>(match.index) + query.offset;
    if (target < 0 || target >= static_cast<long long>(scope.size())) {
        return RobotResult::failed(RobotFailure::offsetOutOfRange,
                                   "no control " + std::to_string(std::abs(query.offset)) +
                                       (query.offset > 0 ? " places after " : " places before ") +
                                       internal::describeControl(match.hwnd));
    }
    return RobotResult::found(scope[static_cast<size_t>(target)]);
}

std::string Robot::labelOf(HWND control) const {
    HWND root = GetAncestor(control, GA_PARENT);
    if (root == nullptr) {
        return {};
    }
    std::vector<HWND> scope = internal::scopeControls(root);
    auto at = std::find(scope.begin(), scope.end(), control);
    if (at == scope.end()) {
        return {};
    }
    // The nearest label before it that names it.
    for (size_t i = static_cast<size_t>(at - scope.begin()); i-- > 0;) {
        if (internal::isLabel(scope[i])) {
            return internal::labelledBy(scope, i) == control ? internal::windowText(scope[i])
                                                             : std::string();
        }
    }
    return {};
}

namespace internal {

std::vector<HWND> scopeControls(HWND root) {
    std::vector<HWND> out;
    for (HWND child : childrenOf(root)) {
        if (kindOf(child) == ControlKind::dialog) {
            // A child dialog that is hidden is not on the screen: nothing in it is searched.
            if (IsWindowVisible(child)) {
                std::vector<HWND> inner = scopeControls(child);
                out.insert(out.end(), inner.begin(), inner.end());
            }
            continue;
        }
        out.push_back(child);
    }
    return out;
}

std::vector<HWND> sheetOwnControls(HWND sheet) {
    std::vector<HWND> out;
    for (HWND child : childrenOf(sheet)) {
        if (kindOf(child) != ControlKind::dialog) {
            out.push_back(child);
        }
    }
    return out;
}

HWND activePageOf(HWND hwnd) {
    if (kindOf(hwnd) != ControlKind::dialog) {
        return nullptr;
    }
    // A sheet is a dialog with a tab control of its own and dialogs (its pages) as children;
    // only such a window is asked for its page, so no other dialog sees a sheet message.
    bool hasTab = false;
    bool hasPage = false;
    for (HWND child : childrenOf(hwnd)) {
        hasTab = hasTab || kindOf(child) == ControlKind::tabControl;
        hasPage = hasPage || kindOf(child) == ControlKind::dialog;
    }
    if (!hasTab || !hasPage) {
        return nullptr;
    }
    auto page = reinterpret_cast<HWND>(SendMessageA(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    return page != nullptr && GetParent(page) == hwnd ? page : nullptr;
}

HWND labelledBy(const std::vector<HWND>& controls, size_t labelIndex) {
    for (size_t i = labelIndex + 1; i < controls.size(); ++i) {
        if (isLabel(controls[i])) {
            return nullptr;
        }
        if (isLabelTarget(controls[i])) {
            return controls[i];
        }
    }
    return nullptr;
}

}  // namespace internal

}  // namespace kvwin32
