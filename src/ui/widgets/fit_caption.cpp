#include "ui/widgets/fit_caption.hpp"

#include <QFontMetrics>
#include <QLabel>

namespace ferrolith {

void fitCaption(QLabel& label) {
    QFont font = label.font();
    int stretch = QFont::Unstretched;
    font.setStretch(stretch);
    while (QFontMetrics(font).horizontalAdvance(label.text()) > label.width() &&
           stretch > QFont::UltraCondensed) {
        stretch -= 2;
        font.setStretch(stretch);
    }
    label.setFont(font);
}

}  // namespace ferrolith
