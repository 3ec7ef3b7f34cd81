#pragma once

#include <QPushButton>

// A push button; while it has the focus, Enter and Space click it, as on the platform.
class TButton : public QPushButton {
    Q_OBJECT

public:
    explicit TButton(const QString& caption, QWidget* parent = nullptr);
};
