#pragma once

#include <QIcon>

namespace ferrolith {

// The program's icon, a beam on two supports under a load, drawn from its SVG at the usual
// sizes; the same picture the desktop entry names.
QIcon applicationIcon();

}  // namespace ferrolith
