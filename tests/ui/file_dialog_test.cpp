// The program's own file dialogs: Russian under any locale, opening in the
// folder of the last task, and proposing the current file's name.
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLocale>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include "tests/ui/main_dialog_fixture.h"
#include "ui/qttranslation.h"

namespace {

class FileDialogTest : public MainDialogTest {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));  // any locale
        translation = InstallQtTranslation(*qApp);                        // as the program does
        ASSERT_NE(translation, nullptr) << "qt6-translations-l10n is missing";
        AddParam(*task, {"x", {{0, "low"}}});
        SetOutputs(*task, {"A"});
        MainDialogTest::SetUp();
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override {
        MainDialogTest::TearDown();
        QLocale::setDefault(QLocale::c());
        if (translation) QCoreApplication::removeTranslator(translation);
        delete translation;
    }

    // Opens the file dialog of `button` and hands it to `look`, which ends it.
    void WithFileDialog(const char* button, std::function<void(QFileDialog*)> look) {
        bool seen = false;
        driver.OnDialog([&seen, look](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            seen = files != nullptr;
            if (files) look(files);
            if (dialog->isVisible()) dialog->reject();
        });
        Click(button);
        EXPECT_TRUE(seen) << button;
    }

    QTemporaryDir dir;
    QTranslator* translation = nullptr;
};

TEST_F(FileDialogTest, RussianButtonsAndTheLastFolderAcrossRestarts) {
    const QString path = dir.filePath("first.task");
    WithFileDialog("saveButton", [&path](QFileDialog* files) {
        auto* box = files->findChild<QDialogButtonBox*>();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
        QAbstractButton* save = box->buttons().front();
        EXPECT_EQ(save->text().remove('&'), QStringLiteral("Сохранить"));
        // Typed, as a user would (selectFile leaves a focused name field alone).
        auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(path);
        save->click();
    });
    EXPECT_EQ(driver.texts,
              std::vector<std::string>{"Настройка НС и примеры к ней успешно сохранены!"});

    // Saving again proposes the same file.
    WithFileDialog("saveButton", [&path](QFileDialog* files) {
        EXPECT_EQ(files->selectedFiles(), QStringList{path});
    });

    // Kept in the program's own settings file, so that after a restart the
    // open dialog starts in that folder.
    const QSettings stored(qEnvironmentVariable("XDG_CONFIG_HOME") + "/zarn/zarn.conf",
                           QSettings::IniFormat);
    EXPECT_EQ(stored.value("files/lastFolder").toString(), QDir(dir.path()).absolutePath());
    Reopen();
    WithFileDialog("loadButton", [this](QFileDialog* files) {
        EXPECT_EQ(files->directory().absolutePath(), QDir(dir.path()).absolutePath());
        auto* box = files->findChild<QDialogButtonBox*>();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->buttons().front()->text().remove('&'), QStringLiteral("Открыть"));
    });
}

TEST_F(FileDialogTest, ANameWithoutAnExtensionIsSavedAsATask) {
    const QStringList filters = {QStringLiteral("Задачи (*.task)"),
                                 QStringLiteral("Таблицы (*.csv *.arff)"),
                                 QStringLiteral("Все файлы (*)")};
    WithFileDialog("saveButton", [this, &filters](QFileDialog* files) {
        EXPECT_EQ(files->nameFilters(), filters);
        EXPECT_EQ(files->selectedNameFilter(), filters.front());
        auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(dir.filePath(QStringLiteral("тарифы")));
        files->findChild<QDialogButtonBox*>()->buttons().front()->click();
    });
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("тарифы.task"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("тарифы"))));
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("НС — тарифы.task"));

    // A name with its own extension keeps it.
    WithFileDialog("saveButton", [this](QFileDialog* files) {
        auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(dir.filePath(QStringLiteral("copy.txt")));
        files->findChild<QDialogButtonBox*>()->buttons().front()->click();
    });
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("copy.txt"))));

    WithFileDialog("loadButton", [&filters](QFileDialog* files) {
        EXPECT_EQ(files->nameFilters(), filters);
        EXPECT_EQ(files->fileMode(), QFileDialog::ExistingFile);
    });
}

}  // namespace
