#pragma once

class QLabel;

namespace ferrolith {

// The layout's fixed label widths were drawn for a small dialog font; with a wider system font
// a caption is narrowed (condensed, never shrunk in height) until it fits its label.
void fitCaption(QLabel& label);

}  // namespace ferrolith
