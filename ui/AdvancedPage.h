// The advanced page: host pointer settings beside the macro editor.
#pragma once

#include "ui/Page.h"

namespace quarten {

class CPadrionDlg;
struct AppContext;

class AdvancedPage : public Page {
public:
    explicit AdvancedPage(CPadrionDlg& window);
    void Build() override {}
    void Draw() override;
    void Teardown() override {}
    bool Press(QPoint at) override;
    std::vector<HoverRegion> HoverRegions() override;

private:
    CPadrionDlg& window_;
    AppContext& context_;
};

}  // namespace quarten
