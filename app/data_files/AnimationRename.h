// The dialog that renames a recording and its companion files (RecordingRename.h).
#pragma once

#include <QDialog>
#include <QString>

namespace Ui {
class AnimationRename;
}

class AnimationRename : public QDialog {
    Q_OBJECT
public:
    explicit AnimationRename(QWidget* parent = nullptr);
    ~AnimationRename() override;

    // The file to rename: the name field shows its name without the last suffix, the label
    // beside it "." + that suffix.
    void setFilePath(const QString& path);
    // Whether the recording's companion files are renamed with it (yes unless told otherwise;
    // a report has none).
    void setRenamesCompanions(bool renames) { renamesCompanions_ = renames; }
    // The file's path after the dialog: the new one after a rename, else the original.
    const QString& currentPath() const { return currentPath_; }

public slots:
    void confirm();
    void cancle();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showProblem(const QString& text);

    Ui::AnimationRename* ui_;
    QString originalPath_;
    QString currentPath_;
    bool renamesCompanions_ = true;
};
