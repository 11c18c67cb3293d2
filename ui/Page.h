// One page of the main window: what it draws, which presses it takes, what lights up.
#pragma once

#include <QPoint>

#include <functional>
#include <vector>

#include "ui/layout/SkinLayout.h"

namespace quarten {

// A region that lights up under the pointer. Regions of one group darken each other.
struct HoverRegion {
    layout::Rect rect;
    int group;  // 0: stands alone
    std::function<void(bool over)> draw;
};

class Page {
public:
    virtual ~Page() = default;
    // Creates the page's child widgets (the window then draws it).
    virtual void Build() = 0;
    // Draws the whole page into the canvas from the settings, background first.
    virtual void Draw() = 0;
    // Destroys the page's child widgets; the canvas is left as it is.
    virtual void Teardown() = 0;
    // Offers a press on the page; false when no region of the page took it.
    virtual bool Press(QPoint at) = 0;
    virtual std::vector<HoverRegion> HoverRegions() = 0;
};

}  // namespace quarten
