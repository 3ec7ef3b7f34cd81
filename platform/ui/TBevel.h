#pragma once

#include <QWidget>

// A raised one-pixel frame drawn over its parent's background; it takes no mouse input.
class TBevel : public QWidget {
    Q_OBJECT

public:
    explicit TBevel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
