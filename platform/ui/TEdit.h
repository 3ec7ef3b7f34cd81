#pragma once

#include <QLineEdit>

// A single-line text field that reports every key going down before it handles the key.
class TEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TEdit(QWidget* parent = nullptr);

signals:
    // A key went down in the field (OnKeyDown); the field's own handling follows.
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
