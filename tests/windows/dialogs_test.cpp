#include "support/TestApp.h"

#include "windows/RealDialogs.h"
#include "windows/WindowKit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace vezal {
namespace {

TEST(FileFilters, TheProgramsFormBecomesQtsForm) {
    struct Case {
        const char* program;
        QStringList qt;
    };
    const Case cases[] = {
        {"Text Dosyalar (*.txt)|*.txt|", {"Text Dosyalar (*.txt)"}},
        {"Text Dosyalar (*.txt)|*.txt", {"Text Dosyalar (*.txt)"}},
        {"Metin|*.txt;*.doc|Hepsi (*.*)|*.*|", {"Metin (*.txt *.doc)", "Hepsi (*.*)"}},
        {"", {}},
        {"|", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qtNameFilters(QString::fromUtf8(c.program)), c.qt) << c.program;
}

// What a message box looked like when it came up.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

class RealMessageBoxes : public ::testing::Test {
protected:
    void SetUp() override { testing::testApp(); }

    // Runs an action that opens one box, presses a button in it and returns how it looked.
    SeenBox run(QMessageBox::StandardButton press, const std::function<void()>& action) {
        // Shared, in case the box never comes and the timer outlives this call.
        const auto seen = std::make_shared<SeenBox>();
        QTimer::singleShot(0, [seen, press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            *seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                     box->defaultButton() ? box->standardButton(box->defaultButton())
                                          : QMessageBox::NoButton};
            box->button(press)->click();
        });
        action();
        return *seen;
    }

    QTemporaryDir folder;
    RealDialogs dialogs{folder.path()};
};

// The older windows' refusals keep the question mark; the betting and web windows' show the warning icon.
TEST_F(RealMessageBoxes, AWarningHasItsTitleItsIconAndOneOkButton) {
    const QString text = QString::fromUtf8("Ekleyeceğiniz Takımın Adını Girmelisiniz  ... ");
    const std::pair<std::function<void()>, QMessageBox::Icon> cases[] = {
        {[&] { dialogs.warn(nullptr, text); }, QMessageBox::Question},
        {[&] { dialogs.caution(nullptr, text); }, QMessageBox::Warning},
    };
    for (const auto& [action, icon] : cases) {
        const SeenBox seen = run(QMessageBox::Ok, action);
        EXPECT_EQ(seen.title, QStringLiteral("   UYARI MESAJI"));
        EXPECT_EQ(seen.text, text);
        EXPECT_EQ(seen.icon, icon);
        EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}

TEST_F(RealMessageBoxes, AQuestionHasYesAndNoWithTheGivenDefaultAndOnlyYesAgrees) {
    struct Case {
        bool yesIsDefault;
        QMessageBox::StandardButton press;
        bool answer;
    };
    for (const Case& c : {Case{false, QMessageBox::Yes, true}, Case{false, QMessageBox::No, false},
                          Case{true, QMessageBox::No, false}, Case{true, QMessageBox::Yes, true}}) {
        bool answer = !c.answer;
        const SeenBox seen = run(c.press, [&] {
            answer =
                dialogs.ask(nullptr, QString::fromUtf8("   LİG SİL"), QStringLiteral("?"), c.yesIsDefault);
        });
        EXPECT_EQ(seen.title, QString::fromUtf8("   LİG SİL"));
        EXPECT_EQ(seen.icon, QMessageBox::Question);
        EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(seen.defaultButton, c.yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
        EXPECT_EQ(answer, c.answer);
    }
}

TEST_F(RealMessageBoxes, AnErrorShowsItsTextModally) {
    const QString text = QStringLiteral("\"/x/klasman.dat\" dosyası açılamıyor: No such file or directory");
    const SeenBox seen = run(QMessageBox::Ok, [&] { dialogs.showError(nullptr, text); });
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST_F(RealMessageBoxes, AModalWindowRunsUntilItCloses) {
    QDialog dialog;
    QTimer::singleShot(0, [&dialog] {
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
        dialog.accept();
    });
    dialogs.showModal(&dialog);
    EXPECT_FALSE(dialog.isVisible());
}

// The save dialog offers the default name; a name typed without an extension gets the default name's.
TEST_F(RealMessageBoxes, TheSaveDialogOffersItsNameAndAddsItsExtensionToATypedName) {
    struct Case {
        const char* typed; // null: the offered name is kept
        const char* saved;
    };
    const Case cases[] = {{nullptr, "Yorum1.txt"},
                          {"rapor1", "rapor1.txt"},
                          {"rapor2.txt", "rapor2.txt"},
                          {"not.metin", "not.metin"}};
    for (const Case& c : cases) {
        QString offered;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            offered = name ? name->text() : QString();
            if (name && c.typed)
                name->setText(QString::fromUtf8(c.typed));
            QMetaObject::invokeMethod(dialog, "accept");
            // A dialog that refused the name must not hang the test.
            QTimer::singleShot(0, dialog, &QDialog::reject);
        });
        const QString path =
            dialogs.saveFileName(nullptr, QStringLiteral("Dosya Olarak Kaydet"),
                                 QStringLiteral("Text Dosyalar (*.txt)|*.txt"), QStringLiteral("Yorum1.txt"));
        EXPECT_EQ(offered, QStringLiteral("Yorum1.txt"));
        EXPECT_EQ(QFileInfo(path).fileName(), QString::fromUtf8(c.saved)) << (c.typed ? c.typed : "-");
        EXPECT_EQ(QFileInfo(path).absolutePath(), QDir(folder.path()).absolutePath());
    }
}

// Qt's file list and progress bar in the program's Turkish: its own translation leaves the folder's type in
// English, and the list writes days and sizes in the system's locale.
TEST(TurkishQtDialogs, TheFileListWritesTypesDaysAndSizesTheTurkishWay) {
    testing::testApp();
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("sezonlar"));
    QFile file(dir.filePath("fikstur.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2048, 'x'));
    file.flush(); // else the write at closing would make the file new again
    ASSERT_TRUE(
        file.setFileTime(QDateTime(QDate(2025, 12, 9), QTime(14, 5)), QFileDevice::FileModificationTime));
    file.close();
    QFileSystemModel files;
    QAbstractProxyModel* shown = turkishFileColumns(&files);
    shown->setSourceModel(&files);
    const QModelIndex root = shown->mapFromSource(files.setRootPath(dir.path()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown->rowCount(root) == 2; }));
    const auto cell = [&](const char* name, int column) {
        return shown->mapFromSource(files.index(dir.filePath(name)))
            .siblingAtColumn(column)
            .data()
            .toString();
    };
    EXPECT_EQ(cell("sezonlar", 2), QString::fromUtf8("Klasör"));
    EXPECT_EQ(cell("fikstur.csv", 2), QString::fromUtf8("csv dosyası"));
    EXPECT_EQ(cell("fikstur.csv", 3), QStringLiteral("09.12.2025 14:05"));
    EXPECT_TRUE(cell("fikstur.csv", 1).startsWith(QStringLiteral("2,00 "))); // 2 KiB, a decimal comma
}

TEST(TurkishQtDialogs, AProgressBarWritesThePercentSignFirst) {
    testing::testApp();
    QProgressDialog progress;
    setUpProgress(progress, "TestProgress", QStringLiteral("Deneme"));
    progress.setMaximum(200);
    progress.setValue(50);
    const auto* bar = progress.findChild<QProgressBar*>();
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->text(), QStringLiteral("%25"));
}

} // namespace
} // namespace vezal
