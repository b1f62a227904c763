#include "platform/qt_platform.h"

#include "platform/progress_window.h"

#include "platform/platform_texts.h"
#include "records/utf8.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace kalidor {

QString qtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'));
        // "*.*" means every file, as on the teachers' usual desktop; to Qt it means every name
        // holding a dot, which would hide a class file named "CM2".
        for (QString& pattern : patterns) {
            if (pattern == QLatin1String("*.*")) {
                pattern = QStringLiteral("*");
            }
        }
        entries.append(parts.at(i) + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')'));
    }
    return entries.join(QLatin1String(";;"));
}

namespace {

QString title() {
    return tr8(platform_texts::kApplicationTitle);
}

// Messages break their lines with a carriage return, which a Qt label does not show.
QString displayText(const QString& text) {
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

std::optional<QString> runFileDialog(QWidget* parent, const QString& filter,
                                     QFileDialog::AcceptMode mode, const QString& defaultName) {
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilter(qtFileFilter(filter));
    // Extensions match whatever their case, as on the teachers' usual desktop: a class list
    // saved as 6A.txt shows under *.TXT.
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    if (!defaultName.isEmpty()) {
        // A name typed without its extension gets the proposed one's.
        dialog.setDefaultSuffix(QFileInfo(defaultName).suffix());
        dialog.selectFile(defaultName);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

} // namespace

void QtPlatform::showMessage(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, title(), displayText(text));
}

bool QtPlatform::askYesNo(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title(), displayText(text), QMessageBox::NoButton,
                    parent);
    QPushButton* yes = box.addButton(tr8(platform_texts::kYes), QMessageBox::YesRole);
    QPushButton* no = box.addButton(tr8(platform_texts::kNo), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void QtPlatform::showError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, title(), displayText(text));
}

std::optional<QString> QtPlatform::openFileName(QWidget* parent, const QString& filter) {
    return runFileDialog(parent, filter, QFileDialog::AcceptOpen, QString());
}

std::optional<QString> QtPlatform::saveFileName(QWidget* parent, const QString& filter,
                                                const QString& defaultName) {
    // Qt's dialog asks itself before it accepts the name of a file that exists.
    return runFileDialog(parent, filter, QFileDialog::AcceptSave, defaultName);
}

std::unique_ptr<Progress> QtPlatform::startProgress(QWidget* parent, const QString& text) {
    // About half a second: a command shorter than that shows nothing.
    return std::make_unique<ProgressWindow>(parent, text, std::chrono::milliseconds(500));
}

void QtPlatform::processEvents() {
    QApplication::processEvents();
}

void QtPlatform::setWaitCursor(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

Printer& QtPlatform::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QtPrinter>();
    }
    return *printer_;
}

} // namespace kalidor
