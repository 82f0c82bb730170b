#include "viewer/Fllhb.h"

#include "app/Module1.h"

Fllhb::Fllhb(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Fllhb"));
    setWindowTitle(Module1::appTitle());
    Module1::registerLoadedWindow(this);
}
