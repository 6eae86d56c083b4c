// Accessible trees of the windows and the panel, and the Tab order.
#include "forms/AccessibleTree.h"

#include <algorithm>

#include "forms/KeyboardCues.h"
#include "panel/PanelLayout.h"

namespace qlx {

const char* const kDefaultActionPress = "Tryk";
const char* const kPanelAccName = "Quiklex";
const char* const kPanelMenuButtonName = "Menu";
const char* const kPanelOpenButtonName = "\xC5" "bn ordbogen";

const AccNode* AccNode::find(std::string_view controlName) const {
    if (control == controlName) return this;
    for (const AccNode& child : children)
        if (const AccNode* found = child.find(controlName)) return found;
    return nullptr;
}

bool takesFocus(ControlKind kind) {
    return kind == ControlKind::FlatButton || kind == ControlKind::CheckmarkButton ||
           kind == ControlKind::HotKeyField || kind == ControlKind::HtmlView;
}

namespace {

ControlState stateOf(const FormAccState& state, std::string_view name) {
    const auto it = state.controls.find(name);
    return it == state.controls.end() ? ControlState{} : it->second;
}

bool accessible(ControlKind kind) {
    return kind != ControlKind::Shape && kind != ControlKind::BevelLines;
}

uint32_t roleOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Panel: return kRolePane;
    case ControlKind::Label: return kRoleStaticText;
    case ControlKind::FlatButton: return kRolePushButton;
    case ControlKind::CheckmarkButton: return kRoleCheckButton;
    case ControlKind::HotKeyField: return kRoleHotKeyField;
    default: return kRoleClient;
    }
}

// A field's name: the label just before it in the table, as a reader should speak it (without
// the colon the window shows), or else its hint; with the label's mnemonic as its shortcut.
void nameField(const FormDesc& form, const ControlDesc& field, AccNode& node) {
    node.name = field.hint;
    const ControlDesc* before = nullptr;
    for (const ControlDesc& c : form.controls) {
        if (&c == &field) break;
        before = &c;
    }
    if (!before || before->kind != ControlKind::Label) return;
    std::string caption = before->caption();
    while (!caption.empty() && (caption.back() == ':' || caption.back() == ' '))
        caption.pop_back();
    if (caption.empty()) return;
    node.name = caption;
    node.keyboardShortcut = mnemonicShortcut(before->mnemonic);
}

// A panel's place in the window at the window's current size (96 DPI), as the window lays
// it out: aligned panels span the width, the bottom one follows the bottom edge.
ControlBox panelBox(const ControlDesc& c, const FormDesc& form, int width, int height) {
    switch (c.align) {
    case Align::Top: return {0, c.box.top, width, c.box.height};
    case Align::Bottom: return {0, height - c.box.height, width, c.box.height};
    default: return anchoredBox(c.box, c.anchors, form.clientWidth, form.clientHeight, width, height);
    }
}

} // namespace

AccNode formAccessibleTree(const FormDesc& form, const FormAccState& state) {
    const int width = state.clientWidth > 0 ? state.clientWidth : form.clientWidth;
    const int height = state.clientHeight > 0 ? state.clientHeight : form.clientHeight;
    AccNode root;
    root.name = form.caption;
    root.role = kRoleDialog;
    root.bounds = scaledBox({0, 0, width, height}, state.dpi);

    // Where each panel lies in the window and how large it is now, unscaled.
    struct Placed {
        const ControlDesc* desc;
        ControlBox box;
    };
    std::vector<Placed> panels;
    auto placedPanel = [&](std::string_view name) -> const Placed* {
        for (const Placed& p : panels)
            if (p.desc->name == name) return &p;
        return nullptr;
    };
    for (const ControlDesc& c : form.controls)
        if (c.kind == ControlKind::Panel && c.parent.empty())
            panels.push_back({&c, panelBox(c, form, width, height)});

    auto nodeOf = [&](const ControlDesc& c, const ControlBox& inWindow) {
        const ControlState s = stateOf(state, c.name);
        AccNode node;
        node.control = c.name;
        node.role = roleOf(c.kind);
        node.bounds = scaledBox(inWindow, state.dpi);
        node.systemObject = c.kind == ControlKind::HotKeyField || c.kind == ControlKind::HtmlView ||
                            c.kind == ControlKind::Panel;
        if (c.kind == ControlKind::HotKeyField || c.kind == ControlKind::HtmlView) {
            nameField(form, c, node);
        } else {
            node.name = c.caption();
            if (c.kind != ControlKind::Label) node.keyboardShortcut = mnemonicShortcut(c.mnemonic);
        }
        if (c.kind == ControlKind::FlatButton || c.kind == ControlKind::CheckmarkButton)
            node.defaultAction = kDefaultActionPress;
        if (takesFocus(c.kind)) {
            if (s.enabled && s.visible) node.states |= kStateFocusable;
            if (state.focused == c.name) node.states |= kStateFocused;
        }
        if (c.kind == ControlKind::CheckmarkButton && s.checked) node.states |= kStateChecked;
        if (!s.enabled) node.states |= kStateUnavailable;
        if (!s.visible) node.states |= kStateInvisible;
        return node;
    };

    for (const Placed& p : panels) {
        AccNode node = nodeOf(*p.desc, p.box);
        node.name.clear();
        root.children.push_back(std::move(node));
    }
    for (const ControlDesc& c : form.controls) {
        if (c.kind == ControlKind::Panel || !accessible(c.kind)) continue;
        if (c.parent.empty()) {
            const ControlBox box =
                anchoredBox(c.box, c.anchors, form.clientWidth, form.clientHeight, width, height);
            root.children.push_back(nodeOf(c, box));
            continue;
        }
        const Placed* parent = placedPanel(c.parent);
        if (!parent) continue;
        const ControlBox inner = anchoredBox(c.box, c.anchors, parent->desc->box.width > 0
                                                                   ? parent->desc->box.width
                                                                   : form.clientWidth,
                                             parent->desc->box.height, parent->box.width,
                                             parent->box.height);
        const ControlBox inWindow{parent->box.left + inner.left, parent->box.top + inner.top,
                                  inner.width, inner.height};
        for (AccNode& panelNode : root.children)
            if (panelNode.control == c.parent) panelNode.children.push_back(nodeOf(c, inWindow));
    }
    // The panels keep their place among the window's own controls: in table order.
    std::vector<AccNode> ordered;
    for (const ControlDesc& c : form.controls) {
        if (!c.parent.empty() || !accessible(c.kind)) continue;
        for (AccNode& n : root.children)
            if (n.control == c.name) ordered.push_back(std::move(n));
    }
    root.children = std::move(ordered);
    return root;
}

std::vector<std::string> focusOrder(const FormDesc& form) {
    std::vector<std::string> order;
    for (const ControlDesc& c : form.controls)
        if (takesFocus(c.kind)) order.push_back(c.name);
    return order;
}

std::string nextFocus(const FormDesc& form, const FormAccState& state, std::string_view current,
                      bool forward) {
    const std::vector<std::string> order = focusOrder(form);
    const int n = static_cast<int>(order.size());
    if (n == 0) return {};
    const auto at = std::find(order.begin(), order.end(), current);
    int i = at == order.end() ? (forward ? -1 : n) : static_cast<int>(at - order.begin());
    for (int step = 0; step < n; ++step) {
        i = ((forward ? i + 1 : i - 1) % n + n) % n;
        const ControlState s = stateOf(state, order[i]);
        if (s.enabled && s.visible) return order[i];
    }
    return {};
}

AccNode panelAccessibleTree(bool panelFocused, int dpi) {
    AccNode root;
    root.name = kPanelAccName;
    root.role = kRolePane;
    root.states = kStateFocusable | (panelFocused ? uint32_t{kStateFocused} : 0u);
    const PanelSize outer = panelOuterSize(dpi);
    root.bounds = {0, 0, outer.width - 2 * kPanelBorder, outer.height - 2 * kPanelBorder};
    auto button = [&](PanelControl control, const char* name) {
        AccNode node;
        node.control = control == PanelControl::ImageMenu ? "ImageMenu" : "ImageOpen";
        node.name = name;
        node.role = kRolePushButton;
        node.bounds = panelControlBox(control, outer.height, dpi);
        node.defaultAction = kDefaultActionPress;
        return node;
    };
    root.children.push_back(button(PanelControl::ImageMenu, kPanelMenuButtonName));
    root.children.push_back(button(PanelControl::ImageOpen, kPanelOpenButtonName));
    return root;
}

AccNode messageDialogAccessibleTree(const std::string& caption, const std::string& text,
                                    const MessageWinLayout& layout, bool buttonFocused) {
    AccNode root;
    root.name = caption;
    root.role = kRoleDialog;
    root.bounds = {0, 0, layout.clientWidth, layout.clientHeight};
    AccNode body;
    body.control = "Text";
    body.name = text;
    body.role = kRoleStaticText;
    body.bounds = layout.text;
    root.children.push_back(std::move(body));
    AccNode strip;
    strip.control = "Strip";
    strip.role = kRolePane;
    strip.bounds = layout.strip;
    strip.systemObject = true;
    strip.focusWithin = buttonFocused;
    root.children.push_back(std::move(strip));
    return root;
}

} // namespace qlx
