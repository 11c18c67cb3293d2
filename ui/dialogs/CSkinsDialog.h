// The skins dialog: the skin folder the window draws from and the colour of its texts, held
// as a pending choice that only OK hands back.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ui/dialogs/SkinnedDialog.h"


namespace quarten {

class CPadrionDlg;

class CSkinsDialog : public SkinnedDialog {
    Q_OBJECT
public:
    CSkinsDialog(AppContext& context, QWidget* parent);

    // The pending choice; until the user changes it, the window's current skin.
    const std::filesystem::path& SkinFolder() const { return folder_; }
    const std::string& SkinName() const { return name_; }
    const std::array<std::uint8_t, 3>& TextColour() const { return colour_; }

protected:
    void Build() override;
    void DrawContents(SkinCanvas& canvas) override;
    bool Press(QPoint at) override;

private:
    void Choose(int item);

    std::filesystem::path root_;
    std::filesystem::path folder_;
    std::string name_;
    std::array<std::uint8_t, 3> colour_;
    std::vector<std::string> listed_;  // the names of the list as it was last opened
};

// The skins button: runs the dialog and, on OK, makes its choice the window's skin, saves
// it to str.ini (a failed save is said in a box) and rebuilds the shown page with it.
void RunSkinsDialog(CPadrionDlg& window);

}  // namespace quarten
