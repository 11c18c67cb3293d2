#include "ui/dialogs/AssignFromList.h"

#include <QDialog>

#include "buttons/FunctionTables.h"
#include "buttons/KeyNameTable.h"
#include "ui/AppContext.h"
#include "ui/dialogs/AssignmentDialogs.h"

namespace quarten {
namespace {

std::string ListText(const AppContext& context, AssignmentKind kind) {
    return std::string(context.text.Get(kKeyListSlots[static_cast<std::size_t>(kind)]));
}

}  // namespace

std::string ComboCaption(std::string_view listText, std::string_view modifier,
                         std::string_view key1, std::string_view key2) {
    std::string caption = std::string(listText) + "-";
    bool first = true;
    auto part = [&](std::string_view name, bool present) {
        if (!present) return;
        if (!first) caption += "+";
        caption += name;
        first = false;
    };
    part(modifier, ModifierBitFromName(modifier) != 0);
    part(key1, KeyUsageFromName(key1) != 0);
    part(key2, KeyUsageFromName(key2) != 0);
    return caption;
}

std::optional<ListAssignment> AssignFromList(AppContext& context, QWidget* parent,
                                             AssignmentKind kind) {
    const std::string listText = ListText(context, kind);
    auto accepted = [&](QDialog& dialog) { return context.runDialog(dialog) == QDialog::Accepted; };
    ListAssignment result;
    switch (kind) {
        case AssignmentKind::Windows: {
            CWindowsDialog dialog(context, parent);
            if (!accepted(dialog)) return std::nullopt;
            result.parameters = WindowsFunctionParameters(dialog.Choice());
            result.caption = dialog.ChoiceText().toStdString();
            return result;
        }
        case AssignmentKind::Multimedia: {
            CMediaDialog dialog(context, parent);
            if (!accepted(dialog)) return std::nullopt;
            result.parameters = MultimediaParameters(dialog.Choice());
            result.caption = listText + "-" + dialog.ChoiceText().toStdString();
            return result;
        }
        case AssignmentKind::FireKey: {
            CFireKeyDialog dialog(context, parent);
            if (!accepted(dialog)) return std::nullopt;
            result.parameters = FireKeyParameters(dialog.Choice(), dialog.Speed(), dialog.Times());
            result.caption = listText + "-" + dialog.ChoiceText().toStdString();
            return result;
        }
        case AssignmentKind::SingleKey: {
            CSingleDialog dialog(context, parent);
            if (!accepted(dialog)) return std::nullopt;
            result.parameters.singleUsage = KeyUsageFromName(dialog.KeyName());
            result.caption = listText + "-" + dialog.KeyName();
            return result;
        }
        case AssignmentKind::ComboKey: {
            CComboDialog dialog(context, parent);
            if (!accepted(dialog)) return std::nullopt;
            result.parameters.comboModifier = ModifierBitFromName(dialog.ModifierName());
            result.parameters.comboKey1 = KeyUsageFromName(dialog.Key1Name());
            result.parameters.comboKey2 = KeyUsageFromName(dialog.Key2Name());
            result.caption = ComboCaption(listText, dialog.ModifierName(), dialog.Key1Name(),
                                          dialog.Key2Name());
            return result;
        }
        case AssignmentKind::MacroKey: {
            CMacroDialog dialog(context, parent);
            if (!accepted(dialog)) return std::nullopt;
            result.parameters.macroIndex = static_cast<std::uint8_t>(dialog.MacroIndex());
            result.parameters.macroRepeatMode = static_cast<std::uint8_t>(dialog.Mode() - 1);
            result.caption = listText + "-" + dialog.MacroName();
            return result;
        }
        default:
            result.caption = listText;
            return result;
    }
}

}  // namespace quarten
