#pragma once

#include <QAccessibleWidget>
#include <QHash>

class TStatusBar;

// The status bar as assistive technology sees it: a status bar whose children are its panels,
// each a piece of text named by what it shows. The bar's own name is the panels' texts in
// order, so reading the bar reads all of it.
class TStatusBarAccessible : public QAccessibleWidget {
public:
    explicit TStatusBarAccessible(TStatusBar* bar);
    ~TStatusBarAccessible() override;

    // The factory Qt asks for the interface of a TStatusBar.
    static QAccessibleInterface* Factory(const QString& className, QObject* object);

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    TStatusBar* Bar() const;

    mutable QHash<int, QAccessible::Id> panels_;
};
