// The modal "about" dialog: product name, version, release date, plate model, website and the
// text of readme_ch.txt of the resources.
#pragma once

#include <QDialog>

namespace Ui {
class AboutTessaly;
}

class AboutTessaly : public QDialog {
    Q_OBJECT
public:
    explicit AboutTessaly(QWidget* parent = nullptr);
    ~AboutTessaly() override;

public slots:
    void onClose();

private:
    Ui::AboutTessaly* ui_;
};
