#pragma once
// The platform on Qt: QMessageBox and Qt's own file dialogs.

#include "platform/platform.h"

namespace kalidor {

class QtPlatform : public Platform {
public:
    void showMessage(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& filter) override;
    std::optional<QString> saveFileName(QWidget* parent, const QString& filter) override;
    void processEvents() override;
    void setWaitCursor(bool on) override;
};

} // namespace kalidor
