// The basic page: key assignment of both layers, report rate, DPI stages and lighting.
#pragma once

#include <QPointer>

#include <array>

#include "ui/DropdownList.h"
#include "ui/Page.h"

namespace quarten {

class CPadrionDlg;
struct AppContext;

class BasicPage : public Page {
public:
    explicit BasicPage(CPadrionDlg& window);
    void Build() override {}
    void Draw() override;
    void Teardown() override;
    bool Press(QPoint at) override;
    std::vector<HoverRegion> HoverRegions() override;

    // Open lists, for tests: key list k (1..7), the DPI sub-list, lighting list i (0..2).
    DropdownList* KeyList(int k) const { return keyLists_[k - 1]; }
    DropdownList* DpiSubList() const { return dpiList_; }
    DropdownList* LightList(int i) const { return lightLists_[i]; }

private:
    void DrawKeyBox(int k, bool over);
    void ToggleKeyList(int k);
    void ToggleLightList(int i);
    void CloseLists(QPoint unless);
    void CloseKeyList(int k);
    void CloseDpiList();
    void CloseLightList(int i);
    void ChooseKey(int k, int item);
    void ChooseDpiSwitch(int k, int item);
    void ChooseLight(int i, int item);
    int DisplayedMode() const;

    CPadrionDlg& window_;
    AppContext& context_;
    std::array<QPointer<DropdownList>, 7> keyLists_{};
    QPointer<DropdownList> dpiList_;
    int dpiListOwner_ = 0;
    std::array<QPointer<DropdownList>, 3> lightLists_{};
};

}  // namespace quarten
