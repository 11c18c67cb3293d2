// The advanced page: host pointer settings beside the macro editor.
#pragma once

#include <memory>

#include "host/PointerSettings.h"
#include "macros/MacroEditor.h"
#include "macros/MacroLibrary.h"
#include "ui/Page.h"

namespace quarten {

class CPadrionDlg;
class MacroPanel;
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
    // Removes the macro editor's controls and its key capture.
    void Teardown() override;
    bool Press(QPoint at) override;
    std::vector<HoverRegion> HoverRegions() override;
    ~AdvancedPage() override;

    // The macro editor's controls while the page is built, else null.
    MacroPanel* Macros() const { return panel_.get(); }
    const MacroEditor& Editor() const { return editor_; }

private:
    void RestoreDefaults();

    CPadrionDlg& window_;
    AppContext& context_;
    MacroLibrary library_;
    MacroEditor editor_;
    std::unique_ptr<MacroPanel> panel_;
};

}  // namespace quarten
