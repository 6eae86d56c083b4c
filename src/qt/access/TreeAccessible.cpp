// Qt's accessible objects for the program's windows, answered from the windows' trees: every
// question reads the tree afresh, so names and states are always the controls' own.
#include <QAccessibleWidget>
#include <QMetaObject>
#include <QPointer>
#include <QWindow>

#include <map>
#include <optional>

#include "qt/access/AccessibleRoles.h"
#include "qt/access/AccessibleSource.h"
#include "qt/controls/FormControls.h"
#include "qt/system/Encoding.h"

namespace qlx::qt {

namespace {

AccessibleSource* sourceOf(QWidget* root) {
    // Null also while the window is being taken down: its widget is then a plain QWidget.
    return root ? dynamic_cast<AccessibleSource*>(root) : nullptr;
}

// A copy of the node of a control (empty: the window itself); none when the window is gone or
// has no such node.
std::optional<AccNode> nodeOf(QWidget* root, const std::string& control) {
    const AccessibleSource* source = sourceOf(root);
    if (!source) return std::nullopt;
    const AccNode tree = source->accessibleTree();
    const AccNode* node = control.empty() ? &tree : tree.find(control);
    if (!node) return std::nullopt;
    return *node;
}

// Actions run from the event loop, so that a reader's call returns at once, also when the
// action opens a menu or a window that waits for the user.
void runDefaultAction(QWidget* root, const std::string& control) {
    QMetaObject::invokeMethod(
        root,
        [window = QPointer<QWidget>(root), control] {
            if (AccessibleSource* source = sourceOf(window))
                source->accessibleDefaultAction(control);
        },
        Qt::QueuedConnection);
}

QString actionOf(const std::optional<AccNode>& node) {
    return node ? qtActionName(node->role, !node->defaultAction.empty(), node->states) : QString();
}

// A control drawn on its parent's widget, such as the panel's two buttons.
class DrawnAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    DrawnAccessible(QWidget* root, QWidget* parent, std::string control)
        : root_(root), parent_(parent), control_(std::move(control)) {}

    bool isValid() const override { return root_ && sourceOf(root_) && nodeOf(root_, control_); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return root_ ? root_->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return parent_ ? QAccessible::queryAccessibleInterface(parent_) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        const std::optional<AccNode> node = nodeOf(root_, control_);
        if (!node) return {};
        if (t == QAccessible::Name) return fromCp1252(node->name);
        if (t == QAccessible::Accelerator) return fromCp1252(node->keyboardShortcut);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const std::optional<AccNode> node = nodeOf(root_, control_);
        const AccessibleSource* source = sourceOf(root_);
        if (!node || !source) return {};
        return qrect(node->bounds).translated(source->accessibleOrigin());
    }
    QAccessible::Role role() const override {
        const std::optional<AccNode> node = nodeOf(root_, control_);
        return node ? qtRole(node->role) : QAccessible::Client;
    }
    QAccessible::State state() const override {
        const std::optional<AccNode> node = nodeOf(root_, control_);
        QAccessible::State base;
        if (!root_ || !root_->isVisible()) base.invisible = base.offscreen = true;
        return node ? qtState(node->states, node->role, base) : base;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override {
        const QString action = actionOf(nodeOf(root_, control_));
        return action.isEmpty() ? QStringList() : QStringList{action};
    }
    QString localizedActionName(const QString& name) const override {
        const std::optional<AccNode> node = nodeOf(root_, control_);
        return node && name == actionOf(node) ? fromCp1252(node->defaultAction) : QString();
    }
    void doAction(const QString& name) override {
        if (!name.isEmpty() && name == actionOf(nodeOf(root_, control_)))
            runDefaultAction(root_, control_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    QPointer<QWidget> root_;
    QPointer<QWidget> parent_;
    std::string control_;
};

// The window itself, or a control with a widget of its own; its children are the node's.
class NodeAccessible final : public QAccessibleWidget {
  public:
    NodeAccessible(QWidget* widget, QWidget* root) : QAccessibleWidget(widget), root_(root) {}
    ~NodeAccessible() override {
        for (const auto& [control, id] : drawn_)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override {
        const std::optional<AccNode> node = this->node();
        if (node && filledByQt(*node)) return QAccessibleWidget::childCount();
        return node ? static_cast<int>(node->children.size()) : 0;
    }
    QAccessibleInterface* child(int index) const override {
        const std::optional<AccNode> node = this->node();
        if (node && filledByQt(*node)) return QAccessibleWidget::child(index);
        if (!node || index < 0 || index >= static_cast<int>(node->children.size())) return nullptr;
        return childFor(node->children[static_cast<size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const std::optional<AccNode> node = this->node();
        if (node && filledByQt(*node)) return QAccessibleWidget::indexOfChild(child);
        if (!node || !child) return -1;
        for (size_t i = 0; i < node->children.size(); ++i)
            if (childFor(node->children[i]) == child) return static_cast<int>(i);
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        // The last child drawn on top wins.
        for (int i = childCount(); i-- > 0;)
            if (QAccessibleInterface* c = child(i); c && c->rect().contains(x, y)) return c;
        return nullptr;
    }

    QString text(QAccessible::Text t) const override {
        const std::optional<AccNode> node = this->node();
        if (!node) return QAccessibleWidget::text(t);
        if (t == QAccessible::Name) return fromCp1252(node->name);
        if (t == QAccessible::Accelerator) return fromCp1252(node->keyboardShortcut);
        if (t == QAccessible::Description) return widget()->accessibleDescription();
        return QAccessibleWidget::text(t);
    }
    QAccessible::Role role() const override {
        const std::optional<AccNode> node = this->node();
        return node ? qtRole(node->role) : QAccessibleWidget::role();
    }
    QAccessible::State state() const override {
        const std::optional<AccNode> node = this->node();
        const QAccessible::State base = QAccessibleWidget::state();
        return node ? qtState(node->states, node->role, base) : base;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (const QString action = actionOf(node()); !action.isEmpty()) names.prepend(action);
        return names;
    }
    QString localizedActionName(const QString& name) const override {
        const std::optional<AccNode> node = this->node();
        if (node && name == actionOf(node)) return fromCp1252(node->defaultAction);
        return QAccessibleWidget::localizedActionName(name);
    }
    void doAction(const QString& name) override {
        if (!name.isEmpty() && name == actionOf(node()))
            runDefaultAction(root_, control());
        else
            QAccessibleWidget::doAction(name);
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        const std::optional<AccNode> node = this->node();
        if (node && name == actionOf(node) && !node->keyboardShortcut.empty())
            return {fromCp1252(node->keyboardShortcut)};
        return QAccessibleWidget::keyBindingsForAction(name);
    }

  private:
    // A window of its own whose controls the system describes (the message dialog's strip
    // with its buttons): its children are its widget's, as Qt describes them.
    static bool filledByQt(const AccNode& node) {
        return node.systemObject && node.children.empty();
    }
    // Read when asked: a widget's name is set after the first questions may come.
    std::string control() const {
        return widget() == root_ ? std::string() : widget()->objectName().toStdString();
    }
    std::optional<AccNode> node() const {
        const std::string name = control();
        if (name.empty() && widget() != root_) return std::nullopt;
        return nodeOf(root_, name);
    }

    QAccessibleInterface* childFor(const AccNode& c) const {
        AccessibleSource* source = sourceOf(root_);
        if (!source) return nullptr;
        if (QWidget* w = source->accessibleWidget(c.control))
            return QAccessible::queryAccessibleInterface(w);
        if (const auto it = drawn_.find(c.control); it != drawn_.end())
            if (QAccessibleInterface* known = QAccessible::accessibleInterface(it->second))
                return known;
        auto* drawn = new DrawnAccessible(root_, widget(), c.control);
        drawn_[c.control] = QAccessible::registerAccessibleInterface(drawn);
        return drawn;
    }

    QPointer<QWidget> root_;
    mutable std::map<std::string, QAccessible::Id> drawn_;
};

QAccessibleInterface* treeFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    QWidget* root = widget->window();
    const AccessibleSource* source = sourceOf(root);
    if (!source || (widget != root && !source->describesWidget(*widget))) return nullptr;
    return new NodeAccessible(widget, root);
}

} // namespace

void installAccessibleTree() {
    QAccessible::installFactory(treeFactory);
}

} // namespace qlx::qt
