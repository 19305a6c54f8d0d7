// The subject table, the age and gender rules and the current-subject file, without windows.
#include <QDate>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include "CurrentSubjectFile.h"
#include "SubjectDatabase.h"
#include "SubjectRecord.h"

namespace {

StoredSubject subject(const QString& code, const QString& name) {
    return {code, name, "woman", "1990-07-15", "165", "55", "左侧", "无"};
}

bool operator==(const StoredSubject& a, const StoredSubject& b) {
    return a.uniqueCode == b.uniqueCode && a.name == b.name && a.gender == b.gender &&
           a.birthDate == b.birthDate && a.height == b.height && a.weight == b.weight &&
           a.dominantSide == b.dominantSide && a.affectedSide == b.affectedSide;
}

}  // namespace

class SubjectStoreTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString dbPath() const { return dir_.filePath("VuziRO.db"); }

private slots:
    void init() { QFile::remove(dbPath()); }

    void firstOpenCreatesFileAndTable() {
        QVERIFY(!QFile::exists(dbPath()));
        {
            SubjectDatabase db("first", dbPath());
            QCOMPARE(db.open(), QString());
            QVERIFY(db.listAll().isEmpty());
        }
        QVERIFY(QFile::exists(dbPath()));
        QVERIFY(!QSqlDatabase::contains("first"));  // removed with its owner
        SubjectDatabase again("again", dbPath());
        QCOMPARE(again.open(), QString());  // an existing table is kept
        QSqlQuery columns(QSqlDatabase::database("again"));
        QVERIFY(columns.exec("PRAGMA table_info(user)"));
        QStringList names;
        while (columns.next()) names << columns.value(1).toString();
        QCOMPARE(names, (QStringList{"MedicalRecordNo", "name", "sex", "birthdate", "height",
                                     "weight", "youshice", "huance"}));
    }

    void addFindModifyDelete() {
        SubjectDatabase db("crud", dbPath());
        QCOMPARE(db.open(), QString());
        QCOMPARE(db.insert(subject("A1", "张三")), QString());
        QCOMPARE(db.insert(subject("B2", "李四")), QString());
        QVERIFY(!db.insert(subject("A1", "王五")).isEmpty());  // the primary key refuses it
        QVERIFY(db.codeExists("A1"));
        QVERIFY(!db.codeExists("C3"));
        QCOMPARE(db.find("A1")->name, QString("张三"));

        StoredSubject changed = subject("A1", "张三丰");
        changed.gender = "man";
        changed.height = "一米八";  // heights are texts, never checked
        QCOMPARE(db.update(changed), QString());
        QVERIFY(*db.find("A1") == changed);
        QVERIFY(!db.update(subject("C3", "nobody")).isEmpty());  // no such subject

        QCOMPARE(db.remove("A1"), QString());
        QVERIFY(!db.codeExists("A1"));
        QCOMPARE(db.listAll().size(), 1);
        QCOMPARE(db.listAll().first().uniqueCode, QString("B2"));
    }

    // Texts that would end a quoted SQL literal are values, never statement text.
    void hostileTextsAreStoredIntact_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("quote in name") << "Q1"
                                       << "O'Brien";
        QTest::newRow("drop table") << "Q2"
                                    << "x'); DROP TABLE user;--";
        QTest::newRow("always true") << "Q3"
                                     << "' OR '1'='1";
        QTest::newRow("quote in code") << "a'b"
                                       << "李'四";
        QTest::newRow("code matches all") << "' OR 1=1 --"
                                          << "Eve";
    }
    void hostileTextsAreStoredIntact() {
        QFETCH(QString, code);
        QFETCH(QString, name);
        SubjectDatabase db("hostile", dbPath());
        QCOMPARE(db.open(), QString());
        QCOMPARE(db.insert(subject("KEEP", "bystander")), QString());
        QVERIFY(!db.codeExists(code));
        QCOMPARE(db.insert(subject(code, name)), QString());
        QVERIFY(*db.find(code) == subject(code, name));

        const StoredSubject renamed = subject(code, name + "'; --");
        QCOMPARE(db.update(renamed), QString());
        QVERIFY(*db.find(code) == renamed);
        QCOMPARE(db.find("KEEP")->name, QString("bystander"));

        QCOMPARE(db.remove(code), QString());
        QCOMPARE(db.listAll().size(), 1);
        QVERIFY(db.codeExists("KEEP"));
    }

    void unopenableDatabaseSaysWhy() {
        QVERIFY(QDir(dir_.path()).mkpath("folder.db"));  // a folder where the file should be
        SubjectDatabase db("broken", dir_.filePath("folder.db"));
        const QString error = db.open();
        QVERIFY2(error == "Failed to open VuziRO.db!" ||
                     error == "Failed to create user table in VuziRO.db!",
                 qPrintable(error));
        QVERIFY(db.listAll().isEmpty());
        QVERIFY(!db.insert(subject("A1", "x")).isEmpty());
    }

    void ageCountsYearsOnly_data() {
        QTest::addColumn<QString>("birthDate");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("age");
        QTest::newRow("mid-year birthday") << "1990-07-15" << 2026 << 36;
        QTest::newRow("first day") << "1990-01-01" << 2026 << 36;
        QTest::newRow("last day") << "1990-12-31" << 2026 << 36;
        QTest::newRow("born this year") << "2026-03-01" << 2026 << 0;
        QTest::newRow("this year")
            << "1990-07-15" << QDate::currentDate().year() << QDate::currentDate().year() - 1990;
    }
    void ageCountsYearsOnly() {
        QFETCH(QString, birthDate);
        QFETCH(int, year);
        QFETCH(int, age);
        QCOMPARE(subjectAge(birthDate, year), age);
    }

    void genderIsShownInChinese() {
        QCOMPARE(genderDisplayText("man"), QString("男"));
        QCOMPARE(genderDisplayText("woman"), QString("女"));
        QCOMPARE(genderDisplayText(""), QString("女"));
        QCOMPARE(subjectAvatarPath({"", "", "man", "", "", "", "", ""}),
                 QCoreApplication::applicationDirPath() + "/Resources/images/man.png");
    }

    void currentSubjectRoundTrip() {
        const QString ini = dir_.filePath("Resources/ConfigUserInfo.ini");
        const SubjectRecord chosen{"A'1", "张三, \"老\"", "man", "36", "180", "75", "右侧", "无"};
        QVERIFY(writeCurrentSubject(chosen, ini));
        const SubjectRecord read = readCurrentSubject(ini);
        QCOMPARE(read.uniqueCode, chosen.uniqueCode);
        QCOMPARE(read.name, chosen.name);
        QCOMPARE(read.gender, chosen.gender);
        QCOMPARE(read.age, chosen.age);
        QCOMPARE(read.height, chosen.height);
        QCOMPARE(read.weight, chosen.weight);
        QCOMPARE(read.dominantSide, chosen.dominantSide);
        QCOMPARE(read.affectedSide, chosen.affectedSide);

        QSettings raw(ini, QSettings::IniFormat);
        raw.setIniCodec("UTF-8");
        QCOMPARE(raw.value("currentUser/userName").toString(), chosen.name);
        QCOMPARE(raw.value("currentUser/userUniqueIdentifier").toString(), chosen.uniqueCode);
        QCOMPARE(raw.value("currentUser/userYoushiCe").toString(), QString("右侧"));
        QCOMPARE(raw.value("currentUser/huance").toString(), QString("无"));
    }

    void missingCurrentSubjectFileReadsEmpty() {
        const SubjectRecord read = readCurrentSubject(dir_.filePath("absent/ConfigUserInfo.ini"));
        for (const QString& value : {read.uniqueCode, read.name, read.gender, read.age, read.height,
                                     read.weight, read.dominantSide, read.affectedSide})
            QVERIFY(value.isEmpty());
        QCOMPARE(genderDisplayText(read.gender), QString("女"));
    }

    void unwritableCurrentSubjectFileIsReported() {
        QVERIFY(!writeCurrentSubject({}, "/proc/tessaly/ConfigUserInfo.ini"));
    }
};

QTEST_GUILESS_MAIN(SubjectStoreTest)
#include "subject_store_test.moc"
