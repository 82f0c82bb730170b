#include "about/FrmAbout1.h"

#include "app/Module1.h"

FrmAbout1::FrmAbout1(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmAbout1"));
    setWindowTitle(QStringLiteral("关于 ") + Module1::appTitle());
    Module1::registerLoadedWindow(this);
}
