#pragma once
// The About box: title, version, description and warning over the background picture.

#include <QDialog>

class FrmAbout1 : public QDialog
{
    Q_OBJECT

public:
    explicit FrmAbout1(QWidget *parent = nullptr);
};
