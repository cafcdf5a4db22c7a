#include "app/sections/named_list_accessible.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <mutex>

namespace lumera::app {
namespace {

class NamedListAccessible : public QAccessibleWidget {
public:
    explicit NamedListAccessible(QComboBox* list)
        : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        const auto* list = static_cast<const QComboBox*>(widget());
        switch (kind) {
            case QAccessible::Name:
                return list->accessibleName();
            case QAccessible::Value:
                return list->currentText();
            default:
                return QAccessibleWidget::text(kind);
        }
    }
};

QAccessibleInterface* NamedListFactory(const QString&, QObject* object) {
    auto* list = qobject_cast<QComboBox*>(object);
    if (!list || list->isEditable() || list->accessibleName().isEmpty()) {
        return nullptr;
    }
    return new NamedListAccessible(list);
}

}  // namespace

void InstallNamedListAccessibility() {
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(NamedListFactory); });
}

}  // namespace lumera::app
