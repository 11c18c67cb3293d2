// Key capture for the key dialogs: while installed, every key press and release that reaches
// the application is named by the key-name service and handed to the dialog, and kept from
// the dialog's controls.
#pragma once

#include <QObject>

#include <functional>
#include <string>

namespace quarten {

class KeyCapture : public QObject {
    Q_OBJECT
public:
    using Named = std::function<void(const std::string& name)>;
    explicit KeyCapture(Named named);
    ~KeyCapture() override;

    // Installs the application-wide filter. False, with errorCode set, when it cannot be
    // installed: there is no application, or the caller is not on its thread.
    bool Install(int& errorCode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Named named_;
    bool installed_ = false;
};

}  // namespace quarten
