// The seven dialogs that collect a button function's parameters (and the macro editor's
// delay), each a skinned dialog with its own fields and result.
#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <string>

#include "ui/dialogs/SkinnedDialog.h"

class QLineEdit;

namespace quarten {

class KeyCapture;

// One choice from a fixed list (Windows functions, multimedia functions).
class ChoiceDialog : public SkinnedDialog {
    Q_OBJECT
public:
    int Choice() const { return choice_; }
    const QString& ChoiceText() const { return choiceText_; }

protected:
    ChoiceDialog(AppContext& context, const Look& look, QWidget* parent, QStringList items,
                 layout::Rect box, layout::Rect list);
    void Build() override;
    void DrawContents(SkinCanvas& canvas) override;

private:
    QStringList items_;
    layout::Rect box_;
    layout::Rect list_;
    int choice_ = 0;
    QString choiceText_;
};

class CWindowsDialog : public ChoiceDialog {
    Q_OBJECT
public:
    CWindowsDialog(AppContext& context, QWidget* parent);
};

class CMediaDialog : public ChoiceDialog {
    Q_OBJECT
public:
    CMediaDialog(AppContext& context, QWidget* parent);
};

// One key, named as the keyboard is pressed; the last key pressed or released wins.
class CSingleDialog : public SkinnedDialog {
    Q_OBJECT
public:
    CSingleDialog(AppContext& context, QWidget* parent);
    ~CSingleDialog() override;
    const std::string& KeyName() const { return keyName_; }

protected:
    void Build() override;
    void DrawContents(SkinCanvas& canvas) override;

private:
    std::string keyName_;
    QLineEdit* field_ = nullptr;
    std::unique_ptr<KeyCapture> capture_;
};

// A modifier from a list and two keys, each named into the key field that has the focus.
class CComboDialog : public SkinnedDialog {
    Q_OBJECT
public:
    CComboDialog(AppContext& context, QWidget* parent);
    ~CComboDialog() override;
    const std::string& ModifierName() const { return modifier_; }
    const std::string& Key1Name() const { return key1_; }
    const std::string& Key2Name() const { return key2_; }
    QLineEdit* Key1Field() const { return key1Field_; }
    QLineEdit* Key2Field() const { return key2Field_; }

protected:
    void Build() override;
    void DrawContents(SkinCanvas& canvas) override;

private:
    void Captured(const std::string& name);

    std::string modifier_;
    std::string key1_;
    std::string key2_;
    QLineEdit* key1Field_ = nullptr;
    QLineEdit* key2Field_ = nullptr;
    QLineEdit* restoreFocus_ = nullptr;  // the key field to return to when the list closes
    std::unique_ptr<KeyCapture> capture_;
};

// The key or button to repeat, how fast and how often.
class CFireKeyDialog : public SkinnedDialog {
    Q_OBJECT
public:
    CFireKeyDialog(AppContext& context, QWidget* parent);
    int Choice() const { return choice_; }
    const QString& ChoiceText() const { return choiceText_; }
    std::uint8_t Speed() const { return speed_; }
    std::uint8_t Times() const { return times_; }
    QLineEdit* SpeedField() const { return speedField_; }
    QLineEdit* TimesField() const { return timesField_; }
    void accept() override;

protected:
    void Build() override;
    void DrawContents(SkinCanvas& canvas) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CheckSpeed();
    void CheckTimes();

    int choice_ = 0;
    QString choiceText_;
    std::uint8_t speed_ = 32;
    std::uint8_t times_ = 1;
    QLineEdit* speedField_ = nullptr;
    QLineEdit* timesField_ = nullptr;
};

// A macro of the library and how it repeats.
class CMacroDialog : public SkinnedDialog {
    Q_OBJECT
public:
    CMacroDialog(AppContext& context, QWidget* parent);
    int MacroIndex() const { return macroIndex_; }
    const std::string& MacroName() const { return macroName_; }
    std::uint8_t Mode() const { return mode_; }  // 1, 2 or 3

protected:
    void Build() override;
    void DrawContents(SkinCanvas& canvas) override;
    bool Press(QPoint at) override;

private:
    QStringList ListedNames() const;

    int macroIndex_ = 0;
    std::string macroName_;
    std::uint8_t mode_ = 1;
};

// A delay in milliseconds, for the macro editor; the editor decides about the range.
class CDelayTimeDialog : public SkinnedDialog {
    Q_OBJECT
public:
    CDelayTimeDialog(AppContext& context, QWidget* parent);
    const QString& DelayText() const { return text_; }
    int DelayValue() const { return value_; }
    QLineEdit* Field() const { return field_; }

protected:
    void Build() override;
    void DrawContents(SkinCanvas& canvas) override;

private:
    QString text_;
    int value_ = 0;
    QLineEdit* field_ = nullptr;
};

}  // namespace quarten
