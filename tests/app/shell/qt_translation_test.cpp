// Qt's own dialogs and buttons speak Chinese once the program's translation is installed:
// message box and button box buttons, the colour picker and the file dialog.
#include <QAbstractButton>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

#include "Startup.h"

namespace {

// The texts of a dialog's labels and buttons that Qt left in English.
QStringList englishTexts(const QWidget* dialog, const QStringList& sources) {
    QStringList left;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        if (sources.contains(label->text())) left << label->text();
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        if (sources.contains(button->text())) left << button->text();
    return left;
}

bool hasChinese(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF) return true;
    return false;
}

}  // namespace

class QtTranslationTest : public QObject {
    Q_OBJECT
    QTranslator translator_;

private slots:
    void initTestCase() {
        // The program carries the texts itself, not only the catalogue naming them.
        QVERIFY(QFile::exists(":/forcePlateUILib/Resources/qtbase_zh_CN.qm"));
        QVERIFY(installChineseQtTranslation(translator_));
    }

    void standardButtonsAreChinese() {
        QMessageBox box(QMessageBox::Question, "提示", "确认？",
                        QMessageBox::Yes | QMessageBox::No);
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                 QDialogButtonBox::Save);
        const QString texts[] = {box.button(QMessageBox::Yes)->text(),
                                 box.button(QMessageBox::No)->text(),
                                 buttons.button(QDialogButtonBox::Ok)->text(),
                                 buttons.button(QDialogButtonBox::Cancel)->text(),
                                 buttons.button(QDialogButtonBox::Save)->text()};
        for (const QString& text : texts) QVERIFY2(hasChinese(text), qPrintable(text));
        QVERIFY(texts[0].startsWith("是"));
        QVERIFY(texts[1].startsWith("否"));
    }

    void colourPickerAndFileDialogAreChinese() {
        QColorDialog colours;
        colours.setOption(QColorDialog::DontUseNativeDialog);
        colours.show();
        QVERIFY(englishTexts(&colours, {"&Basic colors", "&Custom colors", "&Add to Custom Colors",
                                        "&Pick Screen Color", "OK", "Cancel"})
                    .isEmpty());
        QVERIFY2(hasChinese(colours.windowTitle()), qPrintable(colours.windowTitle()));

        QFileDialog files(nullptr, QString(), QDir::tempPath());
        files.setOption(QFileDialog::DontUseNativeDialog);
        files.show();
        QCOMPARE(englishTexts(&files, {"Look in:", "File &name:", "Files of type:", "&Open",
                                       "&Choose", "Cancel"}),
                 QStringList());
        int chinese = 0;
        for (const QLabel* label : files.findChildren<QLabel*>())
            chinese += hasChinese(label->text());
        QVERIFY(chinese >= 2);
    }
};

QTEST_MAIN(QtTranslationTest)
#include "qt_translation_test.moc"
