#pragma once

#include <QLabel>

// A caption on its parent's background: transparent, plain text, top left, optionally
// wrapped at word boundaries onto further lines.
class TLabel : public QLabel {
    Q_OBJECT

public:
    explicit TLabel(const QString& caption, QWidget* parent = nullptr);

    // Widens the label when its caption does not fit on one line, as the platform sizes a
    // label to its caption: the metrics of a font differ by a pixel or two between
    // platforms. A word-wrapped label keeps its width.
    void GrowToCaption();
};
