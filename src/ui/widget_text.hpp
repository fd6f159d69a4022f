#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace ferrolith {

// The logic's texts are UTF-8 with CR LF line ends; Qt's text widgets hold bare LF.
QString toWidgetText(std::string_view text);
std::string fromWidgetText(const QString& text);

}  // namespace ferrolith
