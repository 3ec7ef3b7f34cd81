#pragma once

#include <QString>
#include <QWidget>

#include <vector>

// A status bar of text panels side by side, each in a sunken frame.
class TStatusBar : public QWidget {
    Q_OBJECT

public:
    // The width of a panel that reaches to the right edge.
    static constexpr int ToRightEdge = -1;

    explicit TStatusBar(QWidget* parent = nullptr);

    // Adds a panel after the others; ToRightEdge makes it fill the rest of the bar.
    void addPanel(const QString& text, int width);
    int panelCount() const { return static_cast<int>(panels_.size()); }

    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);

    // The panel's area inside the bar.
    QRect panelRect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Panel {
        QString text;
        int width;
    };

    // The panel at the index; throws std::out_of_range for no such panel.
    const Panel& panel(int index) const;
    Panel& panel(int index);

    std::vector<Panel> panels_;
};
