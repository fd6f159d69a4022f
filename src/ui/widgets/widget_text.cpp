#include "ui/widgets/widget_text.hpp"

#include <QLabel>

namespace ferrolith {

QString toWidgetText(std::string_view text) {
    QString widgetText = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    widgetText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return widgetText;
}

std::string fromWidgetText(const QString& text) {
    QString reportText = text;
    reportText.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return reportText.toStdString();
}

QLabel* wrappedLabel() {
    auto* label = new QLabel;
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace ferrolith
