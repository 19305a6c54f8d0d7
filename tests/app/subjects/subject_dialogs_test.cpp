// The add/modify and choose dialogs on a database in a temporary working directory, driven
// through their buttons; message boxes are answered as a user would.
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "AppConstants.h"
#include "GaitAddUser.h"
#include "GaitChoseUser.h"
#include "ModalAnswer.h"
#include "Startup.h"
#include "SubjectDatabase.h"
#include "SubjectMessageBoxes.h"
#include "SubjectRecord.h"

namespace {

template <typename T>
T* child(QWidget* parent, const char* name) {
    T* found = parent->findChild<T*>(name);
    if (!found) qFatal("no child %s", name);
    return found;
}

struct Typed {
    QString code, name, weight, height;
};

void type(GaitAddUser* dialog, const Typed& typed) {
    child<QLineEdit>(dialog, "binglihao")->setText(typed.code);
    child<QLineEdit>(dialog, "nameUserInfo")->setText(typed.name);
    child<QLineEdit>(dialog, "weightUserInfo")->setText(typed.weight);
    child<QLineEdit>(dialog, "heightUserInfo")->setText(typed.height);
}

}  // namespace

Q_DECLARE_METATYPE(Typed)

namespace {

// Clicks a button whose slot opens one message box, answers it with Ok and says what it showed.
SeenBox clickAndAnswer(QWidget* button, QMessageBox::StandardButton answer = QMessageBox::Ok) {
    SeenBox seen;
    answerMessageBox(answer, &seen);
    QTest::mouseClick(button, Qt::LeftButton);
    return seen;
}

StoredSubject stored(const QString& code, const QString& name, const QString& gender = "man") {
    return {code, name, gender, "1990-07-15", "175", "70", "右侧", "左侧"};
}

}  // namespace

class SubjectDialogsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<SubjectDatabase> check_;  // the test's own view of the same file

    void addSubjects(const QList<StoredSubject>& subjects) {
        for (const StoredSubject& s : subjects) QCOMPARE(check_->insert(s), QString());
    }
    static void clickCell(QTableWidget* table, int row, int column) {
        const QRect cell = table->visualItemRect(table->item(row, column));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }
    static QPushButton* rowButton(QTableWidget* table, int row, int column) {
        return qobject_cast<QPushButton*>(table->cellWidget(row, column));
    }

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void init() {
        QFile::remove(app::subjectDatabase());
        {
            GaitAddUser creates;  // first use creates the file and the table
        }
        QVERIFY(QFile::exists(app::subjectDatabase()));
        check_ = std::make_unique<SubjectDatabase>("check");
        QCOMPARE(check_->open(), QString());
    }
    void cleanup() { check_.reset(); }

    void messageBoxesSpeakChinese() {
        SeenBox seen;
        answerMessageBox(QMessageBox::Ok, &seen);
        showNotice(nullptr, "提示文字", 500);
        QCOMPARE(seen.title, QString("Tessaly"));
        QCOMPARE(seen.text, QString("提示文字"));
        QCOMPARE(seen.buttons, QStringList{"确定"});
        QVERIFY(seen.width >= 500);

        answerMessageBox(QMessageBox::Ok, &seen);
        QVERIFY(askConfirmation(nullptr, "确认？"));
        QCOMPARE(seen.buttons.size(), 2);
        QVERIFY(seen.buttons.contains("确定") && seen.buttons.contains("取消"));
        answerMessageBox(QMessageBox::Cancel);
        QVERIFY(!askConfirmation(nullptr, "确认？"));
    }

    void addRefusesEmptyFieldsInOrder_data() {
        QTest::addColumn<Typed>("typed");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("focused");
        QTest::newRow("no code") << Typed{"", "", "", ""} << "请输入唯一码!"
                                 << "binglihao";
        QTest::newRow("spaces only") << Typed{"  ", "n", "1", "1"} << "请输入唯一码!"
                                     << "binglihao";
        QTest::newRow("no name") << Typed{"A1", "", "", ""} << "请输入姓名!"
                                 << "nameUserInfo";
        QTest::newRow("weight before height") << Typed{"A1", "n", "", ""} << "体重不能为空"
                                              << "weightUserInfo";
        QTest::newRow("no height") << Typed{"A1", "n", "60", ""} << "身高不能为空"
                                   << "heightUserInfo";
    }
    void addRefusesEmptyFieldsInOrder() {
        QFETCH(Typed, typed);
        QFETCH(QString, notice);
        QFETCH(QString, focused);
        GaitAddUser dialog;
        dialog.show();
        type(&dialog, typed);
        const SeenBox seen = clickAndAnswer(child<QPushButton>(&dialog, "registerGaitAddUser"));
        QCOMPARE(seen.text, notice);
        QVERIFY(seen.width >= 500);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget()->objectName(), focused);
        QVERIFY(check_->listAll().isEmpty());
    }

    void addStoresWhatWasTyped() {
        GaitAddUser dialog;
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QString("添加用户"));
        QVERIFY(child<QRadioButton>(&dialog, "radioButton_man")->isChecked());
        QCOMPARE(child<QComboBox>(&dialog, "youshiceUserInput")->currentText(), QString("无"));
        type(&dialog, {" a b 1 ", "O'Brien", "70.5", "180"});
        child<QRadioButton>(&dialog, "radioButton_woman")->setChecked(true);
        child<QDateEdit>(&dialog, "dateEditUserInfo")->setDate(QDate(1990, 7, 15));
        child<QComboBox>(&dialog, "youshiceUserInput")->setCurrentText("右侧");
        child<QComboBox>(&dialog, "huanceInput")->setCurrentText("左侧");
        const SeenBox seen = clickAndAnswer(child<QPushButton>(&dialog, "registerGaitAddUser"));
        QCOMPARE(seen.text, QString("用户信息录入完毕!"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const std::optional<StoredSubject> s = check_->find("ab1");
        QVERIFY(s.has_value());
        QCOMPARE(s->name, QString("O'Brien"));
        QCOMPARE(s->gender, QString("woman"));
        QCOMPARE(s->birthDate, QString("1990-07-15"));
        QCOMPARE(s->weight, QString("70.5"));
        QCOMPARE(s->height, QString("180"));
        QCOMPARE(s->dominantSide, QString("右侧"));
        QCOMPARE(s->affectedSide, QString("左侧"));
    }

    // Weight in kg (20-300) and height in cm (50-250), each with at most one decimal. Typing
    // cannot enter other characters; text put in otherwise is refused on saving.
    void measuresAreNumbersInTheirRange_data() {
        QTest::addColumn<QString>("weight");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("refusedField");  // empty: stored
        QTest::addColumn<QString>("storedWeight");
        QTest::addColumn<QString>("storedHeight");
        const QString kg = "weightUserInfo", cm = "heightUserInfo";
        QTest::newRow("plain") << "58.5"
                               << "164"
                               << ""
                               << "58.5"
                               << "164";
        QTest::newRow("lowest") << "20"
                                << "50"
                                << ""
                                << "20"
                                << "50";
        QTest::newRow("highest") << "300"
                                 << "250.0"
                                 << ""
                                 << "300"
                                 << "250.0";
        QTest::newRow("spaces, leading zero") << " 075 "
                                              << "170.5"
                                              << ""
                                              << "75"
                                              << "170.5";
        QTest::newRow("light") << "19.9"
                               << "170" << kg << ""
                               << "";
        QTest::newRow("heavy") << "300.1"
                               << "170" << kg << ""
                               << "";
        QTest::newRow("two decimals") << "60.25"
                                      << "170" << kg << ""
                                      << "";
        QTest::newRow("words") << "七十"
                               << "170" << kg << ""
                               << "";
        QTest::newRow("with unit") << "60 kg"
                                   << "170" << kg << ""
                                   << "";
        QTest::newRow("negative") << "-60"
                                  << "170" << kg << ""
                                  << "";
        QTest::newRow("short") << "60"
                               << "49.9" << cm << ""
                               << "";
        QTest::newRow("tall") << "60"
                              << "251" << cm << ""
                              << "";
        QTest::newRow("metres") << "60"
                                << "1m80" << cm << ""
                                << "";
        QTest::newRow("comma") << "60"
                               << "170,5" << cm << ""
                               << "";
    }
    void measuresAreNumbersInTheirRange() {
        QFETCH(QString, weight);
        QFETCH(QString, height);
        QFETCH(QString, refusedField);
        QFETCH(QString, storedWeight);
        QFETCH(QString, storedHeight);
        GaitAddUser dialog;
        dialog.show();
        type(&dialog, {"W1", "n", weight, height});
        const SeenBox seen = clickAndAnswer(child<QPushButton>(&dialog, "registerGaitAddUser"));
        if (refusedField.isEmpty()) {
            QCOMPARE(seen.text, QString("用户信息录入完毕!"));
            QCOMPARE(check_->find("W1")->weight, storedWeight);
            QCOMPARE(check_->find("W1")->height, storedHeight);
            return;
        }
        QVERIFY2(seen.text.startsWith(refusedField == "weightUserInfo" ? "体重请输入 20–300"
                                                                       : "身高请输入 50–250"),
                 qPrintable(seen.text));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget()->objectName(), refusedField);
        QVERIFY(check_->listAll().isEmpty());
    }

    void typingKeepsToNumbers() {
        GaitAddUser dialog;
        dialog.show();
        auto* weight = child<QLineEdit>(&dialog, "weightUserInfo");
        weight->setFocus();
        QTest::keyClicks(weight, "7a0.55 kg");
        QCOMPARE(weight->text(), QString("70.5"));
    }

    // A record stored before the check, with words for its measures, still opens; saving asks
    // for a number, and a number then replaces the words.
    void storedWordsOpenAndAskForANumber() {
        StoredSubject old = stored("O1", "old");
        old.weight = "七十";
        old.height = "1m75";
        addSubjects({old});
        GaitAddUser dialog;
        dialog.loadSubjectForEdit("O1");
        dialog.show();
        auto* weight = child<QLineEdit>(&dialog, "weightUserInfo");
        QCOMPARE(weight->text(), QString("七十"));
        QCOMPARE(child<QLineEdit>(&dialog, "heightUserInfo")->text(), QString("1m75"));
        SeenBox seen = clickAndAnswer(child<QPushButton>(&dialog, "registerGaitAddUser"));
        QVERIFY2(seen.text.startsWith("体重请输入"), qPrintable(seen.text));
        QCOMPARE(check_->find("O1")->weight, QString("七十"));
        weight->setText("70");
        child<QLineEdit>(&dialog, "heightUserInfo")->setText("175");
        seen = clickAndAnswer(child<QPushButton>(&dialog, "registerGaitAddUser"));
        QCOMPARE(seen.text, QString("用户信息修改完毕!"));
        QCOMPARE(check_->find("O1")->weight, QString("70"));
        QCOMPARE(check_->find("O1")->height, QString("175"));
    }

    void duplicateCodeIsRefused() {
        addSubjects({stored("D1", "first")});
        GaitAddUser dialog;
        dialog.show();
        type(&dialog, {"D1", "second", "60", "170"});
        const SeenBox seen = clickAndAnswer(child<QPushButton>(&dialog, "registerGaitAddUser"));
        QCOMPARE(seen.text, QString("唯一码已经存在，请重新输入!"));
        QVERIFY(dialog.isVisible());
        QVERIFY(child<QLineEdit>(&dialog, "binglihao")->text().isEmpty());
        QCOMPARE(check_->find("D1")->name, QString("first"));
    }

    // The user must not be told a subject was stored when it was not.
    void failedInsertIsShownAndTyped() {
        GaitAddUser dialog;
        dialog.show();
        QSqlQuery(QSqlDatabase::database("check")).exec("DROP TABLE user");
        type(&dialog, {"F1", "lost?", "60", "170"});
        const SeenBox seen = clickAndAnswer(child<QPushButton>(&dialog, "registerGaitAddUser"));
        QVERIFY2(seen.text.startsWith("用户信息录入失败："), qPrintable(seen.text));
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.result() != QDialog::Accepted);
        QCOMPARE(child<QLineEdit>(&dialog, "nameUserInfo")->text(), QString("lost?"));
    }

    void modifyKeepsTheCodeAndSkipsTheDuplicateCheck() {
        addSubjects({stored("M1", "before", "woman"), stored("M2", "other")});
        GaitAddUser dialog;
        dialog.loadSubjectForEdit("M1");
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QString("修改用户"));
        auto* code = child<QLineEdit>(&dialog, "binglihao");
        QVERIFY(!code->isEnabled());
        QCOMPARE(code->text(), QString("M1"));
        QCOMPARE(child<QLineEdit>(&dialog, "nameUserInfo")->text(), QString("before"));
        QVERIFY(child<QRadioButton>(&dialog, "radioButton_woman")->isChecked());
        QCOMPARE(child<QDateEdit>(&dialog, "dateEditUserInfo")->date(), QDate(1990, 7, 15));
        QCOMPARE(child<QComboBox>(&dialog, "youshiceUserInput")->currentText(), QString("右侧"));
        QCOMPARE(child<QComboBox>(&dialog, "huanceInput")->currentText(), QString("左侧"));

        child<QLineEdit>(&dialog, "nameUserInfo")->setText("x'); DROP TABLE user;--");
        child<QRadioButton>(&dialog, "radioButton_man")->setChecked(true);
        const SeenBox seen = clickAndAnswer(child<QPushButton>(&dialog, "registerGaitAddUser"));
        QCOMPARE(seen.text, QString("用户信息修改完毕!"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(check_->find("M1")->name, QString("x'); DROP TABLE user;--"));
        QCOMPARE(check_->find("M1")->gender, QString("man"));
        QCOMPARE(check_->find("M2")->name, QString("other"));
    }

    void failedUpdateIsShown() {
        addSubjects({stored("U1", "before")});
        GaitAddUser dialog;
        dialog.loadSubjectForEdit("U1");
        dialog.show();
        QVERIFY(check_->remove("U1").isEmpty());  // deleted behind the dialog's back
        const SeenBox seen = clickAndAnswer(child<QPushButton>(&dialog, "registerGaitAddUser"));
        QVERIFY2(seen.text.startsWith("用户信息修改失败："), qPrintable(seen.text));
        QVERIFY(dialog.isVisible());
    }

    void chooseListsEverySubject() {
        addSubjects({stored("C1", "张三"), stored("C2", "李'四", "woman")});
        SubjectRecord record;
        GaitChoseUser dialog(&record);
        QCOMPARE(dialog.windowTitle(), QString("选择用户"));
        auto* table = child<QTableWidget>(&dialog, "tableWidgetChoseUser");
        QStringList headers;
        for (int c = 0; c < table->columnCount(); ++c)
            headers << table->horizontalHeaderItem(c)->text();
        QCOMPARE(headers, (QStringList{"唯一码", "姓名", "性别", "年龄", "身高(cm)", "体重(Kg)",
                                       "优势侧", "患侧", "修改", "删除"}));
        QCOMPARE(table->rowCount(), 2);
        QStringList row1;
        for (int c = 0; c < 8; ++c) row1 << table->item(1, c)->text();
        const QString age = QString::number(QDate::currentDate().year() - 1990);
        QCOMPARE(row1, (QStringList{"C2", "李'四", "女", age, "175", "70", "右侧", "左侧"}));
        QCOMPARE(table->item(1, 2)->data(101).toString(), QString("woman"));
        QCOMPARE(table->item(0, 2)->text(), QString("男"));
        QCOMPARE(rowButton(table, 1, 8)->text(), QString("修改"));
        QCOMPARE(rowButton(table, 1, 8)->property("medicalRecordNo").toString(), QString("C2"));
        QCOMPARE(rowButton(table, 1, 9)->text(), QString("删除"));
        QVERIFY(!(table->item(0, 0)->flags() & Qt::ItemIsEditable) ||
                table->editTriggers() == QAbstractItemView::NoEditTriggers);
    }

    void confirmedRowBecomesTheRecord() {
        addSubjects({stored("C1", "张三"), stored("C2", "李四", "woman")});
        SubjectRecord record;
        GaitChoseUser dialog(&record);
        dialog.show();
        auto* table = child<QTableWidget>(&dialog, "tableWidgetChoseUser");
        clickCell(table, 1, 1);
        QTest::mouseClick(child<QPushButton>(&dialog, "pushButtonOK"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(record.uniqueCode, QString("C2"));
        QCOMPARE(record.name, QString("李四"));
        QCOMPARE(record.gender, QString("woman"));
        QCOMPARE(record.age, QString::number(QDate::currentDate().year() - 1990));
        QCOMPARE(record.height, QString("175"));
        QCOMPARE(record.weight, QString("70"));
        QCOMPARE(record.dominantSide, QString("右侧"));
        QCOMPARE(record.affectedSide, QString("左侧"));
    }

    void confirmWithoutRowIsNoChoice() {
        addSubjects({stored("C1", "张三")});
        SubjectRecord record;
        GaitChoseUser dialog(&record);
        dialog.show();
        QTest::mouseClick(child<QPushButton>(&dialog, "pushButtonOK"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(record.uniqueCode.isEmpty());
    }

    void deleteAsksFirst() {
        addSubjects({stored("C1", "张三"), stored("C2", "李四")});
        SubjectRecord record;
        GaitChoseUser dialog(&record);
        dialog.show();
        auto* table = child<QTableWidget>(&dialog, "tableWidgetChoseUser");
        clickCell(table, 0, 0);

        SeenBox seen = clickAndAnswer(rowButton(table, 0, 9), QMessageBox::Cancel);
        QCOMPARE(seen.text, QString("删除不可恢复，请慎重删除！"));
        QCOMPARE(table->rowCount(), 2);
        QVERIFY(check_->codeExists("C1"));

        SeenBox done;
        answerMessageBox(QMessageBox::Ok, &seen, [&] { answerMessageBox(QMessageBox::Ok, &done); });
        QTest::mouseClick(rowButton(table, 0, 9), Qt::LeftButton);
        QTRY_COMPARE(done.text, QString("删除成功！"));
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->item(0, 0)->text(), QString("C2"));
        QVERIFY(!check_->codeExists("C1"));

        // The clicked row is gone: confirming now makes no choice.
        QTest::mouseClick(child<QPushButton>(&dialog, "pushButtonOK"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void deleteOfVanishedSubjectIsRefused() {
        addSubjects({stored("C1", "张三")});
        SubjectRecord record;
        GaitChoseUser dialog(&record);
        dialog.show();
        QVERIFY(check_->remove("C1").isEmpty());
        auto* table = child<QTableWidget>(&dialog, "tableWidgetChoseUser");
        const SeenBox seen = clickAndAnswer(rowButton(table, 0, 9));
        QCOMPARE(seen.text, QString("输入的唯一码不存在！"));
    }

    void modifyFromTheRowRefreshesIt() {
        addSubjects({stored("C1", "张三")});
        SubjectRecord record;
        GaitChoseUser dialog(&record);
        dialog.show();
        auto* table = child<QTableWidget>(&dialog, "tableWidgetChoseUser");
        QString title;
        bool codeLocked = false;
        whenModal<GaitAddUser>([&](GaitAddUser* edit) {
            title = edit->windowTitle();
            codeLocked = !child<QLineEdit>(edit, "binglihao")->isEnabled();
            child<QLineEdit>(edit, "heightUserInfo")->setText("181");
            answerMessageBox(QMessageBox::Ok);
            child<QPushButton>(edit, "registerGaitAddUser")->click();
        });
        QTest::mouseClick(rowButton(table, 0, 8), Qt::LeftButton);
        QCOMPARE(title, QString("修改用户"));
        QVERIFY(codeLocked);
        QCOMPARE(table->item(0, 4)->text(), QString("181"));
    }

    void addFromTheListShowsTheNewSubject() {
        SubjectRecord record;
        GaitChoseUser dialog(&record);
        dialog.show();
        whenModal<GaitAddUser>([&](GaitAddUser* add) {
            type(add, {"N1", "新用户", "50", "160"});
            answerMessageBox(QMessageBox::Ok);
            child<QPushButton>(add, "registerGaitAddUser")->click();
        });
        QTest::mouseClick(child<QPushButton>(&dialog, "pushButtonAdd"), Qt::LeftButton);
        auto* table = child<QTableWidget>(&dialog, "tableWidgetChoseUser");
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->item(0, 1)->text(), QString("新用户"));
    }
};

QTEST_MAIN(SubjectDialogsTest)
#include "subject_dialogs_test.moc"
