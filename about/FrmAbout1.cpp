#include "about/FrmAbout1.h"

#include "about/SysInfo.h"
#include "common/Fonts.h"
#include "common/Module1.h"
#include "common/MsgBox.h"
#include "common/Pictures.h"
#include "common/Twips.h"

#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

namespace {

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, const QRect &box, const QFont &font,
                  const QColor &colour, Qt::Alignment alignment, bool wrap)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(box);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setWordWrap(wrap);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAutoFillBackground(false);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    return label;
}

// The labels keep their designed boxes. Where the designed face is not installed, a wider stand-in
// could run the wrapped text past the box; the font then steps down until the text fits.
void fitWrappedText(QLabel *label)
{
    QFont font = label->font();
    while (font.pointSizeF() > 9) {
        const QFontMetrics metrics(font);
        const QRect needed = metrics.boundingRect(QRect(0, 0, label->width(), 100000),
                                                  int(label->alignment()) | Qt::TextWordWrap, label->text());
        if (needed.height() <= label->height())
            break;
        font.setPointSizeF(font.pointSizeF() - 0.75);
    }
    label->setFont(font);
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text, const QRect &box)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(box);
    button->setFont(fonts::songTi(10.5));
    return button;
}

QString disclaimerText()
{
    const QString ten(10, QLatin1Char(' '));
    return QStringLiteral("警告：") + QString(23, QLatin1Char(' ')) + QStringLiteral("天地备兮难量！") + ten +
           QStringLiteral("神机妙兮莫测！") + ten + QStringLiteral("非贤人兮莫传！") + ten +
           QStringLiteral("不听劝兮有凶！");
}

// Where no registry names a system-information program, the desktop's own tool stands in for it.
const char *const kDesktopInfoTools[] = {"kinfocenter", "hardinfo", "gnome-system-monitor"};

} // namespace

FrmAbout1::FrmAbout1(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("FrmAbout1"));
    setWindowTitle(QStringLiteral("关于"));
    setModal(true);
    setFixedSize(twips::toPixels(0, 0, 8670, 6480).size());
    Module1::registerLoadedWindow(this);

    m_lblTitle = makeLabel(this, "lblTitle", QStringLiteral("应用程序标题"), twips::toPixels(1800, 225, 4845, 600),
                           fonts::kaiTi(26.25), Qt::red, Qt::AlignCenter, false);
    m_lblVersion = makeLabel(this, "lblVersion", QStringLiteral("版本"), twips::toPixels(1800, 855, 4845, 465),
                             fonts::fangSong(15.75), Qt::red, Qt::AlignCenter, false);
    m_lblDescription = makeLabel(
        this, "lblDescription",
        QStringLiteral("    符咒是一种与鬼神沟通的语言文字工具。鬼神无语言、无文字，符咒的要素代表了鬼神的语言、文字。"
                       "用的得当，能上达神明，下通幽府，有不可思议的功效。"),
        twips::toPixels(480, 1920, 7725, 2250), fonts::liShu(21.75), Qt::blue, Qt::AlignLeft | Qt::AlignTop, true);
    m_lblDisclaimer = makeLabel(this, "lblDisclaimer", disclaimerText(), twips::toPixels(1575, 4185, 3855, 2025),
                                fonts::kaiTi(15.75), Qt::black, Qt::AlignLeft | Qt::AlignTop, true);
    fitWrappedText(m_lblDescription);
    fitWrappedText(m_lblDisclaimer);
    // A screen reader reads each label's text as its name; the descriptions say what it is.
    m_lblTitle->setAccessibleDescription(QStringLiteral("程序标题"));
    m_lblVersion->setAccessibleDescription(QStringLiteral("程序版本"));
    m_lblDescription->setAccessibleDescription(QStringLiteral("符咒简介"));
    m_lblDisclaimer->setAccessibleDescription(QStringLiteral("警告"));

    m_cmdOK = makeButton(this, "cmdOK", QStringLiteral("确定"), twips::toPixels(5535, 4455, 1500, 465));
    m_cmdSysInfo = makeButton(this, "cmdSysInfo", QStringLiteral("系统信息"), twips::toPixels(5535, 5535, 1485, 465));
    // 确定 is both the default and the cancel button: Enter and Esc press it.
    m_cmdOK->setDefault(true);
    m_cmdOK->setAutoDefault(true);
    m_cmdSysInfo->setAutoDefault(false);
    m_cmdOK->setAccessibleDescription(QStringLiteral("关闭关于框"));
    m_cmdSysInfo->setAccessibleDescription(QStringLiteral("启动系统信息程序"));
    setTabOrder(m_cmdOK, m_cmdSysInfo);
    connect(m_cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cmdSysInfo, &QPushButton::clicked, this, &FrmAbout1::StartSysInfo);
    m_cmdOK->setFocus();

    load();
}

void FrmAbout1::load()
{
    // A missing or unreadable background leaves the dialog plain, without a message.
    m_background = pictures::load(Module1::appFile(QStringLiteral("\\picture\\globe.png")));
    setWindowTitle(QStringLiteral("关于 ") + Module1::appTitle());
    m_lblVersion->setText(versionText());
    m_lblTitle->setText(Module1::appTitle());
}

QString FrmAbout1::versionText()
{
    return QStringLiteral("版本 %1.%2.%3")
        .arg(LINGLU_VERSION_MAJOR)
        .arg(LINGLU_VERSION_MINOR)
        .arg(LINGLU_VERSION_PATCH);
}

void FrmAbout1::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    if (!m_background.isNull()) {
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), m_background);
    }
}

void FrmAbout1::StartSysInfo()
{
    QString program = QString::fromLocal8Bit(sysinfo::registeredProgram());
    bool started = false;
    if (!program.isEmpty()) {
        started = sysinfo::startProgram(program.toLocal8Bit().toStdString());
    } else {
        for (const char *tool : kDesktopInfoTools) {
            program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
            if (!program.isEmpty()) {
                started = QProcess::startDetached(program, {});
                break;
            }
        }
    }
    if (!started)
        msgbox::show(QStringLiteral("此时系统信息无效"), Module1::appTitle());
}
