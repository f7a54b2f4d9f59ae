#pragma once

#include "windows/Dialogs.h"

#include <QString>
#include <memory>

class QAbstractProxyModel;
class QObject;
class QProgressDialog;

namespace vezal {

// Qt's own dialogs with the program's titles, icons and buttons.
class RealDialogs : public Dialogs {
public:
    // File dialogs start in the program folder, which also becomes the working folder before each one.
    explicit RealDialogs(QString programFolder);
    ~RealDialogs() override;

    void warn(QWidget* parent, const QString& text) override;
    void caution(QWidget* parent, const QString& text) override;
    bool ask(QWidget* parent, const QString& title, const QString& text, bool yesIsDefault) override;
    std::optional<int> choose(QWidget* parent, const QString& title, const QString& text,
                              const QStringList& choices) override;
    void showError(QWidget* parent, const QString& text) override;
    void inform(QWidget* parent, const QString& title, const QString& text) override;
    bool showWaiting(QWidget* parent, const QString& text) override;
    void endWaiting() override;
    QString openFileName(QWidget* parent, const QString& title, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& defaultName) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    void showModal(QDialog* dialog) override;
    void openAddress(const QString& address) override;

private:
    QString programFolder_;
    std::unique_ptr<QProgressDialog> waiting_;
};

// What the file dialogs show of their files: a folder's type, a file's day and size in the program's
// Turkish. The proxy belongs to the parent.
QAbstractProxyModel* turkishFileColumns(QObject* parent);

// The program writes filters as "description|pattern|" pairs ("Text Dosyalar (*.txt)|*.txt|"); Qt wants
// one "description (patterns)" per entry, patterns separated by blanks.
QStringList qtNameFilters(const QString& filter);

// Titles of the boxes that are not questions.
inline constexpr const char16_t* kWarningTitle = u"   UYARI MESAJI";
inline constexpr const char16_t* kErrorTitle = u"Vezal";

} // namespace vezal
