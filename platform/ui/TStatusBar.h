#pragma once

#include <QString>
#include <QWidget>

#include <vector>

// A status bar of text panels side by side, each in a sunken frame. A screen reader reads it as
// a status bar of texts and is told when a panel's text changes.
class TStatusBar : public QWidget {
    Q_OBJECT

public:
    // The width of a panel that reaches to the right edge.
    static constexpr int ToRightEdge = -1;

    explicit TStatusBar(QWidget* parent = nullptr);

    // Adds a panel after the others; ToRightEdge makes it fill the rest of the bar.
    void AddPanel(const QString& text, int width);
    int PanelCount() const { return static_cast<int>(panels_.size()); }

    QString PanelText(int index) const;
    // Sets the panel's text, which is announced to assistive technology.
    void SetPanelText(int index, const QString& text);

    // The panel's area inside the bar.
    QRect PanelRect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Panel {
        QString text;
        int width;
    };

    void AnnounceText(int index);
    // The panel at the index; throws std::out_of_range for no such panel.
    const Panel& PanelAt(int index) const;
    Panel& PanelAt(int index);

    std::vector<Panel> panels_;
};
