// The macro editor's controls on the advanced page: the macro and event lists, the name and
// loop-times fields, the mouse-event dropdown and the recorder, bound to the macro editor.
// The editor holds the state and outlives the controls (a recording's flags stay when the
// page is left); after every change the controls are set from it again.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <QPointer>

#include <memory>

#include "macros/MacroEditor.h"
#include "ui/DropdownList.h"
#include "ui/layout/SkinLayout.h"

namespace quarten {

struct AppContext;

class MacroPanel : public QObject {
    Q_OBJECT
public:
    // Creates the controls on `page` (the main window) and loads the macro library into
    // the editor.
    MacroPanel(AppContext& context, QWidget& page, MacroEditor& editor);
    // Removes the controls and the key capture; a recording's flags stay with the editor.
    ~MacroPanel() override;

    // The page's own regions, from its press dispatch.
    void StartRecording();
    void StopRecording();
    void NewMacro();
    void DeleteMacro();
    void ConfirmMacro();
    void ToggleEventDropdown();
    // A press elsewhere on the page closes the open dropdown; true when the press was on it.
    bool PressCovered(QPoint at);
    // The event list's context-menu item "Delete", and the delay edit of a double click.
    void DeleteSelectedLine();
    void EditSelectedDelay();

    const MacroEditor& Editor() const { return editor_; }
    QListWidget* MacroList() const { return macroList_; }
    QListWidget* EventList() const { return eventList_; }
    QLineEdit* NameField() const { return nameField_; }
    QLineEdit* LoopTimesField() const { return loopField_; }
    DropdownList* EventDropdown() const { return dropdown_; }
    QLabel* EventBoxLabel() const { return boxLabel_; }
    QLabel* RecordingHint() const { return hintLabel_; }

private:
    class CaptureHook;

    void Notify(const MacroNotice& notice);
    // Sets every control from the editor, without the controls reporting it back.
    void Sync();
    void CloseEventDropdown();
    void OfferLineMenu(QPoint at);

    AppContext& context_;
    QWidget& page_;
    MacroEditor& editor_;
    std::unique_ptr<CaptureHook> hook_;
    QPointer<QListWidget> macroList_;
    QPointer<QListWidget> eventList_;
    QPointer<QLineEdit> nameField_;
    QPointer<QLineEdit> loopField_;
    QPointer<QLabel> boxLabel_;
    QPointer<QLabel> hintLabel_;
    QPointer<DropdownList> dropdown_;
    bool syncing_ = false;
};

}  // namespace quarten
