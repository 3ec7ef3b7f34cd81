#pragma once

#include <QColor>
#include <QWidget>

class QMenu;

// A panel: a filled area with a raised one-pixel bevel that holds and clips other controls.
// Its popup menu also serves the children that have no menu of their own.
class TPanel : public QWidget {
    Q_OBJECT

public:
    explicit TPanel(QWidget* parent = nullptr);

    // The fill colour; the button-face colour until set.
    QColor Color() const { return color_; }
    void SetColor(const QColor& color);

    // The menu a right click opens; nullptr for none.
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QColor color_;
    QMenu* popupMenu_ = nullptr;
};
