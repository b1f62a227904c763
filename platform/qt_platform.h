#pragma once
// The platform on Qt: QMessageBox and Qt's own file dialogs.

#include "platform/platform.h"
#include "platform/qt_printer.h"

#include <memory>

namespace kalidor {

class QtPlatform : public Platform {
public:
    void showMessage(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& filter) override;
    std::optional<QString> saveFileName(QWidget* parent, const QString& filter,
                                        const QString& defaultName = QString()) override;
    void processEvents() override;
    std::unique_ptr<Progress> startProgress(QWidget* parent, const QString& text) override;
    void setWaitCursor(bool on) override;
    Printer& printer() override;

private:
    std::unique_ptr<QtPrinter> printer_; // made on first use, once the application runs
};

} // namespace kalidor
