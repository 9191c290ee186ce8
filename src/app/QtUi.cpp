#include "app/QtUi.h"

#include "app/QtDialogs.h"
#include "platform/Encoding.h"

#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QWidget>

namespace tallimo {
namespace {

const QString kCaption = QStringLiteral("Tallimo");

// The program's line breaks are "\r\n"; a Qt label shows a lone "\r" as a glyph.
QString shown(const std::string& text) {
    QString converted = QString::fromStdString(windows1252ToUtf8(text));
    converted.remove(QLatin1Char('\r'));
    return converted;
}

QString fileFilter(const FileFilter& filter) {
    // "*.*" would hide every file without a dot on this system; all files means "*" here.
    if (filter.pattern == "*.*") {
        return QStringLiteral("All Files (*)");
    }
    return QString::fromStdString(windows1252ToUtf8(filter.name));
}

} // namespace

QWidget* QtUi::dialogParent() const {
    return m_window != nullptr && m_window->isVisible() ? m_window : nullptr;
}

void QtUi::showMessage(const std::string& text) {
    QMessageBox box(QMessageBox::Information, kCaption, shown(text), QMessageBox::Ok,
                    dialogParent());
    box.exec();
}

Answer QtUi::ask(const std::string& text) {
    QMessageBox box(QMessageBox::Question, kCaption, shown(text),
                    QMessageBox::Ok | QMessageBox::Cancel, dialogParent());
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

std::optional<std::string> QtUi::chooseFile(const FileDialogRequest& request) {
    QFileDialog dialog(dialogParent(), shown(request.title));
    QStringList filters;
    for (const FileFilter& filter : request.filters) {
        filters << fileFilter(filter);
    }
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (request.forSaving) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The document asks its own question before it overwrites a file.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.fileName.empty()) {
        dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(request.fileName)));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

bool QtUi::runNewMonthDialog(NewMonthDialog& dialog) {
    return execNewMonthDialog(dialogParent(), dialog);
}

bool QtUi::runEntryDialog(EntryDialog& dialog) {
    return execEntryDialog(dialogParent(), *this, dialog);
}

bool QtUi::runOptionsDialog(OptionsDialog& dialog) {
    return execOptionsDialog(dialogParent(), dialog);
}

bool QtUi::runExportDialog(ExportDialog& dialog) {
    return execExportDialog(dialogParent(), dialog);
}

bool QtUi::runWorkModelDialog(WorkModelDialog& dialog) {
    return execWorkModelDialog(dialogParent(), *this, dialog);
}

bool QtUi::setClipboardText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    clipboard->setText(QString::fromStdString(windows1252ToUtf8(text)));
    return true;
}

Ui::Restore QtUi::askRestore(const std::string& text) {
    QMessageBox box(QMessageBox::Question, kCaption, shown(text), QMessageBox::NoButton,
                    dialogParent());
    QPushButton* restore = box.addButton(QStringLiteral("&Restore"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
    box.setDefaultButton(restore);
    // Closing the box keeps the changes: only Discard lets them go.
    box.setEscapeButton(restore);
    box.exec();
    return box.clickedButton() == discard ? Restore::Discard : Restore::Restore;
}

bool QtUi::setClipboardRows(const std::string& text, const std::string& html) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(windows1252ToUtf8(text)));
    data->setHtml(QString::fromStdString(windows1252ToUtf8(html)));
    clipboard->setMimeData(data);
    return true;
}

std::optional<std::string> QtUi::clipboardText() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr || clipboard->text().isEmpty()) {
        return std::nullopt;
    }
    return utf8ToWindows1252(clipboard->text().toStdString());
}

void QtUi::setMainWindowVisible(bool visible) {
    if (m_window == nullptr) {
        return;
    }
    if (!visible) {
        m_window->hide();
        return;
    }
    if (m_window->isMinimized()) {
        m_window->showNormal();
    } else {
        m_window->show();
    }
    m_window->raise();
    m_window->activateWindow();
}

void QtUi::editCell(bool workList, int row, int column) {
    if (m_cellEditor) {
        m_cellEditor(workList, row, column);
    }
}

} // namespace tallimo
