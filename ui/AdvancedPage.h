// The advanced page: host pointer settings beside the macro editor.
#pragma once

#include "host/PointerSettings.h"
#include "ui/Page.h"

namespace quarten {

class CPadrionDlg;
struct AppContext;

// Sets the desktop's pointer settings to `values`, showing a "Warning" box for each setting
// the desktop has that did not take; used by "OK", "Apply" and "Default".
void ApplyHostPointer(AppContext& context, const SystemPointerValues& values);

class AdvancedPage : public Page {
public:
    explicit AdvancedPage(CPadrionDlg& window);
    // The first build of a run takes the pointer settings from the desktop.
    void Build() override;
    void Draw() override;
    void Teardown() override {}
    bool Press(QPoint at) override;
    std::vector<HoverRegion> HoverRegions() override;

private:
    void RestoreDefaults();

    CPadrionDlg& window_;
    AppContext& context_;
};

}  // namespace quarten
