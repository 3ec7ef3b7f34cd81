#pragma once

#include <QLayout>

#include <vector>

// Places aligned controls as the platform does: top-aligned ones from the top edge down,
// bottom-aligned ones from the bottom edge up, each in the order added, and client-aligned
// ones over the rest. A control keeps its height; hidden controls take no room, and showing
// or hiding one places them anew at once.
class AlignLayout : public QLayout {
public:
    enum class Align { Top, Bottom, Client };

    explicit AlignLayout(QWidget* parent);
    ~AlignLayout() override;

    void Add(QWidget* widget, Align side);

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Aligned {
        QLayoutItem* item;
        Align side;
    };

    std::vector<Aligned> Visible(Align side) const;

    std::vector<Aligned> items_;
};
