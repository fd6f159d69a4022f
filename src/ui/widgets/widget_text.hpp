#pragma once

#include <QString>
#include <string>
#include <string_view>

class QLabel;

namespace ferrolith {

// A fixed text or one of the logic's, as a widget takes it.
inline QString text(const char* s) { return QString::fromUtf8(s); }
inline QString text(const std::string& s) { return QString::fromStdString(s); }

// A label that wraps its text and lets the user select it to copy.
QLabel* wrappedLabel();

// The logic's texts are UTF-8 with CR LF line ends; Qt's text widgets hold bare LF.
QString toWidgetText(std::string_view text);
std::string fromWidgetText(const QString& text);

}  // namespace ferrolith
