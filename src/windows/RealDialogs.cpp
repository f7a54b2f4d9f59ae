#include "windows/RealDialogs.h"

#include "common/Names.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QUrl>

namespace vezal {

namespace {

const QString kFolderType = QStringLiteral("Klasör");
const QString kFileType = QStringLiteral("Dosya");
const QString kSuffixType = QStringLiteral("%1 dosyası");
const QString kModifiedFormat = QStringLiteral("dd.MM.yyyy HH:mm");

// Qt's file list writes a folder's type in English (its Turkish translation lacks those words) and the
// days and sizes in the system's locale, which need not be Turkish: the program's words and numbers.
class TurkishFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid())
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        const QFileInfo info = files->fileInfo(source);
        switch (index.column()) {
        case 1:
            if (!info.isDir())
                return turkishLocale().formattedDataSize(info.size());
            break;
        case 2:
            if (info.isDir())
                return kFolderType;
            return info.suffix().isEmpty() ? kFileType : kSuffixType.arg(info.suffix());
        case 3:
            return turkishLocale().toString(files->lastModified(source), kModifiedFormat);
        default:
            break;
        }
        return QIdentityProxyModel::data(index, role);
    }
};

QString runFileDialog(QFileDialog& dialog) {
    dialog.setProxyModel(turkishFileColumns(&dialog));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.front();
}

} // namespace

QAbstractProxyModel* turkishFileColumns(QObject* parent) {
    return new TurkishFileColumns(parent);
}

QStringList qtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            pattern = pattern.trimmed();
        const QString joined = patterns.join(u' ');
        if (description.isEmpty() && joined.isEmpty())
            continue;
        // Qt reads the patterns from the parentheses; add them when the description does not show them.
        if (description.endsWith(u')') && description.contains(u'('))
            filters << description;
        else
            filters << QStringLiteral("%1 (%2)").arg(description, joined).trimmed();
    }
    return filters;
}

RealDialogs::RealDialogs(QString programFolder) : programFolder_(std::move(programFolder)) {}

RealDialogs::~RealDialogs() = default;

void RealDialogs::warn(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf16(kWarningTitle), text, QMessageBox::Ok, parent);
    box.exec();
}

void RealDialogs::caution(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf16(kWarningTitle), text, QMessageBox::Ok, parent);
    box.exec();
}

bool RealDialogs::ask(QWidget* parent, const QString& title, const QString& text, bool yesIsDefault) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<int> RealDialogs::choose(QWidget* parent, const QString& title, const QString& text,
                                       const QStringList& choices) {
    QInputDialog box(parent);
    box.setWindowTitle(title);
    box.setLabelText(text);
    box.setComboBoxItems(choices);
    box.setComboBoxEditable(false);
    box.setOkButtonText(QStringLiteral("Tamam"));
    box.setCancelButtonText(QStringLiteral("Vazgeç"));
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    const int chosen = int(choices.indexOf(box.textValue()));
    return chosen < 0 ? std::nullopt : std::optional<int>(chosen);
}

void RealDialogs::showError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QString::fromUtf16(kErrorTitle), text, QMessageBox::Ok, parent);
    box.exec();
}

void RealDialogs::inform(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool RealDialogs::showWaiting(QWidget* parent, const QString& text) {
    if (!waiting_) {
        waiting_ = std::make_unique<QProgressDialog>(text, QStringLiteral("İptal"), 0, 0, parent);
        waiting_->setObjectName(QStringLiteral("WaitingNotice"));
        waiting_->setWindowTitle(QString::fromUtf16(kErrorTitle));
        waiting_->setWindowModality(Qt::ApplicationModal);
        waiting_->setMinimumDuration(0);
        waiting_->setAutoClose(false);
        waiting_->setAutoReset(false);
        waiting_->show();
    }
    QApplication::processEvents();
    return !waiting_->wasCanceled();
}

void RealDialogs::endWaiting() {
    waiting_.reset();
}

QString RealDialogs::openFileName(QWidget* parent, const QString& title, const QString& filter) {
    QDir::setCurrent(programFolder_);
    QFileDialog dialog(parent, title, programFolder_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(qtNameFilters(filter));
    return runFileDialog(dialog);
}

QString RealDialogs::saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                  const QString& defaultName) {
    QDir::setCurrent(programFolder_);
    QFileDialog dialog(parent, title, programFolder_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(qtNameFilters(filter));
    // The offered name's extension is added to a name typed without one: "rapor1" is saved as "rapor1.txt".
    dialog.setDefaultSuffix(QFileInfo(defaultName).suffix());
    dialog.selectFile(defaultName);
    return runFileDialog(dialog);
}

bool RealDialogs::choosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void RealDialogs::showModal(QDialog* dialog) {
    dialog->exec();
}

void RealDialogs::openAddress(const QString& address) {
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace vezal
