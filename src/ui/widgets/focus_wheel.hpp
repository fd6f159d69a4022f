#pragma once

#include <QWheelEvent>

namespace ferrolith {

// A box in a scrolling tab: the wheel turns it only once it has the focus, so that scrolling
// the tab over it leaves its value as it is.
template <class Box>
class FocusWheel : public Box {
  protected:
    void wheelEvent(QWheelEvent* event) override {
        if (this->hasFocus())
            Box::wheelEvent(event);
        else
            event->ignore();
    }
};

}  // namespace ferrolith
