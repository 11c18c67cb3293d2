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

// "OK" and "Apply": writes to the desktop only the pointer settings the user changed on the
// advanced page since the last read or Apply, nothing before this run has read them; one
// "Warning" box names what did not take.
void ApplyHostPointer(AppContext& context);
// "Cancel", after the image's snapshot is back: the page's pointer bytes return to what the
// desktop had, and what the page's "Default" wrote since the last Apply is given back.
void CancelHostPointer(AppContext& context);

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
    // The user set one pointer setting on the page: redraw, and note whether it now differs
    // from what the desktop has.
    void PointerEdited(PointerSetting setting);

    CPadrionDlg& window_;
    AppContext& context_;
    MacroLibrary library_;
    MacroEditor editor_;
    std::unique_ptr<MacroPanel> panel_;
};

}  // namespace quarten
