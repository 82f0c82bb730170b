#pragma once
// The About box: title, version, description and warning over the background picture, with 确定 and
// 系统信息.

#include <QDialog>
#include <QImage>

class QLabel;
class QPushButton;

class FrmAbout1 : public QDialog
{
    Q_OBJECT

  public:
    explicit FrmAbout1(QWidget *parent = nullptr);

    // Starts the system-information program, or says that none is available.
    void StartSysInfo();

    // The version line, "版本 " + major.minor.revision of the program.
    static QString versionText();

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    void load();

    QImage m_background;
    QLabel *m_lblTitle = nullptr;
    QLabel *m_lblVersion = nullptr;
    QLabel *m_lblDescription = nullptr;
    QLabel *m_lblDisclaimer = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdSysInfo = nullptr;
};
