#include "platform/ui/AccessibleNames.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr const char* DecorativeProperty = "decorativePicture";

// A decorative picture: an image with neither name nor description.
class DecorativeAccessible : public QAccessibleWidget {
public:
    explicit DecorativeAccessible(QWidget* picture)
        : QAccessibleWidget(picture, QAccessible::Graphic) {}
    QString text(QAccessible::Text) const override { return {}; }
};

QAccessibleInterface* DecorativeFactory(const QString&, QObject* object) {
    if (object == nullptr || !object->isWidgetType() ||
        !object->property(DecorativeProperty).toBool())
        return nullptr;
    return new DecorativeAccessible(static_cast<QWidget*>(object));
}

} // namespace

void NameAfterLabel(QWidget& field, QLabel& label) {
    label.setBuddy(&field);
    QString name = label.text();
    // "&&" stands for one "&"; a single "&" only marks the accelerator.
    name.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    name.remove(QLatin1Char('&'));
    name.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    field.setAccessibleName(name);
    // An editable combo box's text is an object of its own, which has the focus while typing.
    if (auto* combo = qobject_cast<QComboBox*>(&field); combo != nullptr && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(name);
}

void MarkDecorative(QWidget& picture) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&DecorativeFactory);
        return true;
    }();
    (void)factoryInstalled;
    picture.setProperty(DecorativeProperty, true);
}
