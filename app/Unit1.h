#pragma once

#include <QWidget>

// The directory's main window.
class TMenu : public QWidget {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 431;
    static constexpr int ClientHeight = 543;

    explicit TMenu(QWidget* parent = nullptr);
};
