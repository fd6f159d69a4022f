#pragma once

#include <QString>
#include <QWidget>
#include <vector>

namespace ferrolith {

// FORM's importance factors as horizontal bars, one an input, the largest first, each labelled
// with the input's name and its share in percent.
class ImportanceBars : public QWidget {
    Q_OBJECT

  public:
    struct Bar {
        QString name;
        double share = 0.0;  // 0 to 1
    };

    explicit ImportanceBars(QWidget* parent = nullptr);

    // No bars: the widget is empty.
    void setBars(std::vector<Bar> bars);
    const std::vector<Bar>& bars() const { return bars_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int rowHeight() const;
    int labelWidth() const;

    std::vector<Bar> bars_;
};

}  // namespace ferrolith
